// The generic form view: builds Qt widgets from any window's control table (placed by the
// core's layout of its declared grid, frames as group boxes), forwards the user's events to the
// window and mirrors the window's state back into the widgets after every event.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/form.h"
#include "shell/layout.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QMenu;
class QListWidget;
class QPlainTextEdit;
class QTabBar;
class QTimer;
class QToolBar;

namespace quillon::qt {

class QtHost;

class FormView : public QWidget {
    Q_OBJECT

public:
    FormView(Form& form, QtHost& host);
    ~FormView() override;

    // The window shown; nullptr once it has unloaded.
    Form* Model() const { return form_; }
    const std::string& ClassName() const { return className_; }
    // The widget of a control (nullptr for controls without one, such as timers).
    QWidget* Widget(const std::string& control) const;

    // The window has unloaded: stop talking to it (it may be destroyed soon).
    void Detach();
    // Closes the view of a window that has unloaded.
    void CloseUnloaded();
    // Mirrors the window's state into the widgets; unless forced, only when the window had
    // an event since it was last mirrored.
    void Sync(bool force = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Item {
        Control* control = nullptr;
        QWidget* widget = nullptr;
        QTimer* timer = nullptr;
        // What was mirrored last, so that only changes touch the widgets.
        std::optional<Color> back, fore;
        std::vector<std::string> items;
        std::vector<std::string> tabs;
        bool colorsApplied = false;
    };

    // Building (form_view_build.cpp).
    void Build();
    // Places every widget where the window's declared grid puts it, at the sizes the widgets
    // need now, and fixes the window's size.
    void Relayout();
    layout::Metrics LayoutMetrics() const;
    QWidget* Create(Control& c);
    QWidget* CreateWidget(const Control& c);
    QWidget* CreateButton(const Control& c);
    // Font, size and focus policy of a new widget, from the control's declaration.
    void Dress(QWidget& w, const Control& c);
    void Wire(Item& item);
    void WireLineEdit(QLineEdit& edit, const std::string& name);
    void WirePlainText(QPlainTextEdit& plain, const std::string& name);
    void WireCombo(QComboBox& combo, const std::string& name);
    void WireToolbar(QToolBar& bar, const Control& c);
    // The window's pop-up menu (its MenuEntries), or nothing when it has none.
    void BuildMenu();

    // Mirroring (form_view_sync.cpp): one function per kind of widget.
    void SyncItem(Item& item);
    void SyncTimer(Item& item);
    void SyncLineEdit(QLineEdit& edit, const Control& c);
    void SyncPlainText(QPlainTextEdit& plain, const Control& c);
    void SyncButton(QAbstractButton& button, const Control& c);
    void SyncCombo(Item& item, QComboBox& combo);
    void SyncList(Item& item, QListWidget& list);
    void SyncTabs(Item& item, QTabBar& tabs);
    void SyncToolbar(QToolBar& bar, const Control& c);
    void SyncColors(Item& item);
    void SyncFocus();

    // Input (form_view.cpp).
    // Delivers a user event to the window, then lets the host mirror every window.
    void Deliver(const std::function<void(Form&)>& fn);
    // A key press on a control (or the window): the window sees it first; false swallows it.
    bool HandleKey(const std::string& control, QKeyEvent* event);
    void SchedulePaint();

    Form* form_;
    QtHost& host_;
    std::string className_;
    std::vector<Item> items_;
    std::map<const QObject*, std::string> names_;
    // The pop-up menu of a window that has one: on its toolbar's drop-down button and on a
    // right click anywhere in the window.
    QMenu* menu_ = nullptr;
    bool syncing_ = false;
    bool closing_ = false;
    bool paintPending_ = false;
    bool exposeWatched_ = false;
    bool layoutDirty_ = true;
    // The window's revision when it was last mirrored.
    bool synced_ = false;
    unsigned syncedRevision_ = 0;
};

}  // namespace quillon::qt
