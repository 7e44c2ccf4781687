#include "window_manager.h"

#include <algorithm>

namespace quillon {

WindowManager::~WindowManager() = default;

Form* WindowManager::OpenKey(const std::string& key) {
    const WindowInfo* info = FindToolbarKey(key);
    return info ? Open(*info) : nullptr;
}

Form* WindowManager::Open(const WindowInfo& info) {
    if (info.separator || !info.create) return nullptr;
    Collect();
    if (Form* open = Find(info.className)) {
        if (front_) front_->Show(*open);
        open->Activate();
        return open->Unloaded() ? nullptr : open;
    }
    std::unique_ptr<Form>& slot = windows_[info.className];
    if (slot) retired_.push_back(std::move(slot));
    slot = info.create(m_);
    return StartWindow(*slot, front_) ? slot.get() : nullptr;
}

Form* WindowManager::Find(const std::string& className) const {
    const auto it = windows_.find(className);
    if (it == windows_.end() || !it->second || it->second->Unloaded()) return nullptr;
    return it->second.get();
}

std::vector<Form*> WindowManager::OpenWindows() const {
    std::vector<Form*> open;
    for (const auto& [name, form] : windows_)
        if (form && !form->Unloaded()) open.push_back(form.get());
    return open;
}

void WindowManager::Collect() {
    for (auto it = windows_.begin(); it != windows_.end();) {
        if (it->second && it->second->Unloaded()) {
            retired_.push_back(std::move(it->second));
            it = windows_.erase(it);
        } else {
            ++it;
        }
    }
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                  [](const std::unique_ptr<Form>& f) { return !f->Busy(); }),
                   retired_.end());
}

}  // namespace quillon
