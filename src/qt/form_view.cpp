#include "form_view.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "picture_view.h"
#include "qt_host.h"
#include "shell/front_rules.h"
#include "shell/utf8.h"
#include "text_positions.h"

namespace quillon::qt {
namespace {

// The key as the window's handlers see it; false for keys they never see (Tab is the
// focus chain's, handled by Qt).
bool ToKey(const QKeyEvent* event, Key& key) {
    struct Named {
        int qt, code, ascii;
    };
    static constexpr Named named[] = {
        {Qt::Key_Return, keys::Enter, keys::EnterChar},
        {Qt::Key_Enter, keys::Enter, keys::EnterChar},
        {Qt::Key_Escape, keys::Esc, keys::EscChar},
        {Qt::Key_Backspace, keys::Backspace, keys::BackspaceChar},
        {Qt::Key_Shift, keys::Shift, 0},
        {Qt::Key_Control, keys::Control, 0},
        {Qt::Key_Alt, keys::Alt, 0},
        {Qt::Key_Left, keys::Left, 0},
        {Qt::Key_Up, keys::Up, 0},
        {Qt::Key_Right, keys::Right, 0},
        {Qt::Key_Down, keys::Down, 0},
        {Qt::Key_PageUp, keys::PageUp, 0},
        {Qt::Key_PageDown, keys::PageDown, 0},
        {Qt::Key_End, keys::End, 0},
        {Qt::Key_Home, keys::Home, 0},
        {Qt::Key_Insert, keys::Insert, 0},
        {Qt::Key_Delete, keys::Delete, 0},
    };
    const int qtKey = event->key();
    if (qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) return false;
    for (const Named& n : named)
        if (n.qt == qtKey) {
            key = Key{n.code, n.ascii, ""};
            return true;
        }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        key = Key{keys::F1 + (qtKey - Qt::Key_F1), 0, ""};
        return true;
    }
    // Ctrl with a letter: the letter's key code with the Ctrl state, and its control character
    // (what the text of such a key is differs between platforms).
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && qtKey >= Qt::Key_A &&
        qtKey <= Qt::Key_Z) {
        const int letter = qtKey - Qt::Key_A;
        key = Key{keys::A + letter, letter + 1, "", kCtrlMask};
        return true;
    }
    const QVector<uint> chars = event->text().toUcs4();
    if (chars.size() != 1) return false;
    const uint cp = chars.front();
    if (cp >= 32) {
        const auto parsed = ParseKey(utf8::Encode(static_cast<char32_t>(cp)));
        if (!parsed) return false;
        key = *parsed;
        return true;
    }
    // A control character (Ctrl with a letter): the letter's key code and the character.
    key = Key{(qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) ? keys::A + (qtKey - Qt::Key_A) : 0,
              static_cast<int>(cp), ""};
    return true;
}

}  // namespace

FormView::FormView(Form& form, QtHost& host)
    : QWidget(nullptr), form_(&form), host_(host), className_(form.ClassName()) {
    setObjectName(Q(className_));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    Build();
    Sync();
}

FormView::~FormView() {
    form_ = nullptr;
}

QWidget* FormView::Widget(const std::string& control) const {
    for (const Item& item : items_)
        if (item.control && item.control->Name() == control) return item.widget;
    return nullptr;
}

void FormView::Detach() {
    form_ = nullptr;
    for (Item& item : items_) {
        if (auto* pic = qobject_cast<PictureView*>(item.widget)) pic->SetPicture(nullptr);
        if (item.timer) item.timer->stop();
        item.control = nullptr;
    }
}

void FormView::CloseUnloaded() {
    if (closing_) return;
    closing_ = true;
    close();
}

// ---- events from the widgets ----

void FormView::Deliver(const std::function<void(Form&)>& fn) {
    if (!form_ || syncing_) return;
    // The handler may close this view (and, in a nested wait, even destroy it); the host
    // outlives every view.
    QtHost& host = host_;
    try {
        fn(*form_);
    } catch (const std::exception& e) {
        qWarning("%s: %s", className_.c_str(), e.what());
    }
    host.AfterEvent();
}

bool FormView::HandleKey(const std::string& control, QKeyEvent* event) {
    Key key;
    if (!form_ || !ToKey(event, key)) return true;
    // The handler may close this view, and in a nested wait even destroy it.
    QPointer<FormView> self(this);
    return RouteKey(*form_, control, key, [this, self](const std::function<void(Form&)>& fn) {
        Deliver(fn);
        return self && self->form_ != nullptr;
    });
}

bool FormView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == windowHandle()) {
        if (windowHandle()->isExposed()) SchedulePaint();
        return false;
    }
    const auto it = names_.find(watched);
    if (it == names_.end() || !form_) return false;
    const std::string name = it->second;
    switch (event->type()) {
        case QEvent::FocusIn:
            // Focus set by mirroring, or already known to the window, is not news.
            if (!syncing_ && form_->Focus() != name && form_->CanFocus(name))
                Deliver([&](Form& f) { f.DeliverFocus(name); });
            return false;
        case QEvent::KeyPress:
            return !HandleKey(name, static_cast<QKeyEvent*>(event));
        default:
            return false;
    }
}

bool FormView::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
            if (!exposeWatched_ && windowHandle()) {
                windowHandle()->installEventFilter(this);
                exposeWatched_ = true;
            }
            break;
        case QEvent::WindowActivate:
            if (form_ && !syncing_) Deliver([](Form& f) { f.Activate(); });
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

void FormView::closeEvent(QCloseEvent* event) {
    // Closed from the title bar: the window unloads (the host then lets the view go).
    if (!closing_ && form_ && !form_->Unloaded()) {
        closing_ = true;
        Deliver([](Form& f) { f.Unload(); });
    }
    event->accept();
}

void FormView::mouseMoveEvent(QMouseEvent* event) {
    if (form_ && form_->HasHandler("Form", Event::MouseMove)) {
        // The window's own coordinates are twips.
        const double twips = TwipsPerPixel(screen() ? screen()->logicalDotsPerInch() : 96.0);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const QPointF pos = event->position();
#else
        const QPointF pos = event->localPos();
#endif
        Deliver([&](Form& f) { f.DeliverMouseMove("Form", pos.x() * twips, pos.y() * twips); });
    }
    QWidget::mouseMoveEvent(event);
}

void FormView::contextMenuEvent(QContextMenuEvent* event) {
    // A right click anywhere in a window with a menu (the controls pass it on) shows it.
    if (!menu_ || !form_) return QWidget::contextMenuEvent(event);
    menu_->popup(event->globalPos());
    event->accept();
}

void FormView::keyPressEvent(QKeyEvent* event) {
    // Keys typed while no control has the focus. A key that a control has seen (and its
    // widget ignored, such as Enter in a line edit) arrives here too: it was delivered then.
    QWidget* focus = focusWidget();
    if ((!focus || !names_.count(focus)) && !HandleKey("", event)) return;
    QWidget::keyPressEvent(event);
}

void FormView::SchedulePaint() {
    if (paintPending_) return;
    paintPending_ = true;
    QTimer::singleShot(0, this, [this] {
        paintPending_ = false;
        if (form_ && isVisible()) Deliver([](Form& f) { f.DeliverPaint(); });
    });
}

}  // namespace quillon::qt
