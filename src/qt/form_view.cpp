#include "form_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <vector>

#include "icons.h"
#include "picture_view.h"
#include "qt_host.h"
#include "shell/utf8.h"

namespace quillon::qt {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Character positions: the window counts code points, Qt counts UTF-16 units.
int ToQtIndex(const QString& text, int codePoints) {
    int i = 0;
    for (int n = 0; i < text.size() && n < codePoints; ++n)
        i += (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    return i;
}

int ToModelIndex(const QString& text, int utf16) {
    return static_cast<int>(text.left(utf16).toUcs4().size());
}

// A multi-line field holds its lines joined by CR LF; the editor shows them joined by LF.
// Positions in the window count every code point, the CR included.
QString ShownLines(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// For each code point of the window's text (and its end), where it stands in the shown text.
std::vector<int> ShownOffsets(const QString& text) {
    std::vector<int> offsets;
    offsets.reserve(static_cast<size_t>(text.size()) + 1);
    int shown = 0;
    for (int i = 0; i < text.size();) {
        offsets.push_back(shown);
        const bool lineBreak =
            text.at(i) == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n';
        const int units = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        i += units;
        if (!lineBreak) shown += units;
    }
    offsets.push_back(shown);
    return offsets;
}

int ToShownIndex(const QString& text, int codePoints) {
    const std::vector<int> offsets = ShownOffsets(text);
    return offsets[std::clamp<size_t>(static_cast<size_t>(std::max(codePoints, 0)), 0,
                                      offsets.size() - 1)];
}

int FromShownIndex(const QString& text, int shownUnits) {
    const std::vector<int> offsets = ShownOffsets(text);
    // The first code point at that place: a line break is taken whole, before its CR.
    const auto it = std::lower_bound(offsets.begin(), offsets.end(), shownUnits);
    return std::min(static_cast<int>(it - offsets.begin()), static_cast<int>(offsets.size()) - 1);
}

// The fixed-pitch font of columns that hold Japanese as well: a Japanese glyph takes exactly
// two columns in it, as in the Japanese system's fixed font, so that a header of Japanese words
// stands over the digits below it. Without such a font installed, the system's fixed font.
QFont FixedFont() {
    static const QFont font = [] {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
#else
        const QStringList japanese = QFontDatabase().families(QFontDatabase::Japanese);
#endif
        // Measured, since such fonts call themselves of two widths rather than fixed.
        auto twoColumns = [&fixed](const QString& family) {
            QFont candidate = fixed;
            candidate.setFamily(family);
            if (QFontInfo(candidate).family() != family) return false;
            const QFontMetricsF m(candidate);
            const double column = m.horizontalAdvance(QLatin1Char('M'));
            return column > 0 && m.horizontalAdvance(QLatin1Char('i')) == column &&
                   m.horizontalAdvance(QStringLiteral("径")) == 2 * column;
        };
        QString chosen;
        for (const QString& family : japanese)
            if ((chosen.isEmpty() || family.contains(QStringLiteral(" JP"))) && twoColumns(family))
                chosen = family;
        if (!chosen.isEmpty()) fixed.setFamily(chosen);
        return fixed;
    }();
    return font;
}

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

// ---- building ----

void FormView::Build() {
    items_.reserve(form_->Controls().size());
    for (const auto& c : form_->Controls()) {
        Item item;
        item.control = c.get();
        item.widget = Create(*c);
        items_.push_back(item);
    }
    QWidget* previous = nullptr;
    for (Item& item : items_) {
        Wire(item);
        if (!item.widget) continue;
        // Every widget is a child of the window, placed by the layout; a frame lies beneath
        // the controls it holds.
        if (item.control->Kind() == ControlKind::Frame) item.widget->lower();
        if (item.widget->focusPolicy() != Qt::NoFocus) {
            if (previous) setTabOrder(previous, item.widget);
            previous = item.widget;
        }
    }
    setWindowTitle(Q(form_->Caption));
}

layout::Metrics FormView::LayoutMetrics() const {
    layout::Metrics m;
    const QStyle* s = style();
    m.margin = std::max(6, s->pixelMetric(QStyle::PM_LayoutLeftMargin));
    m.spacing = std::max(4, s->pixelMetric(QStyle::PM_LayoutHorizontalSpacing));
    m.frameTop = fontMetrics().height() + m.spacing + 2;
    m.frameMargin = m.margin;
    return m;
}

void FormView::Relayout() {
    layoutDirty_ = false;
    std::map<const Control*, QWidget*> widgets;
    for (const Item& item : items_)
        if (item.widget) widgets[item.control] = item.widget;
    const auto measure = [&](const Control& c) -> layout::Size {
        QWidget* w = widgets.count(&c) ? widgets[&c] : nullptr;
        if (!w) return {};
        if (auto* frame = qobject_cast<QGroupBox*>(w))
            return {frame->fontMetrics().horizontalAdvance(frame->title()) + 24,
                    frame->fontMetrics().height()};
        const QSize hint = w->sizeHint().expandedTo(w->minimumSizeHint());
        // Tabs beyond the width the window's other controls give are scrolled to.
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            return {tabs->minimumSizeHint().width(), hint.height()};
        // A multi-line field has no natural size of its own: it is as large as declared.
        if (qobject_cast<QPlainTextEdit*>(w))
            return {c.MinWidth > 0 ? 0 : hint.width(), c.MinHeight > 0 ? 0 : hint.height()};
        return {hint.width(), hint.height()};
    };
    const layout::Result placed = layout::LayOut(*form_, measure, LayoutMetrics());
    for (const Item& item : items_) {
        if (!item.widget) continue;
        const auto r = placed.rects.find(item.control->Name());
        if (r == placed.rects.end()) continue;
        item.widget->setGeometry(r->second.x, r->second.y, r->second.width, r->second.height);
    }
    // Tool windows have a fixed size, as their layout was designed.
    setFixedSize(placed.client.width, placed.client.height);
}

QWidget* FormView::Create(Control& c) {
    QWidget* w = nullptr;
    switch (c.Kind()) {
        case ControlKind::TextBox:
            if (c.Multiline)
                w = new QPlainTextEdit(this);
            else
                w = new QLineEdit(this);
            break;
        case ControlKind::Label:
        case ControlKind::Image: {
            if (c.Pic) {  // an image drawn by the window itself
                auto* pic = new PictureView(this);
                pic->SetPicture(c.Pic.get());
                w = pic;
                break;
            }
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            w = label;
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(this);
            button->setAutoDefault(false);
            if (c.Pic) {
                // A button that shows a picture its window draws: the picture lies on the
                // button's face and lets the clicks through to the button.
                auto* pic = new PictureView(button);
                pic->SetPicture(c.Pic.get());
                pic->setAttribute(Qt::WA_TransparentForMouseEvents);
                pic->setFocusPolicy(Qt::NoFocus);
                // It fills the face inside the bevel, drawn at its scale's proportions.
                auto* face = new QHBoxLayout(button);
                face->setContentsMargins(4, 4, 4, 4);
                face->addWidget(pic);
            }
            w = button;
            break;
        }
        case ControlKind::OptionButton: {
            // The window decides which option of a group is selected.
            auto* option = new QRadioButton(this);
            option->setAutoExclusive(false);
            w = option;
            break;
        }
        case ControlKind::CheckBox:
            w = new QCheckBox(this);
            break;
        case ControlKind::Frame:
            w = new QGroupBox(this);
            break;
        case ControlKind::PictureBox: {
            auto* pic = new PictureView(this);
            pic->SetPicture(c.Pic.get());
            w = pic;
            break;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(this);
            // A locked combo box is a drop-down list: its text is only ever a list entry.
            combo->setEditable(!c.Locked);
            combo->setInsertPolicy(QComboBox::NoInsert);
            // The edit part takes what is typed as it is, without completing it from the list.
            combo->setCompleter(nullptr);
            w = combo;
            break;
        }
        case ControlKind::ListBox:
            w = new QListWidget(this);
            break;
        case ControlKind::TabStrip: {
            auto* tabs = new QTabBar(this);
            tabs->setExpanding(false);
            // As wide as the window's other controls make it; tabs beyond are scrolled to.
            tabs->setUsesScrollButtons(true);
            w = tabs;
            break;
        }
        case ControlKind::Toolbar: {
            auto* bar = new QToolBar(this);
            bar->setIconSize(QSize(32, 32));
            bar->setFocusPolicy(Qt::NoFocus);
            w = bar;
            break;
        }
        case ControlKind::Timer:
            return nullptr;
    }
    w->setObjectName(Q(c.Name()));
    if (c.Fixed) {
        w->setFont(FixedFont());
    } else if (c.Kind() == ControlKind::PictureBox) {
        // Captions in a figure are small beside the fields' text.
        QFont font = w->font();
        font.setPointSizeF(std::max(7.0, font.pointSizeF() - 1.5));
        w->setFont(font);
    }
    if (!c.FontName.empty() || c.FontPoints > 0) {
        QFont font = w->font();
        if (!c.FontName.empty()) font.setFamily(Q(c.FontName));
        if (c.FontPoints > 0) font.setPointSizeF(c.FontPoints);
        w->setFont(font);
    }
    if (c.Pic && c.MinWidth > 0 && c.MinHeight > 0)
        // A figure keeps its declared size, so its aspect matches its scale's and it is drawn
        // to scale without bands.
        w->setFixedSize(c.MinWidth, c.MinHeight);
    else if (c.MinWidth > 0 || c.MinHeight > 0)
        w->setMinimumSize(std::max(c.MinWidth, w->minimumWidth()),
                          std::max(c.MinHeight, w->minimumHeight()));
    if (TakesFocus(c.Kind()))
        w->setFocusPolicy(c.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
    else if (c.Kind() != ControlKind::Frame)
        w->setFocusPolicy(Qt::NoFocus);
    // A control that comes and goes keeps its place, so the window does not jump.
    QSizePolicy policy = w->sizePolicy();
    // Check boxes and options answer clicks on their box and caption only: keep them that
    // wide rather than stretched across their cell.
    if (c.Kind() == ControlKind::CheckBox || c.Kind() == ControlKind::OptionButton)
        policy.setHorizontalPolicy(QSizePolicy::Maximum);
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
    return w;
}

void FormView::Wire(Item& item) {
    Control& c = *item.control;
    const std::string name = c.Name();
    if (c.Kind() == ControlKind::Timer) {
        item.timer = new QTimer(this);
        item.timer->setObjectName(Q(name));
        connect(item.timer, &QTimer::timeout, this,
                [this, name] { Deliver([&](Form& f) { f.DeliverTick(name); }); });
        return;
    }
    QWidget* w = item.widget;
    if (!w) return;
    names_[w] = name;
    w->installEventFilter(this);

    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, [this, name, edit](const QString& text) {
            const std::string typed = text.toStdString();
            const int caret = ToModelIndex(text, edit->cursorPosition());
            Deliver([&](Form& f) {
                f.DeliverSetText(name, typed);
                f.DeliverSelect(name, caret, 0);
            });
        });
        auto selection = [this, name, edit] {
            if (syncing_ || !form_) return;
            const QString text = edit->text();
            int start = edit->cursorPosition(), length = 0;
            if (edit->hasSelectedText()) {
                start = edit->selectionStart();
                length = static_cast<int>(edit->selectedText().size());
            }
            const int from = ToModelIndex(text, start);
            form_->DeliverSelect(name, from, ToModelIndex(text, start + length) - from);
        };
        connect(edit, &QLineEdit::cursorPositionChanged, this, selection);
        connect(edit, &QLineEdit::selectionChanged, this, selection);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        connect(plain, &QPlainTextEdit::textChanged, this, [this, name, plain] {
            if (syncing_) return;
            const std::string typed = plain->toPlainText().toStdString();
            Deliver([&](Form& f) { f.DeliverSetText(name, typed); });
        });
        connect(plain, &QPlainTextEdit::selectionChanged, this, [this, name, plain] {
            if (syncing_ || !form_) return;
            const QTextCursor cursor = plain->textCursor();
            const QString text = Q((*form_)[name].Text);
            const int from = FromShownIndex(text, cursor.selectionStart());
            form_->DeliverSelect(name, from, FromShownIndex(text, cursor.selectionEnd()) - from);
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        connect(button, &QAbstractButton::clicked, this,
                [this, name] { Deliver([&](Form& f) { f.DeliverClick(name); }); });
    } else if (auto* pic = qobject_cast<PictureView*>(w)) {
        if (form_->HasHandler(name, Event::MouseMove)) {
            pic->setCursor(Qt::CrossCursor);
            pic->OnMouseMove([this, name](double x, double y) {
                Deliver([&](Form& f) { f.DeliverMouseMove(name, x, y); });
            });
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, QOverload<int>::of(&QComboBox::activated), this,
                [this, name](int index) { Deliver([&](Form& f) { f.DeliverPick(name, index); }); });
        if (QLineEdit* edit = combo->lineEdit())
            connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
                const std::string typed = text.toStdString();
                Deliver([&](Form& f) { f.DeliverSetText(name, typed); });
            });
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, name](int row) {
            if (syncing_ || row < 0) return;
            Deliver([&](Form& f) { f.DeliverPick(name, row); });
        });
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        connect(tabs, &QTabBar::currentChanged, this, [this, name](int index) {
            if (syncing_ || index < 0) return;
            Deliver([&](Form& f) { f.DeliverPick(name, index + 1); });
        });
    } else if (auto* bar = qobject_cast<QToolBar*>(w)) {
        for (size_t i = 0; i < c.Buttons.size(); ++i) {
            const ToolbarButton& b = c.Buttons[i];
            if (b.separator) {
                bar->addSeparator()->setObjectName(Q(b.key));
                continue;
            }
            QAction* action = bar->addAction(ToolbarIcon(Q(b.icon)), Q(b.key));
            action->setObjectName(Q(b.key));
            action->setToolTip(Q(b.tooltip));
            const int index = static_cast<int>(i) + 1;
            connect(action, &QAction::triggered, this,
                    [this, name, index] { Deliver([&](Form& f) { f.DeliverPick(name, index); }); });
        }
    }
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
    QPointer<FormView> self(this);
    // The key goes to the control that has the focus on screen; keep the window in step.
    if (!control.empty() && form_->Focus() != control && form_->CanFocus(control))
        Deliver([&](Form& f) { f.DeliverFocus(control); });
    if (!self || !form_) return false;
    bool passed = true;
    Deliver([&](Form& f) { passed = f.DeliverKey(key, /*applyDefault=*/false); });
    if (!self || !passed) return false;
    // Enter presses a button that has the focus (the space bar is the button widget's own).
    const Control* c = form_ ? form_->Find(control) : nullptr;
    if (c && key.keyCode == keys::Enter && PressesButton(*c, key)) {
        Deliver([&](Form& f) { f.DeliverClick(control); });
        return false;
    }
    return true;
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
        const double twips = 1440.0 / (screen() ? screen()->logicalDotsPerInch() : 96.0);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const QPointF pos = event->position();
#else
        const QPointF pos = event->localPos();
#endif
        Deliver([&](Form& f) { f.DeliverMouseMove("Form", pos.x() * twips, pos.y() * twips); });
    }
    QWidget::mouseMoveEvent(event);
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

// ---- mirroring the window's state ----

void FormView::Sync(bool force) {
    if (!form_ || syncing_) return;
    // A window changes only in its own events, each of which bumps its revision when it
    // ends: after an event, a window that had none since the last mirroring is left alone (a
    // running stopwatch's ticks then touch no other window). Inside an event (a wait, a
    // placement) the caller forces the mirroring.
    if (!force && synced_ && form_->Revision() == syncedRevision_) return;
    synced_ = true;
    syncedRevision_ = form_->Revision();
    syncing_ = true;
    const QString caption = Q(form_->Caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    for (Item& item : items_) SyncItem(item);
    if (layoutDirty_) Relayout();
    SyncFocus();
    syncing_ = false;
}

void FormView::SyncItem(Item& item) {
    const Control& c = *item.control;
    if (item.timer) {
        const int ms = std::max(1, static_cast<int>(std::lround(c.Interval * 1000)));
        const bool run = c.Enabled && c.Interval > 0;
        if (run && (!item.timer->isActive() || item.timer->interval() != ms))
            item.timer->start(ms);
        else if (!run && item.timer->isActive())
            item.timer->stop();
        return;
    }
    QWidget* w = item.widget;
    if (!w) return;
    const QSignalBlocker block(w);
    if (w->testAttribute(Qt::WA_Disabled) == c.Enabled) w->setEnabled(c.Enabled);
    if (w->isHidden() == c.Visible) w->setVisible(c.Visible);
    const QString tip = Q(c.ToolTip);
    if (w->toolTip() != tip) w->setToolTip(tip);
    const QString text = Q(c.Text);

    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != text) edit->setText(text);
        if (edit->isReadOnly() != c.Locked) edit->setReadOnly(c.Locked);
        const int start = ToQtIndex(text, c.SelStart);
        const int length = ToQtIndex(text, c.SelStart + c.SelLength) - start;
        const int shownStart =
            edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int shownLength =
            edit->hasSelectedText() ? static_cast<int>(edit->selectedText().size()) : 0;
        if (shownStart != start || shownLength != length) {
            if (length > 0)
                edit->setSelection(start, length);
            else
                edit->setCursorPosition(start);
        }
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        const QString shown = ShownLines(text);
        if (plain->toPlainText() != shown) plain->setPlainText(shown);
        if (plain->isReadOnly() != c.Locked) plain->setReadOnly(c.Locked);
        // The caret or selection the window set; a caret put on a line scrolls it into view.
        const int start = ToShownIndex(text, c.SelStart);
        const int end = ToShownIndex(text, c.SelStart + c.SelLength);
        QTextCursor cursor = plain->textCursor();
        if (cursor.selectionStart() != start || cursor.selectionEnd() != end) {
            cursor.setPosition(start);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            plain->setTextCursor(cursor);
            plain->ensureCursorVisible();
        }
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text() != text) label->setText(text), layoutDirty_ = true;
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text() != text) button->setText(text), layoutDirty_ = true;
        if (auto* pic = button->findChild<PictureView*>()) {
            pic->SetBackground(ToQColor(c.BackColor.value_or(colors::ButtonFace)));
            pic->Refresh();
        }
        if (button->isCheckable() && button->isChecked() != c.Value) button->setChecked(c.Value);
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        if (frame->title() != text) frame->setTitle(text), layoutDirty_ = true;
    } else if (auto* pic = qobject_cast<PictureView*>(w)) {
        pic->SetBackground(c.BackColor ? ToQColor(*c.BackColor) : QColor(Qt::black));
        pic->Refresh();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (item.items != c.Items) {
            combo->clear();
            for (const auto& s : c.Items) combo->addItem(Q(s));
            item.items = c.Items;
            layoutDirty_ = true;
        }
        if (combo->currentIndex() != c.ListIndex) combo->setCurrentIndex(c.ListIndex);
        if (combo->currentText() != text) combo->setEditText(text);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (item.items != c.Items) {
            list->clear();
            for (const auto& s : c.Items) list->addItem(Q(s));
            item.items = c.Items;
        }
        if (list->currentRow() != c.ListIndex) list->setCurrentRow(c.ListIndex);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        if (item.tabs != c.Tabs) {
            while (tabs->count() > 0) tabs->removeTab(0);
            for (const auto& s : c.Tabs) tabs->addTab(Q(s));
            item.tabs = c.Tabs;
            layoutDirty_ = true;
        }
        if (tabs->currentIndex() != c.SelectedTab - 1) tabs->setCurrentIndex(c.SelectedTab - 1);
    } else if (auto* bar = qobject_cast<QToolBar*>(w)) {
        const QList<QAction*> actions = bar->actions();
        for (size_t i = 0; i < c.Buttons.size() && i < static_cast<size_t>(actions.size()); ++i) {
            const ToolbarButton& b = c.Buttons[i];
            QAction* action = actions[static_cast<int>(i)];
            if (b.separator) continue;
            if (action->isEnabled() != b.enabled) action->setEnabled(b.enabled);
            if (action->toolTip() != Q(b.tooltip)) action->setToolTip(Q(b.tooltip));
        }
    }
    SyncColors(item);
}

void FormView::SyncColors(Item& item) {
    const Control& c = *item.control;
    if (item.colorsApplied && item.back == c.BackColor && item.fore == c.ForeColor) return;
    item.colorsApplied = true;
    item.back = c.BackColor;
    item.fore = c.ForeColor;
    QWidget* w = item.widget;
    if (qobject_cast<PictureView*>(w)) return;  // painted from the picture's own colours
    QPalette::ColorRole backRole = QPalette::Window, foreRole = QPalette::WindowText;
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
        qobject_cast<QComboBox*>(w) || qobject_cast<QListWidget*>(w)) {
        backRole = QPalette::Base;
        foreRole = QPalette::Text;
    } else if (qobject_cast<QPushButton*>(w)) {
        backRole = QPalette::Button;
        foreRole = QPalette::ButtonText;
    }
    QPalette pal = QApplication::palette(w);
    if (c.BackColor) pal.setColor(backRole, ToQColor(*c.BackColor));
    if (c.ForeColor) {
        pal.setColor(QPalette::Active, foreRole, ToQColor(*c.ForeColor));
        pal.setColor(QPalette::Inactive, foreRole, ToQColor(*c.ForeColor));
    }
    w->setPalette(pal);
    if (backRole == QPalette::Window) w->setAutoFillBackground(c.BackColor.has_value());
}

void FormView::SyncFocus() {
    const std::string& focus = form_->Focus();
    if (focus.empty()) return;
    QWidget* w = Widget(focus);
    if (!w || focusWidget() == w) return;
    w->setFocus(Qt::OtherFocusReason);
}

}  // namespace quillon::qt
