// Building a form view: a widget for each control, dressed and wired to the window, placed by
// the core's layout.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "form_view.h"
#include "icons.h"
#include "picture_view.h"
#include "shell/front_rules.h"
#include "text_positions.h"

namespace quillon::qt {
namespace {

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

}  // namespace

void FormView::Build() {
    BuildMenu();
    items_.reserve(form_->Controls().size());
    for (const auto& c : form_->Controls()) {
        Item item;
        item.control = c.get();
        item.widget = Create(*c);
        items_.push_back(item);
    }
    for (Item& item : items_) {
        Wire(item);
        // Every widget is a child of the window, placed by the layout; a frame lies beneath
        // the controls it holds.
        if (item.widget && item.control->Kind() == ControlKind::Frame) item.widget->lower();
    }
    // Tab walks the controls in the window's tab order.
    QWidget* previous = nullptr;
    for (const std::string& name : TabOrder(*form_)) {
        QWidget* w = Widget(name);
        if (!w) continue;
        if (previous) setTabOrder(previous, w);
        previous = w;
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

// ---- creating the widgets ----

QWidget* FormView::Create(Control& c) {
    QWidget* w = CreateWidget(c);
    if (!w) return nullptr;
    w->setObjectName(Q(c.Name()));
    Dress(*w, c);
    return w;
}

QWidget* FormView::CreateWidget(const Control& c) {
    switch (c.Kind()) {
        case ControlKind::TextBox:
            if (c.Multiline) return new QPlainTextEdit(this);
            return new QLineEdit(this);
        case ControlKind::Label:
        case ControlKind::Image: {
            if (c.Pic) {  // an image drawn by the window itself
                auto* pic = new PictureView(this);
                pic->SetPicture(c.Pic.get());
                return pic;
            }
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            return label;
        }
        case ControlKind::CommandButton:
            return CreateButton(c);
        case ControlKind::OptionButton: {
            // The window decides which option of a group is selected.
            auto* option = new QRadioButton(this);
            option->setAutoExclusive(false);
            return option;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(this);
        case ControlKind::Frame:
            return new QGroupBox(this);
        case ControlKind::PictureBox: {
            auto* pic = new PictureView(this);
            pic->SetPicture(c.Pic.get());
            return pic;
        }
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(this);
            // A locked combo box is a drop-down list: its text is only ever a list entry.
            combo->setEditable(!c.Locked);
            combo->setInsertPolicy(QComboBox::NoInsert);
            // The edit part takes what is typed as it is, without completing it from the list.
            combo->setCompleter(nullptr);
            return combo;
        }
        case ControlKind::ListBox:
            return new QListWidget(this);
        case ControlKind::TabStrip: {
            auto* tabs = new QTabBar(this);
            tabs->setExpanding(false);
            // As wide as the window's other controls make it; tabs beyond are scrolled to.
            tabs->setUsesScrollButtons(true);
            return tabs;
        }
        case ControlKind::Toolbar: {
            auto* bar = new QToolBar(this);
            bar->setIconSize(QSize(32, 32));
            bar->setFocusPolicy(Qt::NoFocus);
            return bar;
        }
        case ControlKind::Timer:
            break;
    }
    return nullptr;
}

QWidget* FormView::CreateButton(const Control& c) {
    auto* button = new QPushButton(this);
    button->setAutoDefault(false);
    if (c.Pic) {
        // A button that shows a picture its window draws: the picture lies on the button's
        // face and lets the clicks through to the button.
        auto* pic = new PictureView(button);
        pic->SetPicture(c.Pic.get());
        pic->setAttribute(Qt::WA_TransparentForMouseEvents);
        pic->setFocusPolicy(Qt::NoFocus);
        // It fills the face inside the bevel, drawn at its scale's proportions.
        auto* face = new QHBoxLayout(button);
        face->setContentsMargins(4, 4, 4, 4);
        face->addWidget(pic);
    }
    return button;
}

void FormView::Dress(QWidget& w, const Control& c) {
    if (c.Fixed) {
        w.setFont(FixedFont());
    } else if (c.Kind() == ControlKind::PictureBox) {
        // Captions in a figure are small beside the fields' text.
        QFont font = w.font();
        font.setPointSizeF(std::max(7.0, font.pointSizeF() - 1.5));
        w.setFont(font);
    }
    if (!c.FontName.empty() || c.FontPoints > 0) {
        QFont font = w.font();
        if (!c.FontName.empty()) font.setFamily(Q(c.FontName));
        if (c.FontPoints > 0) font.setPointSizeF(c.FontPoints);
        w.setFont(font);
    }
    if (c.Pic && c.MinWidth > 0 && c.MinHeight > 0)
        // A figure keeps its declared size, so its aspect matches its scale's and it is drawn
        // to scale without bands.
        w.setFixedSize(c.MinWidth, c.MinHeight);
    else if (c.MinWidth > 0 || c.MinHeight > 0)
        w.setMinimumSize(std::max(c.MinWidth, w.minimumWidth()),
                         std::max(c.MinHeight, w.minimumHeight()));
    if (TakesFocus(c.Kind()))
        w.setFocusPolicy(c.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
    else if (c.Kind() != ControlKind::Frame)
        w.setFocusPolicy(Qt::NoFocus);
    // A control that comes and goes keeps its place, so the window does not jump.
    QSizePolicy policy = w.sizePolicy();
    // Check boxes and options answer clicks on their box and caption only: keep them that
    // wide rather than stretched across their cell.
    if (c.Kind() == ControlKind::CheckBox || c.Kind() == ControlKind::OptionButton)
        policy.setHorizontalPolicy(QSizePolicy::Maximum);
    policy.setRetainSizeWhenHidden(true);
    w.setSizePolicy(policy);
}

// ---- wiring the widgets' signals to the window ----

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
        WireLineEdit(*edit, name);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        WirePlainText(*plain, name);
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
        WireCombo(*combo, name);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, name](int row) {
            if (syncing_ || row < 0) return;
            Deliver([&](Form& f) { f.DeliverPick(name, row); });
        });
        // The first click of a double click has picked the item already.
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, name, list](QListWidgetItem* clicked) {
                    const int row = list->row(clicked);
                    if (syncing_ || row < 0) return;
                    Deliver([&](Form& f) { f.DeliverDblClick(name, row); });
                });
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        connect(tabs, &QTabBar::currentChanged, this, [this, name](int index) {
            if (syncing_ || index < 0) return;
            Deliver([&](Form& f) { f.DeliverPick(name, index + 1); });
        });
    } else if (auto* bar = qobject_cast<QToolBar*>(w)) {
        WireToolbar(*bar, c);
    }
}

void FormView::WireLineEdit(QLineEdit& edit, const std::string& name) {
    QLineEdit* e = &edit;
    connect(e, &QLineEdit::textEdited, this, [this, name, e](const QString& text) {
        const std::string typed = text.toStdString();
        const int caret = ToModelIndex(text, e->cursorPosition());
        Deliver([&](Form& f) {
            f.DeliverSetText(name, typed);
            f.DeliverSelect(name, caret, 0);
        });
    });
    auto selection = [this, name, e] {
        if (syncing_ || !form_) return;
        const QString text = e->text();
        int start = e->cursorPosition(), length = 0;
        if (e->hasSelectedText()) {
            start = e->selectionStart();
            length = static_cast<int>(e->selectedText().size());
        }
        const int from = ToModelIndex(text, start);
        form_->DeliverSelect(name, from, ToModelIndex(text, start + length) - from);
    };
    connect(e, &QLineEdit::cursorPositionChanged, this, selection);
    connect(e, &QLineEdit::selectionChanged, this, selection);
}

void FormView::WirePlainText(QPlainTextEdit& plain, const std::string& name) {
    QPlainTextEdit* p = &plain;
    connect(p, &QPlainTextEdit::textChanged, this, [this, name, p] {
        if (syncing_) return;
        const std::string typed = p->toPlainText().toStdString();
        Deliver([&](Form& f) { f.DeliverSetText(name, typed); });
    });
    connect(p, &QPlainTextEdit::selectionChanged, this, [this, name, p] {
        if (syncing_ || !form_) return;
        const QTextCursor cursor = p->textCursor();
        const QString text = Q((*form_)[name].Text);
        const int from = FromShownIndex(text, cursor.selectionStart());
        form_->DeliverSelect(name, from, FromShownIndex(text, cursor.selectionEnd()) - from);
    });
}

void FormView::WireCombo(QComboBox& combo, const std::string& name) {
    connect(&combo, QOverload<int>::of(&QComboBox::activated), this,
            [this, name](int index) { Deliver([&](Form& f) { f.DeliverPick(name, index); }); });
    if (QLineEdit* edit = combo.lineEdit())
        connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
            const std::string typed = text.toStdString();
            Deliver([&](Form& f) { f.DeliverSetText(name, typed); });
        });
}

void FormView::WireToolbar(QToolBar& bar, const Control& c) {
    const std::string name = c.Name();
    for (size_t i = 0; i < c.Buttons.size(); ++i) {
        const ToolbarButton& b = c.Buttons[i];
        if (b.separator) {
            bar.addSeparator()->setObjectName(Q(b.key));
            continue;
        }
        QAction* action = bar.addAction(ToolbarIcon(Q(b.icon)), Q(b.key));
        action->setObjectName(Q(b.key));
        action->setToolTip(Q(b.tooltip));
        const int index = static_cast<int>(i) + 1;
        connect(action, &QAction::triggered, this,
                [this, name, index] { Deliver([&](Form& f) { f.DeliverPick(name, index); }); });
    }
    if (!menu_) return;
    // The window's menu drops down from one more button at the toolbar's right end.
    bar.addSeparator()->setObjectName(QStringLiteral("MoreSeparator"));
    auto* more = new QToolButton(&bar);
    more->setObjectName(QStringLiteral("MoreMenu"));
    more->setToolTip(Q(form_->MenuTip));
    more->setMenu(menu_);
    more->setPopupMode(QToolButton::InstantPopup);
    more->setArrowType(Qt::DownArrow);
    more->setFocusPolicy(Qt::NoFocus);
    bar.addWidget(more);
}

void FormView::BuildMenu() {
    if (form_->MenuEntries.empty()) return;
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("Menu"));
    for (const std::string& entry : form_->MenuEntries) {
        QAction* action = menu_->addAction(Q(entry));
        action->setObjectName(Q(entry));
        connect(action, &QAction::triggered, this,
                [this, entry] { Deliver([&](Form& f) { f.DeliverMenu(entry); }); });
    }
}

}  // namespace quillon::qt
