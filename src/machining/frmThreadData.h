// Thread data: a reference card of nine thread systems. A tab per system; its list shows, per
// nominal size, the pitch or threads per inch, the tap drill and, for some systems, the thread
// height, in columns under a header. Nothing is computed or copied.
#pragma once

#include "shell/tool_window.h"

namespace quillon {

class frmThreadData : public ToolWindow {
public:
    explicit frmThreadData(Module1& m);

    void TabStrip1_Click();

protected:
    void Form_Load() override;

private:
    // Shows system `index` (1 to 9): its header, its lines and its note.
    void FillTable(int index);
};

}  // namespace quillon
