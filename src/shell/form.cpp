#include "form.h"

#include <algorithm>
#include <stdexcept>

#include "checked.h"
#include "front_rules.h"
#include "module1.h"
#include "utf8.h"

namespace quillon {

const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
            return "text box";
        case ControlKind::Label:
            return "label";
        case ControlKind::CommandButton:
            return "button";
        case ControlKind::OptionButton:
            return "option button";
        case ControlKind::CheckBox:
            return "check box";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::PictureBox:
            return "picture box";
        case ControlKind::ComboBox:
            return "combo box";
        case ControlKind::ListBox:
            return "list box";
        case ControlKind::TabStrip:
            return "tab strip";
        case ControlKind::Timer:
            return "timer";
        case ControlKind::Image:
            return "image";
        case ControlKind::Toolbar:
            return "toolbar";
    }
    return "control";
}

bool ShowsText(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::Label:
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::Frame:
        case ControlKind::ComboBox:
            return true;
        default:
            return false;
    }
}

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::ComboBox:
        case ControlKind::ListBox:
        case ControlKind::PictureBox:
        case ControlKind::TabStrip:
            return true;
        default:
            return false;
    }
}

Control& Control::Result() {
    Locked = true;
    BackColor = colors::ButtonFace;
    TabStop = false;
    return *this;
}

std::optional<Key> ParseKey(const std::string& spec) {
    static const std::pair<const char*, Key> named[] = {
        {"Enter", {keys::Enter, keys::EnterChar, ""}},
        {"Esc", {keys::Esc, keys::EscChar, ""}},
        {"Backspace", {keys::Backspace, keys::BackspaceChar, ""}},
        {"Tab", {keys::Tab, 0, ""}},
        {"Shift", {keys::Shift, 0, ""}},
        {"Up", {keys::Up, 0, ""}},
        {"Down", {keys::Down, 0, ""}},
        {"Left", {keys::Left, 0, ""}},
        {"Right", {keys::Right, 0, ""}},
    };
    for (const auto& [name, key] : named)
        if (spec == name) return key;
    if (spec.size() == 6 && spec.compare(0, 5, "Ctrl+") == 0) {
        // Ctrl with a letter: a KeyDown only, as the keyboard's shortcuts are handled.
        const char c = spec[5];
        if (c >= 'a' && c <= 'z') return Key{c - 'a' + 'A', 0, "", kCtrlMask};
        if (c >= 'A' && c <= 'Z') return Key{c, 0, "", kCtrlMask};
        return std::nullopt;
    }
    const auto [cp, len] = utf8::Decode(spec);
    if (len == 0 || len != spec.size() || cp < 32) return std::nullopt;
    Key k;
    k.ascii = static_cast<int>(cp);
    k.text = spec;
    // Letters and digits also carry their virtual key code, as KeyDown reports them.
    if (cp >= 'a' && cp <= 'z')
        k.keyCode = static_cast<int>(cp - 'a' + 'A');
    else if ((cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9'))
        k.keyCode = static_cast<int>(cp);
    return k;
}

std::string KeyName(const Key& key) {
    static const std::pair<int, const char*> named[] = {
        {keys::Enter, "Enter"}, {keys::Esc, "Esc"},     {keys::Backspace, "Backspace"},
        {keys::Tab, "Tab"},     {keys::Shift, "Shift"}, {keys::Up, "Up"},
        {keys::Down, "Down"},   {keys::Left, "Left"},   {keys::Right, "Right"},
    };
    if ((key.shift & kCtrlMask) && key.keyCode >= keys::A && key.keyCode <= keys::Z)
        return std::string("Ctrl+") + static_cast<char>(key.keyCode);
    if (!key.text.empty()) return key.text;
    for (const auto& [code, name] : named)
        if (key.keyCode == code) return name;
    return key.keyCode ? "key " + std::to_string(key.keyCode) : std::string();
}

Form::Form(Module1& m, std::string className, std::string caption)
    : Caption(std::move(caption)), m_(m), className_(std::move(className)) {}

Form::~Form() = default;

Control& Form::Add(const std::string& name, ControlKind kind, const std::string& text) {
    if (index_.count(name)) throw std::logic_error("duplicate control " + name);
    index_[name] = controls_.size();
    controls_.push_back(std::make_unique<Control>(name, kind));
    Control& c = *controls_.back();
    c.Text = text;
    if (kind == ControlKind::Label || kind == ControlKind::Frame || kind == ControlKind::Image ||
        kind == ControlKind::Timer || kind == ControlKind::Toolbar)
        c.TabStop = false;
    return c;
}

Control& Form::Option(const std::string& name, const std::string& caption, bool selected) {
    Control& c = Add(name, ControlKind::OptionButton, caption);
    c.Value = selected;
    return c;
}

Control& Form::Check(const std::string& name, const std::string& caption, bool ticked) {
    Control& c = Add(name, ControlKind::CheckBox, caption);
    c.Value = ticked;
    return c;
}

Control& Form::PictureBox(const std::string& name) {
    Control& c = Add(name, ControlKind::PictureBox);
    c.Pic = std::make_unique<Picture>();
    c.BackColor = colors::Black;
    c.TabStop = false;
    return c;
}

Control* Form::Find(const std::string& name) {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : controls_[it->second].get();
}

Control& Form::operator[](const std::string& name) {
    if (Control* c = Find(name)) return *c;
    throw UsageError(className_ + " has no control " + name);
}

Picture& Form::Pic(const std::string& name) {
    Control& c = (*this)[name];
    if (!c.Pic) throw UsageError(name + " is not a picture box");
    return *c.Pic;
}

bool Form::Usable(const Control& c) const {
    return quillon::Usable(*this, c);
}

bool Form::CanFocus(const std::string& name) const {
    const auto it = index_.find(name);
    if (it == index_.end()) return false;
    const Control& c = *controls_[it->second];
    return TakesFocus(c.Kind()) && Usable(c);
}

// ---- handlers ----

void Form::On(const std::string& control, Event event, Handler h) {
    handlers_[{control, event}].plain.push_back(std::move(h));
}

void Form::OnKey(const std::string& control, Event event, KeyHandler h) {
    handlers_[{control, event}].key.push_back(std::move(h));
}

void Form::OnMouse(const std::string& control, MouseHandler h) {
    handlers_[{control, Event::MouseMove}].mouse.push_back(std::move(h));
}

Form::Handlers* Form::HandlersFor(const std::string& control, Event event) {
    const auto it = handlers_.find({control, event});
    return it == handlers_.end() ? nullptr : &it->second;
}

namespace {

// Keeps the control whose event runs on the window's stack while its handlers run.
class Firing {
public:
    Firing(std::vector<std::string>& stack, const std::string& control) : stack_(stack) {
        stack_.push_back(control);
    }
    ~Firing() { stack_.pop_back(); }
    Firing(const Firing&) = delete;
    Firing& operator=(const Firing&) = delete;

private:
    std::vector<std::string>& stack_;
};

}  // namespace

void Form::Fire(const std::string& control, Event event) {
    if (unloaded_) return;
    const Firing firing(firing_, control);
    if (Handlers* h = HandlersFor(control, event))
        for (auto& fn : h->plain) fn();
}

void Form::FireKey(const std::string& control, Event event, KeyArgs& args) {
    if (unloaded_) return;
    const Firing firing(firing_, control);
    if (Handlers* h = HandlersFor(control, event))
        for (auto& fn : h->key) fn(args);
}

void Form::FireMouse(const std::string& control, const MouseArgs& args) {
    if (unloaded_) return;
    const Firing firing(firing_, control);
    if (Handlers* h = HandlersFor(control, Event::MouseMove))
        for (auto& fn : h->mouse) fn(args);
}

bool Form::Trapped(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (const ArithmeticFault&) {
        return false;
    }
}

// ---- dispatch ----

void Form::Dispatch(const std::function<void()>& fn) {
    // The depth goes back down even when a programming error escapes a handler, so the window
    // keeps delivering its focus events afterwards.
    struct Depth {
        Form& f;
        explicit Depth(Form& form) : f(form) { ++f.depth_; }
        ~Depth() {
            --f.depth_;
            ++f.revision_;
        }
    } depth(*this);
    // A fault that a handler does not trap ends that handler only; the program goes on.
    Trapped(fn);
    if (depth_ == 1) DrainFocusEvents();
}

void Form::DrainFocusEvents() {
    // A bound against handlers that bounce the focus for ever.
    for (int guard = 0; !focusQueue_.empty() && guard < 10000; ++guard) {
        // Not a structured binding: clang before 16 cannot capture one in a lambda.
        const std::pair<std::string, Event> next = focusQueue_.front();
        focusQueue_.pop_front();
        Trapped([&] { Fire(next.first, next.second); });
    }
    focusQueue_.clear();
}

void Form::SetFocus(const std::string& name) {
    if (unloaded_ || !CanFocus(name) || name == focus_) return;
    if (!focus_.empty()) focusQueue_.emplace_back(focus_, Event::LostFocus);
    focus_ = name;
    focusQueue_.emplace_back(name, Event::GotFocus);
    if (depth_ == 0) Dispatch([] {});
}

void Form::Form_GotFocus() {
    for (const auto& c : controls_)
        if (c->TabStop && CanFocus(c->Name())) {
            SetFocus(c->Name());
            return;
        }
}

// ---- lifecycle ----

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    Dispatch([this] { Form_Load(); });
}

void Form::Activate() {
    if (unloaded_) return;
    Dispatch([this] {
        Form_Activate();
        if (focus_.empty() && !unloaded_) Form_GotFocus();
    });
}

void Form::Unload() {
    if (unloaded_) return;
    Trapped([this] { Form_Unload(); });
    unloaded_ = true;
    focusQueue_.clear();
    m_.host.FormUnloaded(*this);
}

// ---- programmatic changes ----

void Form::SetText(const std::string& name, const std::string& text) {
    Control& c = (*this)[name];
    if (c.Text == text) return;
    c.Text = text;
    if (c.Kind() == ControlKind::TextBox || c.Kind() == ControlKind::ComboBox) {
        c.SelStart = 0;
        c.SelLength = 0;
        Fire(name, Event::Change);
    }
}

void Form::SetValue(const std::string& name, bool value) {
    Control& c = (*this)[name];
    if (c.Value == value) return;
    c.Value = value;
    if (c.Kind() == ControlKind::OptionButton) {
        if (!value) return;
        for (const auto& other : controls_)
            if (other.get() != &c && other->Kind() == ControlKind::OptionButton &&
                other->OptionGroup() == c.OptionGroup())
                other->Value = false;
    }
    Fire(name, Event::Click);
}

// ---- user events ----

void Form::DeliverSetText(const std::string& name, const std::string& text) {
    Control& c = (*this)[name];
    if (c.Kind() != ControlKind::TextBox && c.Kind() != ControlKind::ComboBox)
        throw UsageError(name + " is a " + KindName(c.Kind()) + ", not a field to type into");
    if (unloaded_ || !Usable(c) || c.Locked) return;
    Dispatch([&] {
        SetText(name, text);
        c.SelStart = static_cast<int>(utf8::Length(c.Text));
        c.SelLength = 0;
    });
}

void Form::DeliverFocus(const std::string& name) {
    Control& c = (*this)[name];
    if (!CanFocus(name)) {
        if (Usable(c))
            throw UsageError(name + " is a " + KindName(c.Kind()) + " and takes no focus");
        return;
    }
    if (unloaded_) return;
    Dispatch([&] { SetFocus(name); });
}

void Form::DeliverLeave(const std::string& name) {
    (*this)[name];
    if (unloaded_) return;
    Dispatch([&] {
        focus_.clear();
        Fire(name, Event::LostFocus);
    });
}

void Form::DeliverClick(const std::string& name) {
    Control& c = (*this)[name];
    switch (c.Kind()) {
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
        case ControlKind::TabStrip:
        case ControlKind::Toolbar:
            throw UsageError(name + " is a " + KindName(c.Kind()) + ": name the item, " + name +
                             "=I");
        case ControlKind::Timer:
            throw UsageError(name + " is a timer and takes no click");
        default:
            break;
    }
    if (unloaded_ || !Usable(c)) return;
    Dispatch([&] {
        // A click moves the focus first, so the left field's LostFocus runs before the Click.
        if (CanFocus(name)) SetFocus(name);
        DrainFocusEvents();
        if (unloaded_) return;
        switch (c.Kind()) {
            case ControlKind::OptionButton:
                if (!c.Value) {
                    SetValue(name, true);  // fires Click
                } else {
                    Fire(name, Event::Click);
                }
                break;
            case ControlKind::CheckBox:
                SetValue(name, !c.Value);
                break;
            case ControlKind::TextBox:
                break;  // a click into a field only moves the focus
            default:
                Fire(name, Event::Click);
                break;
        }
    });
}

void Form::DeliverPick(const std::string& name, int index) {
    Control& c = (*this)[name];
    switch (c.Kind()) {
        case ControlKind::ListBox:
        case ControlKind::ComboBox:
            if (index < 0 || index >= static_cast<int>(c.Items.size()))
                throw UsageError(name + " has no item " + std::to_string(index));
            break;
        case ControlKind::TabStrip:
            if (index < 1 || index > static_cast<int>(c.Tabs.size()))
                throw UsageError(name + " has no tab " + std::to_string(index));
            break;
        case ControlKind::Toolbar:
            if (index < 1 || index > static_cast<int>(c.Buttons.size()))
                throw UsageError(name + " has no button " + std::to_string(index));
            break;
        default:
            throw UsageError(name + " is a " + KindName(c.Kind()) + " and has no items");
    }
    if (unloaded_ || !Usable(c)) return;
    Dispatch([&] {
        if (CanFocus(name)) SetFocus(name);
        DrainFocusEvents();
        if (unloaded_) return;
        switch (c.Kind()) {
            case ControlKind::TabStrip:
                c.SelectedTab = index;
                break;
            case ControlKind::Toolbar:
                if (!c.Buttons[static_cast<size_t>(index - 1)].enabled) return;
                c.ListIndex = index;
                break;
            default:
                c.ListIndex = index;
                if (c.Kind() == ControlKind::ComboBox)
                    SetText(name, c.Items[static_cast<size_t>(index)]);
                break;
        }
        Fire(name, Event::Click);
    });
}

// True when the key makes a new line in the control: Enter in a multi-line text box that
// can be typed into.
static bool IsNewLine(const Control& c, const Key& key) {
    return key.keyCode == keys::Enter && c.Kind() == ControlKind::TextBox && c.Multiline &&
           !c.Locked;
}

bool Form::DeliverKey(const Key& key, bool applyDefault) {
    if (unloaded_) return false;
    bool passed = true;
    // The key stays known to the handlers it reaches (a copy records it), also nested ones.
    const Key* outerKey = deliveredKey_;
    deliveredKey_ = &key;
    struct Restore {
        const Key*& slot;
        const Key* value;
        ~Restore() { slot = value; }
    } restore{deliveredKey_, outerKey};
    Dispatch([&] {
        const std::string target = focus_;
        if (key.keyCode == keys::Tab) {
            // Tab moves between controls; the controls never see it.
            if (applyDefault) TabToNext(false);
            return;
        }
        if (key.keyCode != 0) {
            KeyArgs down;
            down.keyCode = key.keyCode;
            down.shift = key.shift;
            if (KeyPreview) FireKey(kForm, Event::KeyDown, down);
            if (!target.empty()) FireKey(target, Event::KeyDown, down);
        }
        if (key.ascii != 0) {
            KeyArgs press;
            press.keyAscii = key.ascii;
            press.text = key.text;
            if (KeyPreview) FireKey(kForm, Event::KeyPress, press);
            if (press.keyAscii != 0 && !target.empty()) FireKey(target, Event::KeyPress, press);
            if (press.keyAscii == 0) {
                passed = false;
                return;
            }
        }
        if (applyDefault && !target.empty() && !unloaded_) {
            ApplyDefaultKey(target, key);
        }
        // Enter anywhere but on a button or in a multi-line box presses the window's
        // default button.
        if (key.keyCode == keys::Enter && !unloaded_) {
            const Control* focused = Find(target);
            if (!focused ||
                (focused->Kind() != ControlKind::CommandButton && !IsNewLine(*focused, key)))
                for (const auto& c : controls_)
                    if (c->Default && c->Kind() == ControlKind::CommandButton && Usable(*c)) {
                        Fire(c->Name(), Event::Click);
                        break;
                    }
        }
    });
    return passed;
}

bool PressesButton(const Control& c, const Key& key) {
    return c.Kind() == ControlKind::CommandButton &&
           (key.keyCode == keys::Enter || key.text == " ");
}

// Moves an item index one step up (-1) or down (+1) within `count` items; nothing chosen
// yet steps onto the first. Returns -1 when there is nothing to choose.
static int StepIndex(int index, int step, int count) {
    if (count <= 0) return -1;
    if (index < 0) return 0;
    return std::clamp(index + step, 0, count - 1);
}

void Form::ApplyDefaultKey(const std::string& target, const Key& key) {
    Control* c = Find(target);
    if (!c) return;
    switch (c->Kind()) {
        case ControlKind::TextBox:
        case ControlKind::ComboBox: {
            std::string t = c->Text;
            const size_t len = utf8::Length(t);
            size_t start = std::min<size_t>(static_cast<size_t>(std::max(c->SelStart, 0)), len);
            size_t count =
                std::min<size_t>(static_cast<size_t>(std::max(c->SelLength, 0)), len - start);
            if (key.keyCode == keys::Left || key.keyCode == keys::Right) {
                // The caret leaves a selection at its end, or moves one character.
                size_t caret = key.keyCode == keys::Right ? start + count : start;
                if (count == 0)
                    caret = key.keyCode == keys::Right ? std::min(start + 1, len)
                                                       : (start > 0 ? start - 1 : 0);
                c->SelStart = static_cast<int>(caret);
                c->SelLength = 0;
                return;
            }
            if (c->Kind() == ControlKind::ComboBox &&
                (key.keyCode == keys::Up || key.keyCode == keys::Down)) {
                // The list steps to the next phrase, which fills the edit part selected.
                const int next = StepIndex(c->ListIndex, key.keyCode == keys::Down ? 1 : -1,
                                           static_cast<int>(c->Items.size()));
                if (next < 0 || next == c->ListIndex) return;
                c->ListIndex = next;
                SetText(target, c->Items[static_cast<size_t>(next)]);
                c->SelStart = 0;
                c->SelLength = static_cast<int>(utf8::Length(c->Text));
                Fire(target, Event::Click);
                return;
            }
            if (c->Locked) return;
            if (key.keyCode == keys::Backspace) {
                if (count == 0 && start > 0) --start, count = 1;
                if (count == 0) return;
                t.erase(utf8::Offset(t, start),
                        utf8::Offset(t, start + count) - utf8::Offset(t, start));
            } else if (!key.text.empty() || IsNewLine(*c, key)) {
                // Enter in a multi-line box starts a new line, CR LF as the Windows edit
                // control writes it.
                const std::string typed = key.text.empty() ? "\r\n" : key.text;
                t.replace(utf8::Offset(t, start),
                          utf8::Offset(t, start + count) - utf8::Offset(t, start), typed);
                start += utf8::Length(typed);
            } else {
                return;
            }
            SetText(target, t);
            c->SelStart = static_cast<int>(start);
            c->SelLength = 0;
            break;
        }
        case ControlKind::CommandButton:
            if (PressesButton(*c, key)) Fire(target, Event::Click);
            break;
        case ControlKind::CheckBox:
            if (key.text == " ") SetValue(target, !c->Value);
            break;
        case ControlKind::ListBox:
            if (key.keyCode == keys::Up || key.keyCode == keys::Down) {
                const int next = StepIndex(c->ListIndex, key.keyCode == keys::Down ? 1 : -1,
                                           static_cast<int>(c->Items.size()));
                if (next < 0 || next == c->ListIndex) return;
                c->ListIndex = next;
                Fire(target, Event::Click);
            }
            break;
        case ControlKind::TabStrip:
            if (key.keyCode == keys::Left || key.keyCode == keys::Right) {
                const int count = static_cast<int>(c->Tabs.size());
                const int next =
                    StepIndex(c->SelectedTab - 1, key.keyCode == keys::Right ? 1 : -1, count) + 1;
                if (next < 1 || next == c->SelectedTab) return;
                c->SelectedTab = next;
                Fire(target, Event::Click);
            }
            break;
        default:
            break;
    }
}

void Form::TabToNext(bool backwards) {
    const std::string next = NextInTabOrder(*this, focus_, backwards);
    if (!next.empty()) SetFocus(next);
}

void Form::DeliverSelect(const std::string& name, int start, int length) {
    Control& c = (*this)[name];
    if (c.Kind() != ControlKind::TextBox && c.Kind() != ControlKind::ComboBox)
        throw UsageError(name + " is a " + KindName(c.Kind()) + " and has no text to select");
    const int len = static_cast<int>(utf8::Length(c.Text));
    if (start < 0 || length < 0)
        throw UsageError("a selection needs a start and a length of 0 or more");
    c.SelStart = std::min(start, len);
    c.SelLength = std::min(length, len - c.SelStart);
    ++revision_;
}

void Form::DeliverMouseMove(const std::string& name, double x, double y) {
    if (name != kForm) {
        Control& c = (*this)[name];
        if (c.Kind() != ControlKind::PictureBox)
            throw UsageError(name + " is a " + KindName(c.Kind()) + ", not a picture");
        if (!Usable(c)) return;
    }
    if (unloaded_) return;
    MouseArgs args;
    args.x = x;
    args.y = y;
    Dispatch([&] { FireMouse(name, args); });
}

void Form::DeliverPaint() {
    if (unloaded_) return;
    Dispatch([this] { Form_Paint(); });
}

void Form::DeliverTick(const std::string& name) {
    Control& c = (*this)[name];
    if (c.Kind() != ControlKind::Timer)
        throw UsageError(name + " is a " + KindName(c.Kind()) + ", not a timer");
    if (unloaded_ || !c.Enabled) return;
    Dispatch([&] { Fire(name, Event::Timer); });
}

void Form::DeliverDblClick(const std::string& name, std::optional<int> index) {
    Control& c = (*this)[name];
    const bool list = c.Kind() == ControlKind::ListBox || c.Kind() == ControlKind::ComboBox;
    if (list && !index)
        throw UsageError(name + " is a " + KindName(c.Kind()) + ": name the item, " + name + "=I");
    if (!list && index)
        throw UsageError(name + " is a " + KindName(c.Kind()) + " and has no items");
    if (list && (*index < 0 || *index >= static_cast<int>(c.Items.size())))
        throw UsageError(name + " has no item " + std::to_string(*index));
    if (c.Kind() == ControlKind::Timer)
        throw UsageError(name + " is a timer and takes no double click");
    if (unloaded_ || !Usable(c)) return;
    Dispatch([&] {
        if (CanFocus(name)) SetFocus(name);
        DrainFocusEvents();
        if (unloaded_) return;
        if (list && c.ListIndex != *index) {
            // The first click of the two picks the item.
            c.ListIndex = *index;
            if (c.Kind() == ControlKind::ComboBox)
                SetText(name, c.Items[static_cast<size_t>(*index)]);
            Fire(name, Event::Click);
            if (unloaded_) return;
        }
        Fire(name, Event::DblClick);
    });
}

void Form::DeliverMenu(const std::string& entry) {
    if (MenuEntries.empty()) throw UsageError(className_ + " has no menu");
    if (std::find(MenuEntries.begin(), MenuEntries.end(), entry) == MenuEntries.end())
        throw UsageError(className_ + "'s menu has no entry " + entry);
    if (unloaded_) return;
    Dispatch([&] {
        if (menuHandler_) {
            const Firing firing(firing_, kForm);
            menuHandler_(entry);
        }
    });
}

void Form::StateChanged() {
    ++revision_;
    if (depth_ == 0 && changeListener_) changeListener_(*this);
}

}  // namespace quillon
