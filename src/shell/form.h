// The form runtime: a window as a table of controls and handlers, with no GUI toolkit.
//
// A tool window derives from Form, declares its controls in its constructor (names, kinds,
// captions, tooltips and where they sit in a grid) and registers its handlers by control and
// event. The fronts (the Qt and Win32 views, the command line, tests) deliver user events through
// the public Deliver* calls; handlers change control state, which the fronts read back.
//
// Focus changes requested by a handler (SetFocus) take effect at once, but their LostFocus and
// GotFocus events run after the handler returns, in order, as window messages do.
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "color.h"
#include "picture.h"

namespace quillon {

class Module1;

enum class ControlKind {
    TextBox,
    Label,
    CommandButton,
    OptionButton,
    CheckBox,
    Frame,
    PictureBox,
    ComboBox,
    ListBox,
    TabStrip,
    Timer,
    Image,
    Toolbar,
};

const char* KindName(ControlKind kind);
// True for the kinds of control that can take the focus (when enabled and visible).
bool TakesFocus(ControlKind kind);
// True for the kinds of control that show a text or caption (the texts a front mirrors and
// quillon-cli lists).
bool ShowsText(ControlKind kind);

// A control named by the role it plays in a window's handlers, declared once beside the
// window's control table (`const Field kCentreI{"Text12"};`), so that a handler reads
// `SetText(kCentreI, ...)` rather than a bare control name. The control keeps its declared
// name: users, quillon-cli, the steps files and the tests still see "Text12".
struct Field {
    const char* name;
    operator std::string() const { return name; }
};

// Grid placement inside the parent container (the form or a frame), in cells.
struct Cell {
    int row = 0, col = 0, rowSpan = 1, colSpan = 1;
};

struct ToolbarButton {
    std::string key;
    std::string tooltip;
    std::string icon;        // resource name of the icon
    bool separator = false;  // a gap, not a button
    bool enabled = true;
};

class Control {
public:
    Control(std::string name, ControlKind kind) : name_(std::move(name)), kind_(kind) {}

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }

    // State mirrored by the fronts.
    std::string Text;    // text of a text/combo box, caption of everything else
    bool Value = false;  // option button selected / check box ticked
    bool Enabled = true;
    bool Visible = true;
    bool Locked = false;  // a text box the user cannot type into (result fields)
    std::optional<Color> BackColor;
    std::optional<Color> ForeColor;
    std::string ToolTip;
    bool TabStop = true;
    int SelStart = 0, SelLength = 0;
    std::vector<std::string> Items;  // list and combo boxes
    int ListIndex = -1;
    std::vector<std::string> Tabs;  // tab strip captions
    int SelectedTab = 1;            // tab strips count from 1
    double Interval = 0;            // timers, in seconds
    std::vector<ToolbarButton> Buttons;
    std::unique_ptr<Picture> Pic;  // picture boxes

    // Declaration (used by the views to lay the window out).
    std::string Parent;  // containing frame, empty for the form
    Cell Where;
    int MinWidth = 0, MinHeight = 0;  // pixels; 0 = natural size
    bool Multiline = false;
    bool Fixed = false;         // a fixed-pitch font
    std::string FontName;       // a font of its own ("Arial"); empty for the window's font
    double FontPoints = 0;      // its size in points; 0 for the window's size
    bool Default = false;       // the window's default button: Enter elsewhere presses it
    bool CrossPointer = false;  // the mouse pointer over the control is a cross-hair

    // Fluent declaration helpers.
    Control& At(int row, int col, int rowSpan = 1, int colSpan = 1) {
        Where = {row, col, rowSpan, colSpan};
        return *this;
    }
    Control& In(std::string frame) {
        Parent = std::move(frame);
        return *this;
    }
    Control& Tip(std::string tip) {
        ToolTip = std::move(tip);
        return *this;
    }
    Control& Size(int w, int h) {
        MinWidth = w;
        MinHeight = h;
        return *this;
    }
    Control& Font(std::string name, double points) {
        FontName = std::move(name);
        FontPoints = points;
        return *this;
    }
    // A result field: grey, locked.
    Control& Result();
    Control& NoTabStop() {
        TabStop = false;
        return *this;
    }

    // The group an option button belongs to: the option buttons of one frame (or of the window).
    const std::string& OptionGroup() const { return Parent; }

private:
    std::string name_;
    ControlKind kind_;
};

enum class Event {
    Click,   // buttons, options, check boxes, list/combo picks, tab picks, toolbar buttons
    Change,  // text changed by typing
    GotFocus,
    LostFocus,
    KeyDown,    // key codes, before KeyPress
    KeyPress,   // characters; the handler may cancel by setting the code to 0
    MouseMove,  // pictures and the form
    Timer,
    DblClick,
};

// Key codes: the Windows virtual keys, which every front translates its keys into.
namespace keys {
inline constexpr int Backspace = 8, Tab = 9, Enter = 13, Shift = 16, Control = 17, Alt = 18,
                     Esc = 27, PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38,
                     Right = 39, Down = 40, Insert = 45, Delete = 46, F1 = 112, F12 = 123;
// Letters A to Z have their upper-case character codes.
inline constexpr int A = 'A', Z = 'Z';
// Character codes delivered with the keys that carry one.
inline constexpr int EnterChar = 13, EscChar = 27, BackspaceChar = 8;
}  // namespace keys

struct KeyArgs {
    int keyCode = 0;   // KeyDown: virtual key code
    int shift = 0;     // KeyDown: shift state
    int keyAscii = 0;  // KeyPress: character code (Unicode code point); 0 cancels
    std::string text;  // KeyPress: the character as UTF-8
};

struct MouseArgs {
    int button = 0, shift = 0;
    double x = 0, y = 0;
};

// A key as a front delivers it: a character (UTF-8) or a named key.
struct Key {
    int keyCode = 0;   // virtual key (0 for a plain character)
    int ascii = 0;     // character code delivered to KeyPress, 0 for none
    std::string text;  // the character, UTF-8, for plain characters
    int shift = 0;     // KeyDown's shift state: kShiftMask, kCtrlMask, kAltMask added up
};

inline constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// True when the key, given to `c`, presses it: Enter or the space bar on a command button.
// Every front and the command line press buttons by this one rule.
bool PressesButton(const Control& c, const Key& key);

// Parses "Enter", "Esc", "Backspace", "Tab", "Shift", "Up", "Down", "Left", "Right", a single
// character, or "Ctrl+" and a letter (a KeyDown with the Ctrl state and no character);
// returns nothing for anything else.
std::optional<Key> ParseKey(const std::string& spec);
// The key as ParseKey reads it ("Enter", "+", "Ctrl+H").
std::string KeyName(const Key& key);

// A usage error of the form's interface (unknown control, an event a control cannot take).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Form {
public:
    Form(Module1& m, std::string className, std::string caption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& ClassName() const { return className_; }
    std::string Caption;
    Module1& M() { return m_; }

    // The control table, in declaration (tab) order.
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    Control& operator[](const std::string& name);
    Control* Find(const std::string& name);
    bool Has(const std::string& name) const { return index_.count(name) != 0; }

    // Focus.
    const std::string& Focus() const { return focus_; }
    // Moves the focus to a control as a handler's SetFocus does; the focus events run after
    // the current event. A control that cannot take the focus keeps it where it is.
    void SetFocus(const std::string& name);
    bool CanFocus(const std::string& name) const;

    // Lifecycle, driven by the fronts and the window manager.
    void Load();      // Form_Load
    void Activate();  // Form_Activate, then the window's own focus (Form_GotFocus)
    void Unload();    // unloads; the host closes the window
    bool Unloaded() const { return unloaded_; }
    bool KeyPreview = false;

    // User events, as the fronts deliver them. Each runs the handlers and then the queued
    // focus events. Disabled or hidden controls ignore them, as on screen.
    void DeliverSetText(const std::string& name, const std::string& text);  // typing
    void DeliverFocus(const std::string& name);                             // user moves focus
    void DeliverLeave(const std::string& name);                             // LostFocus only
    void DeliverClick(const std::string& name);
    void DeliverPick(const std::string& name, int index);  // list/combo item, tab, toolbar button
    // A key press; returns false when a handler cancelled it. With applyDefault the runtime
    // also does what the control does with the key (edit a text box, press a button, Tab).
    bool DeliverKey(const Key& key, bool applyDefault);
    void DeliverSelect(const std::string& name, int start, int length);
    void DeliverMouseMove(const std::string& name, double x, double y);  // "Form": elsewhere
    void DeliverPaint();
    void DeliverTick(const std::string& name);
    // A double click: on a list box it picks item `index` first (its Click runs when the pick
    // changes it), then DblClick runs; other controls take it without an index.
    void DeliverDblClick(const std::string& name, std::optional<int> index = std::nullopt);
    // Picks an entry of the window's pop-up menu (MenuEntries).
    void DeliverMenu(const std::string& entry);

    // The window's pop-up menu: a drop-down button with this tooltip at the end of its
    // toolbar, and the same menu on a right click anywhere in the window. No menu when empty.
    std::vector<std::string> MenuEntries;
    std::string MenuTip;

    // While a handler runs: the innermost control whose event it is ("Form" for the window's
    // own events), or nullptr; and the key being delivered, or nullptr.
    const std::string* FiringControl() const { return firing_.empty() ? nullptr : &firing_.back(); }
    const Key* DeliveredKey() const { return deliveredKey_; }

    // Told when the window's state changes outside its own events (another window's copy
    // reaches the history window): the front mirrors the window again.
    void SetChangeListener(std::function<void(Form&)> listener) {
        changeListener_ = std::move(listener);
    }

    // Bumped on every delivered event, so views know when to mirror state.
    unsigned Revision() const { return revision_; }
    // True while one of the window's events runs (also while it waits in WaitSeconds): the
    // window must not be destroyed then, even if it has unloaded.
    bool Busy() const { return depth_ > 0; }
    // True when a handler is registered for this control ("Form" for the window) and event.
    bool HasHandler(const std::string& control, Event event) const {
        return handlers_.count({control, event}) != 0;
    }

protected:
    // Declaration helpers for the constructor of a window.
    Control& Add(const std::string& name, ControlKind kind, const std::string& text = "");
    Control& TextBox(const std::string& name) { return Add(name, ControlKind::TextBox); }
    Control& Label(const std::string& name, const std::string& caption) {
        return Add(name, ControlKind::Label, caption);
    }
    Control& Button(const std::string& name, const std::string& caption) {
        return Add(name, ControlKind::CommandButton, caption);
    }
    Control& Option(const std::string& name, const std::string& caption, bool selected = false);
    Control& Check(const std::string& name, const std::string& caption, bool ticked = false);
    Control& Frame(const std::string& name, const std::string& caption) {
        return Add(name, ControlKind::Frame, caption);
    }
    Control& PictureBox(const std::string& name);

    // Handlers.
    using Handler = std::function<void()>;
    using KeyHandler = std::function<void(KeyArgs&)>;
    using MouseHandler = std::function<void(const MouseArgs&)>;
    void On(const std::string& control, Event event, Handler h);
    void OnKey(const std::string& control, Event event, KeyHandler h);  // KeyDown / KeyPress
    void OnMouse(const std::string& control, MouseHandler h);
    // The handler of the pop-up menu, given the entry picked.
    void OnMenu(std::function<void(const std::string& entry)> h) { menuHandler_ = std::move(h); }
    // The window's state changed outside its own events: bumps the revision and tells the
    // front (not while one of its own events runs: the front mirrors after that anyway).
    void StateChanged();
    // Form-level events use the control name "Form".
    static constexpr const char* kForm = "Form";

    // Programmatic changes (no user event): setting Text from code runs the Change handler, as
    // typing does; setting an option button's value deselects its group.
    void SetText(const std::string& name, const std::string& text);
    void SetValue(const std::string& name, bool value);
    Picture& Pic(const std::string& name);
    const std::string& Text(const std::string& name) { return (*this)[name].Text; }
    // True when every one of the fields is given: its text is not empty (a blank is given).
    bool Given(std::initializer_list<const char*> fields) {
        for (const char* f : fields)
            if ((*this)[f].Text.empty()) return false;
        return true;
    }

    // Runs `fn`; an ArithmeticFault ends it quietly. Returns false when it faulted.
    static bool Trapped(const std::function<void()>& fn);

    // Hooks of the lifecycle; the defaults do nothing.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    // The window's own focus; the default focuses the first control that can take it.
    virtual void Form_GotFocus();
    virtual void Form_Paint() {}
    virtual void Form_Unload() {}

private:
    struct Handlers {
        std::vector<Handler> plain;
        std::vector<KeyHandler> key;
        std::vector<MouseHandler> mouse;
    };
    Handlers* HandlersFor(const std::string& control, Event event);
    void Fire(const std::string& control, Event event);
    void FireKey(const std::string& control, Event event, KeyArgs& args);
    void FireMouse(const std::string& control, const MouseArgs& args);
    // Runs one user event and then the queued focus events, unless a handler is already
    // running (then the caller's outer event drains the queue).
    void Dispatch(const std::function<void()>& fn);
    void DrainFocusEvents();
    // What the control itself does with a key that no handler cancelled.
    void ApplyDefaultKey(const std::string& target, const Key& key);
    void TabToNext(bool backwards);
    bool Usable(const Control& c) const;

    Module1& m_;
    std::string className_;
    std::vector<std::unique_ptr<Control>> controls_;
    // Control by name: hashed, since handlers look controls up by name many times per event.
    std::unordered_map<std::string, size_t> index_;
    std::map<std::pair<std::string, Event>, Handlers> handlers_;
    std::string focus_;
    std::deque<std::pair<std::string, Event>> focusQueue_;
    int depth_ = 0;
    bool unloaded_ = false;
    bool loaded_ = false;
    unsigned revision_ = 0;
    std::vector<std::string> firing_;
    const Key* deliveredKey_ = nullptr;
    std::function<void(const std::string&)> menuHandler_;
    std::function<void(Form&)> changeListener_;
};

}  // namespace quillon
