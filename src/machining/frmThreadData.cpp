#include "machining/frmThreadData.h"

#include "machining/thread_tables.h"

namespace quillon {
namespace {

constexpr const char* kKeyboardHelp =
    "[キーボードでの操作方法]\r\n"
    "1.カーソルを左右に動かしてネジの種類を選んでください。\r\n"
    "2.[Tab]キーでネジのデータに移動させてください。\r\n"
    "3.カーソルでネジのサイズを変更してください。";

constexpr Field kSystems{"TabStrip1"};
constexpr Field kHeader{"Text1"};
constexpr Field kSizes{"List1"};
constexpr Field kNote{"Text3"};
constexpr Field kHelp{"Text2"};

}  // namespace

frmThreadData::frmThreadData(Module1& m)
    : ToolWindow(m, "frmThreadData", " ネジのデータ", 2800, 2000, Topmost::EachActivation) {
    // The tabs on top, the header over the list, the note and the help below. The header,
    // note and help are for reading only and are passed over by Tab, so that Tab goes from
    // the tabs straight to the list as the help says.
    Add("TabStrip1", ControlKind::TabStrip).At(0, 0, 1, 2);
    TextBox("Text1").At(1, 0, 1, 2).NoTabStop().Locked = true;
    (*this)[kHeader].Fixed = true;
    Add("List1", ControlKind::ListBox).At(2, 0, 1, 2).Size(400, 330).Fixed = true;
    TextBox("Text3").At(3, 0, 1, 2).NoTabStop().Locked = true;
    TextBox("Text2").At(4, 0, 1, 1).Size(400, 84).NoTabStop().Locked = true;
    (*this)[kHelp].Multiline = true;
    Button("Command1", "閉じる").At(4, 1);

    On(kSystems, Event::Click, [this] { TabStrip1_Click(); });
    CloseButton("Command1");
}

void frmThreadData::Form_Load() {
    ToolWindow::Form_Load();
    std::vector<std::string>& tabs = (*this)[kSystems].Tabs;
    tabs.clear();
    for (const ThreadSystem& system : ThreadSystems()) tabs.emplace_back(system.tab);
    (*this)[kSystems].SelectedTab = 1;
    SetText(kHelp, kKeyboardHelp);
    FillTable(1);
}

void frmThreadData::TabStrip1_Click() {
    FillTable((*this)[kSystems].SelectedTab);
}

void frmThreadData::FillTable(int index) {
    const std::vector<ThreadSystem>& systems = ThreadSystems();
    if (index < 1 || index > static_cast<int>(systems.size())) return;
    const ThreadSystem& system = systems[static_cast<size_t>(index - 1)];
    SetText(kHeader, system.header);
    Control& list = (*this)[kSizes];
    list.Items.clear();
    list.ListIndex = -1;
    for (const ThreadSize& size : system.sizes)
        list.Items.push_back(ThreadLine(system.columns, size));
    SetText(kNote, system.note);
}

}  // namespace quillon
