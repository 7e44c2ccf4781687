// The generic form view of the Win32 front: builds native controls from any window's control
// table, lays them out with the shared layout engine, forwards the user's events to the
// window and mirrors the window's state back into the controls after every event. It knows
// no particular window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "picture_window.h"
#include "shell/form.h"
#include "shell/host.h"
#include "shell/layout.h"
#include "ui_fonts.h"

namespace quillon::win32 {

class Win32Host;

class FormWindow {
public:
    FormWindow(Form& form, Win32Host& host);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Registers the window classes once per process.
    static void RegisterClasses(HINSTANCE instance);

    HWND Hwnd() const { return hwnd_; }
    // The window shown; nullptr once it has unloaded.
    Form* Model() const { return form_; }
    const std::string& ClassName() const { return className_; }
    // The native control of a control of the window (nullptr for timers and unknown names).
    HWND ControlHwnd(const std::string& name) const;
    // True while one of this view's messages is being handled: it must not be destroyed.
    bool Busy() const { return depth_ > 0; }

    // Lays the controls out again once the window has loaded: its load may have filled the
    // lists and tabs or changed the captions that the first layout measured. False when done
    // before.
    bool LayOutAfterLoad();
    // Where the window was placed (offsets from the screen's bottom-right corner, twips).
    std::optional<std::pair<int, int>> placement;

    // Puts the window into or out of the always-on-top band without moving it. The wish is
    // kept: a window that was hidden at the time takes it when it shows.
    void SetTopmost(bool on);
    bool WantsTopmost() const { return topmost_; }

    // The input method of a text field: applied now if the field has the focus, and each time
    // it gets it (the input method's state belongs to the focus, not to one field).
    void SetInputMode(const std::string& control, InputMode mode);

    // The window has unloaded: stop talking to it and hide.
    void Detach();
    // Mirrors the window's state into the controls.
    void Sync();
    // Keyboard messages for this window, before they are translated and dispatched; true
    // when the message was consumed.
    bool PreTranslate(MSG& msg);

    // The window's own fonts and resolution: those of the monitor it is on.
    const UiFonts& Fonts() const { return *fonts_; }
    // The window moved to a monitor of another resolution (WM_DPICHANGED): fonts, pictures and
    // layout at `dpi`, the window's frame at `suggested` (screen coordinates).
    void OnDpiChanged(int dpi, const RECT& suggested);

    // What the native controls show: caption, texts, values, focus, and the handles of the
    // window and its controls (for a program that drives it).
    nlohmann::ordered_json ShownState() const;

private:
    struct Item {
        Control* control = nullptr;  // nullptr once detached
        std::string name;
        ControlKind kind = ControlKind::Label;
        bool hasText = false;
        HWND hwnd = nullptr;
        int id = 0;
        PictureBinding picture;
        bool usesPicture = false;
        // What was mirrored last, so that only changes touch the controls.
        bool synced = false;
        std::string text, tip;
        bool value = false, enabled = true, visible = true, locked = false;
        std::optional<Color> back, fore;
        int selStart = -1, selLength = -1;
        std::vector<std::string> items, tabs;
        int listIndex = -2, tab = 0;
        std::vector<bool> buttons;
        unsigned picRevision = ~0u;
        UINT_PTR timer = 0;
        int timerMs = 0;
        HBRUSH brush = nullptr;
        HIMAGELIST images = nullptr;  // toolbar pictures
        RECT placed{};                // where the layout put it last (moving is dear under Wine)
        LPARAM buttonSize = 0;        // the toolbar's button size set last
        InputMode inputMode = InputMode::NoControl;
        COLORREF brushColor = 0;
    };

    static constexpr int kFirstId = 1000;        // control ids: kFirstId + index in the table
    static constexpr int kFirstButtonId = 5000;  // toolbar buttons: kFirstButtonId + index
    static constexpr int kMenuFirstId = 9000;    // pop-up menu entries: kMenuFirstId + index
    static constexpr int kToolbarIcon = 32;      // toolbar icons, at 96 dots per inch
    static constexpr int kButtonInset = 4;       // a button's picture inside its bevel, at 96 dpi
    static constexpr const char* kFormName = "Form";  // the window itself in mouse events

    // The window's messages (form_window.cpp).
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(WPARAM wp);
    void OnTimer(WPARAM wp);
    void OnActivate(WPARAM wp);
    void OnMouseMove(LPARAM lp);
    void OnClose();
    // The window's pop-up menu (its MenuEntries) at a point of the screen; the entry picked
    // is delivered to the window.
    void ShowMenu(POINT at);

    // Creating the native controls (form_window_build.cpp).
    void MakeItems();
    void Build(const layout::Result& laid);
    layout::Result ComputeLayout() const;
    static SIZE FrameSize(const layout::Result& laid, DWORD style, DWORD ex);
    RECT WindowRect(const Item& item, const layout::Rect& r) const;
    void LayOutControls();
    void Create(Item& item, const layout::Result& laid);
    void CreatePicture(Item& item);
    layout::Size Measure(HDC dc, const Control& c) const;
    void Place(const layout::Result& laid);
    void CreateTips();
    void AddTip(Item& item);
    void AddButtonTips(Item& item);
    void SetTip(Item& item);
    void CreateToolbar(Item& item, const RECT& at);
    void DrawToolbarIcons(Item& item);

    Item* ItemById(int id);
    Item* ItemByHwnd(HWND hwnd);
    Item* ItemByName(const std::string& name);
    const Item* ItemByName(const std::string& name) const;

    // Input (form_window_input.cpp).
    // Delivers a user event to the window, then lets the host mirror every window.
    void Deliver(const std::function<void(Form&)>& fn);
    void FocusIn(const std::string& name);
    static void ApplyInputMode(const Item& item);
    void NoteSelection();
    void Command(Item& item, int code);
    LRESULT Notify(NMHDR& nm);
    // A key on a control ("" for the window): the window sees it first; false swallows it.
    bool HandleKey(const std::string& control, const Key& key);
    bool OnKeyDown(const MSG& msg, const std::string& control);
    bool OnChar(const MSG& msg, const std::string& control, bool singleLineEdit);
    void SchedulePaint();

    // Mirroring (form_window_sync.cpp): one function per kind of control.
    void SyncItem(Item& item);
    void SyncTimer(Item& item);
    void SyncShown(Item& item, bool first);
    void SyncTextBox(Item& item, bool first);
    void SyncCaption(Item& item, bool first);
    void SyncCheck(Item& item, bool first);
    void SyncCombo(Item& item, bool first);
    void SyncList(Item& item, bool first);
    void SyncTabs(Item& item, bool first);
    void SyncToolbar(Item& item, bool first);
    void SyncPicture(Item& item);
    void SyncColors(Item& item);
    void SyncFocus();
    HBRUSH BrushFor(Item& item, HDC dc);

    Form* form_;
    Win32Host& host_;
    std::string className_;
    std::unique_ptr<UiFonts> fonts_;
    int fontsMade_ = 0;  // how often the fonts were made (once, and at each change of resolution)
    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<std::unique_ptr<Item>> items_;
    bool syncing_ = false;
    bool paintPending_ = false;
    bool topmost_ = false;
    bool laidOutAfterLoad_ = false;
    bool buttonTips_ = false;
    bool active_ = false;
    int depth_ = 0;
    // The window's size with its frame as its layout wants it: it may exceed a small screen
    // (a large scaling), and the window still holds all its controls.
    SIZE frameSize_{0, 0};
    // Focus: what the window's focus was at the last mirroring, and whether the native focus
    // still has to follow it (only done while the window is active).
    std::string mirroredFocus_;
    bool focusPending_ = true;
    // A WM_CHAR to swallow because its key was cancelled at WM_KEYDOWN.
    WPARAM swallowChar_ = 0;
    wchar_t highSurrogate_ = 0;
};

}  // namespace quillon::win32
