// A host that records what the windows ask of the world: the command-line front and the
// tests use it. The clock is set by the caller and advances only by waits.
#pragma once

#include <cmath>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/copy_log.h"
#include "shell/host.h"

namespace quillon {

class RecordingHost : public Host {
public:
    void ClearClipboard() override { clipboard.reset(), ++clipboardClears; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
    void ActivateWindowByTitle(const std::string& title) override { activations.push_back(title); }
    void ShowMessage(const Message& message) override { messages.push_back(message); }
    double Clock() override { return clock; }
    // With a start date, the date and time the clock reads on that day (past midnight on the
    // next days); without one, the computer's.
    DateTime Now() override {
        if (!startDate) return LocalNow();
        return AddSeconds(*startDate, static_cast<long long>(std::floor(clock)));
    }
    // A question is listed with the messages and answered from `answers`, else by default.
    bool AskYesNo(const Message& question, bool defaultYes) override {
        messages.push_back(question);
        if (answers.empty()) return defaultYes;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    std::optional<std::string> AskSaveFileName(const SaveFileRequest& request) override {
        saveRequests.push_back(request);
        return saveAs;
    }
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
    std::optional<DateTime> startDate;  // the day the clock counts from (time ignored)
    std::deque<bool> answers;           // the next questions' answers, true for はい
    std::optional<std::string> saveAs;  // what every save dialog answers; none cancels
    std::vector<SaveFileRequest> saveRequests;
    bool ended = false;
};

}  // namespace quillon
