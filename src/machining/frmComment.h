// Comment entry: a machining-step phrase picked from a list of stock phrases (English or
// Japanese), completed by hand, wrapped in the bracket style of the control's comments and
// copied for pasting into the part program.
#pragma once

#include <string>

#include "shell/tool_window.h"

namespace quillon {

class frmComment : public ToolWindow {
public:
    explicit frmComment(Module1& m);

    void SetEnglishInput();
    void SetJapaneseInput();
    void Command2_Click();
    void Command3_Click();

    bool Japanese() const { return japanese_; }

protected:
    void Form_Load() override;
    void Form_GotFocus() override { SetFocus("Comment1"); }

private:
    // Caption, button, phrase list and input method of one language.
    void SetLanguage(const char* caption, const char* button, bool japanese, InputMode mode);
    // The comment in the selected bracket style.
    std::string CommentText();

    bool japanese_ = false;
};

}  // namespace quillon
