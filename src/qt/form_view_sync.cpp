// Mirroring a window's state into its view's widgets: one function per kind of widget, each
// touching a widget only where the window's state differs from what it shows.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>

#include "form_view.h"
#include "picture_view.h"
#include "qt_host.h"
#include "shell/front_rules.h"
#include "text_positions.h"

namespace quillon::qt {

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
    if (item.timer) return SyncTimer(item);
    QWidget* w = item.widget;
    if (!w) return;
    const QSignalBlocker block(w);
    // A control in a disabled or hidden frame is shown so: the frame is not its parent widget.
    const bool enabled = EnabledWithFrames(*form_, c);
    const bool visible = VisibleWithFrames(*form_, c);
    if (w->testAttribute(Qt::WA_Disabled) == enabled) w->setEnabled(enabled);
    if (w->isHidden() == visible) w->setVisible(visible);
    const QString tip = Q(c.ToolTip);
    if (w->toolTip() != tip) w->setToolTip(tip);
    const QString text = Q(c.Text);

    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        SyncLineEdit(*edit, c);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        SyncPlainText(*plain, c);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text() != text) label->setText(text), layoutDirty_ = true;
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        SyncButton(*button, c);
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        if (frame->title() != text) frame->setTitle(text), layoutDirty_ = true;
    } else if (auto* pic = qobject_cast<PictureView*>(w)) {
        pic->SetBackground(c.BackColor ? ToQColor(*c.BackColor) : QColor(Qt::black));
        pic->Refresh();
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        SyncCombo(item, *combo);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        SyncList(item, *list);
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        SyncTabs(item, *tabs);
    } else if (auto* bar = qobject_cast<QToolBar*>(w)) {
        SyncToolbar(*bar, c);
    }
    SyncColors(item);
}

void FormView::SyncTimer(Item& item) {
    const int ms = TimerPeriodMs(*item.control);
    if (ms > 0 && (!item.timer->isActive() || item.timer->interval() != ms))
        item.timer->start(ms);
    else if (ms == 0 && item.timer->isActive())
        item.timer->stop();
}

void FormView::SyncLineEdit(QLineEdit& edit, const Control& c) {
    const QString text = Q(c.Text);
    if (edit.text() != text) edit.setText(text);
    if (edit.isReadOnly() != c.Locked) edit.setReadOnly(c.Locked);
    const int start = ToQtIndex(text, c.SelStart);
    const int length = ToQtIndex(text, c.SelStart + c.SelLength) - start;
    const int shownStart = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
    const int shownLength =
        edit.hasSelectedText() ? static_cast<int>(edit.selectedText().size()) : 0;
    if (shownStart != start || shownLength != length) {
        if (length > 0)
            edit.setSelection(start, length);
        else
            edit.setCursorPosition(start);
    }
}

void FormView::SyncPlainText(QPlainTextEdit& plain, const Control& c) {
    const QString text = Q(c.Text);
    const QString shown = ShownLines(text);
    if (plain.toPlainText() != shown) plain.setPlainText(shown);
    if (plain.isReadOnly() != c.Locked) plain.setReadOnly(c.Locked);
    // The caret or selection the window set; a caret put on a line scrolls it into view.
    const int start = ToShownIndex(text, c.SelStart);
    const int end = ToShownIndex(text, c.SelStart + c.SelLength);
    QTextCursor cursor = plain.textCursor();
    if (cursor.selectionStart() != start || cursor.selectionEnd() != end) {
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        plain.setTextCursor(cursor);
        plain.ensureCursorVisible();
    }
}

void FormView::SyncButton(QAbstractButton& button, const Control& c) {
    const QString text = Q(c.Text);
    if (button.text() != text) button.setText(text), layoutDirty_ = true;
    if (auto* pic = button.findChild<PictureView*>()) {
        pic->SetBackground(ToQColor(c.BackColor.value_or(colors::ButtonFace)));
        pic->Refresh();
    }
    if (button.isCheckable() && button.isChecked() != c.Value) button.setChecked(c.Value);
}

void FormView::SyncCombo(Item& item, QComboBox& combo) {
    const Control& c = *item.control;
    if (item.items != c.Items) {
        combo.clear();
        for (const auto& s : c.Items) combo.addItem(Q(s));
        item.items = c.Items;
        layoutDirty_ = true;
    }
    if (combo.currentIndex() != c.ListIndex) combo.setCurrentIndex(c.ListIndex);
    const QString text = Q(c.Text);
    if (combo.currentText() != text) combo.setEditText(text);
}

void FormView::SyncList(Item& item, QListWidget& list) {
    const Control& c = *item.control;
    if (item.items != c.Items) {
        list.clear();
        for (const auto& s : c.Items) list.addItem(Q(s));
        item.items = c.Items;
    }
    if (list.currentRow() != c.ListIndex) list.setCurrentRow(c.ListIndex);
}

void FormView::SyncTabs(Item& item, QTabBar& tabs) {
    const Control& c = *item.control;
    if (item.tabs != c.Tabs) {
        while (tabs.count() > 0) tabs.removeTab(0);
        for (const auto& s : c.Tabs) tabs.addTab(Q(s));
        item.tabs = c.Tabs;
        layoutDirty_ = true;
    }
    if (tabs.currentIndex() != c.SelectedTab - 1) tabs.setCurrentIndex(c.SelectedTab - 1);
}

void FormView::SyncToolbar(QToolBar& bar, const Control& c) {
    const QList<QAction*> actions = bar.actions();
    for (size_t i = 0; i < c.Buttons.size() && i < static_cast<size_t>(actions.size()); ++i) {
        const ToolbarButton& b = c.Buttons[i];
        QAction* action = actions[static_cast<int>(i)];
        if (b.separator) continue;
        if (action->isEnabled() != b.enabled) action->setEnabled(b.enabled);
        if (action->toolTip() != Q(b.tooltip)) action->setToolTip(Q(b.tooltip));
    }
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
