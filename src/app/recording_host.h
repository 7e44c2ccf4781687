// A host that records what the windows ask of the world: the command-line front and the
// tests use it. The clock is set by the caller and advances only by waits.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/host.h"

namespace quillon {

class RecordingHost : public Host {
public:
    void ClearClipboard() override { clipboard.reset(), ++clipboardClears; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void ActivateWindowByTitle(const std::string& title) override { activations.push_back(title); }
    void ShowMessage(const Message& message) override { messages.push_back(message); }
    double Clock() override { return clock; }
    void Wait(double seconds) override { clock += seconds; }
    void SetTopmost(const std::string& className, bool on) override {
        topmostCalls.emplace_back(className, on);
    }
    void PlaceWindow(Form&, int dxTwips, int dyTwips) override {
        placements.emplace_back(dxTwips, dyTwips);
    }
    void SetInputMode(Form&, const std::string& control, InputMode mode) override {
        inputModes.emplace_back(control, mode);
    }
    void FormUnloaded(Form&) override { ++unloads; }
    void EndProgram() override { ended = true; }
    bool EndRequested() const override { return ended; }

    std::optional<std::string> clipboard;
    int clipboardClears = 0;
    std::vector<std::string> activations;
    std::vector<Message> messages;
    double clock = 0;
    std::vector<std::pair<std::string, bool>> topmostCalls;
    std::vector<std::pair<int, int>> placements;
    std::vector<std::pair<std::string, InputMode>> inputModes;  // field, mode, in order
    int unloads = 0;
    bool ended = false;
};

}  // namespace quillon
