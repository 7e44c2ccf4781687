// The copy history: every copy of the run, newest first, one line each; the selected entry in
// full below; buttons to copy it again, to save the history as CSV for a spreadsheet, to empty
// it, and to close. Enter or a double click in the list copies the selected entry again. The
// window follows the history as other windows copy.
#pragma once

#include <cstdint>
#include <string>

#include "shell/tool_window.h"

namespace quillon {

class frmCopyLog : public ToolWindow {
public:
    explicit frmCopyLog(Module1& m);
    ~frmCopyLog() override;

    void List1_Click();
    void Command1_Click();  // 再コピー
    void Command2_Click();  // CSV保存
    void Command3_Click();  // 全消去

    // The list line of an entry: "15:04:05  caption  text", a text of several lines shown by
    // its first line and " …(3行)".
    static std::string ListLine(const CopyEntry& entry);
    // The entry in full, as the detail field shows it.
    static std::string DetailText(const CopyEntry& entry);

protected:
    void Form_Load() override;

private:
    // Rebuilds the list from the history, keeping the selected entry selected (the newest
    // when it is gone or none was), and shows that entry.
    void Refresh();
    void ShowSelected();
    const CopyEntry* Selected();

    int subscription_ = 0;
    std::uint64_t selected_ = 0;  // serial of the selected entry, 0 for none
};

}  // namespace quillon
