#include "cli/session.h"

#include <nlohmann/json.hpp>

#include "app/menu.h"
#include "app/registry.h"
#include "app/window_manager.h"

namespace quillon::cli {

std::string CopyJsonLine(const CopyEntry& entry) {
    using Json = nlohmann::ordered_json;
    // One value as JSON; text that is no UTF-8 is shown with replacement characters.
    const auto value = [](const Json& j) {
        return j.dump(-1, ' ', false, Json::error_handler_t::replace);
    };
    std::string inputs = "{";
    for (const auto& [name, text] : entry.inputs) {
        if (inputs.size() > 1) inputs += ", ";
        inputs += value(name) + ": " + value(text);
    }
    inputs += "}";
    const std::pair<const char*, std::string> fields[] = {
        {"time", value(IsoDateTimeText(entry.time))},
        {"window", value(entry.window)},
        {"caption", value(entry.caption)},
        {"button", value(entry.button)},
        {"buttonCaption", value(entry.buttonCaption)},
        {"text", value(entry.text)},
        {"activated", entry.activated ? "true" : "false"},
        {"inputs", inputs},
    };
    std::string line = "{";
    for (const auto& [key, text] : fields) {
        if (line.size() > 1) line += ", ";
        line += std::string("\"") + key + "\": " + text;
    }
    return line + "}";
}

Session::Session(Module1& m, std::unique_ptr<Form> first) : first_(std::move(first)) {
    if (auto* launcher = dynamic_cast<Menu*>(first_.get())) {
        windows_ = &launcher->Windows();
    } else {
        own_ = std::make_unique<WindowManager>(m);
        windows_ = own_.get();
    }
    current_ = first_.get();
}

Session::~Session() {
    // The opened windows go first: they may be told of the run's window going.
    own_.reset();
}

void Session::Open(const std::string& className) {
    const WindowInfo* info = FindWindowInfo(className);
    // The windows the launcher opens: those with a toolbar button or a menu entry.
    if (!info || !info->create || info->key.empty())
        throw UsageError("open: cannot open window '" + className +
                         "' (a window of the launcher's toolbar or menu)");
    if (first_->ClassName() == className && !first_->Unloaded()) {
        first_->Activate();
        current_ = first_.get();
        return;
    }
    if (Form* opened = windows_->Open(*info)) current_ = opened;
}

}  // namespace quillon::cli
