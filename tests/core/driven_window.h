// A window of the registry driven directly through its form model, with a recording host.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "app/menu.h"
#include "app/recording_host.h"
#include "app/registry.h"
#include "app/startup.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

namespace quillon::testkit {

struct DrivenWindow {
    RecordingHost host;
    DiskFiles files;
    Module1 m{host, files};
    std::unique_ptr<Form> form;

    // Opens the window as the launcher does: created, loaded, activated.
    explicit DrivenWindow(const std::string& className, bool onControl = false) {
        m.OnControl = onControl;
        m.MainWindow = kMenuClass;
        const WindowInfo* info = FindWindowInfo(className);
        if (!info || !info->create) throw std::logic_error(className + " is not built");
        form = info->create(m);
        StartWindow(*form, nullptr);
    }

    Control& operator[](const std::string& name) { return (*form)[name]; }
    const std::string& Text(const std::string& name) { return (*form)[name].Text; }
    void Type(const std::string& name, const std::string& text) {
        form->DeliverSetText(name, text);
    }
    void Leave(const std::string& name) { form->DeliverLeave(name); }
    void Focus(const std::string& name) { form->DeliverFocus(name); }
    void Click(const std::string& name) { form->DeliverClick(name); }
    void Press(const std::string& key) { form->DeliverKey(*ParseKey(key), true); }
    const std::vector<DrawOp>& Ops(const std::string& picture = "Picture1") {
        return (*form)[picture].Pic->Ops();
    }
};

// The operation at `i` of a display list as the type expected; fails the test otherwise.
template <typename Op>
const Op& OpAt(const std::vector<DrawOp>& ops, size_t i) {
    static const Op none{};
    if (i >= ops.size() || !std::holds_alternative<Op>(ops[i])) {
        ADD_FAILURE() << "display list entry " << i << " is not of the expected kind";
        return none;
    }
    return std::get<Op>(ops[i]);
}

}  // namespace quillon::testkit
