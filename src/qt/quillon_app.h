// The Quillon program in-process: the launcher, its view and the host, started in the order
// of the program's start-up. Quillon's main() and the GUI tests both use it.
#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/menu.h"
#include "qt_host.h"
#include "shell/disk_files.h"
#include "shell/module1.h"
#include "shell/native_path.h"

class QApplication;

namespace quillon::qt {

class FormView;
class Platform;

struct StartOptions {
    // The folder that stands for the control's "C:\OSP-P"; none on an office PC.
    std::optional<std::filesystem::path> controlRoot;
    std::filesystem::path programFolder;
    // Where the turret window looks for its machine table; empty: programFolder only.
    std::vector<std::filesystem::path> machineTableFolders;
};

// Parses Quillon's arguments (without the program name): "--control-root DIR". Returns an
// error text for anything else.
std::optional<std::string> ParseArguments(const QStringList& args, StartOptions& options);

// Fusion style (colours of buttons and fields show on every system) and a Japanese UI font
// where the system has one.
void ApplyAppearance(QApplication& app);

class QuillonApp {
public:
    QuillonApp(Platform& platform, const StartOptions& options);
    ~QuillonApp();
    QuillonApp(const QuillonApp&) = delete;
    QuillonApp& operator=(const QuillonApp&) = delete;

    // The launcher's load (version, OnControl, placement, always-on-top), then it is shown
    // and activated. False when the start-up failed (the error was shown, the program ends).
    bool Start();

    Menu& Launcher() { return menu_; }
    FormView* LauncherView() const;
    QtHost& Host() { return host_; }
    Module1& M() { return m_; }

private:
    QtHost host_;
    DiskFiles files_;
    Module1 m_;
    Menu menu_;
};

}  // namespace quillon::qt
