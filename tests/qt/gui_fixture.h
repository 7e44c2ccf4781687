// The Quillon program started in-process on the offscreen platform, with a recording platform
// layer and, where a test asks for it, a control root holding the marker file.
#pragma once

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "form_view.h"
#include "quillon_app.h"
#include "recording_platform.h"

namespace quillon::qt {

class GuiFixture {
public:
    explicit GuiFixture(bool marker = false) {
        if (marker) {
            QFile file(root_.filePath(QStringLiteral("OSPMNGCD.CNC")));
            file.open(QIODevice::WriteOnly);
            file.write("marker");
        }
        StartOptions options;
        options.controlRoot = root_.path().toStdWString();
        app_ = std::make_unique<QuillonApp>(platform, options);
        started = app_->Start();
    }
    ~GuiFixture() {
        app_.reset();
        // Views closed by the program are deleted later; let them go before the next test.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QuillonApp& App() { return *app_; }
    FormView* Launcher() { return app_->LauncherView(); }
    FormView* View(const char* className) { return app_->Host().ViewOf(className); }

    // The toolbar button of a Key, clicked with the mouse.
    QWidget* ToolButton(const QString& key) {
        auto* bar = Launcher()->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
        if (!bar) return nullptr;
        for (QAction* action : bar->actions())
            if (action->objectName() == key) return bar->widgetForAction(action);
        return nullptr;
    }
    void ClickToolbar(const QString& key) {
        QWidget* button = ToolButton(key);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Opens a window from its toolbar button and waits until it has the keyboard; nullptr
    // when it does not open or never becomes active.
    FormView* Open(const QString& key, const char* className) {
        ClickToolbar(key);
        FormView* view = View(className);
        if (view) {
            view->activateWindow();
            if (!QTest::qWaitForWindowActive(view)) return nullptr;
        }
        return view;
    }

    template <typename W = QWidget>
    W* Control(const char* className, const char* control) {
        FormView* view = View(className);
        return view ? qobject_cast<W*>(view->Widget(control)) : nullptr;
    }

    RecordingPlatform platform;
    bool started = false;

private:
    QTemporaryDir root_;
    std::unique_ptr<QuillonApp> app_;
};

}  // namespace quillon::qt
