#include "qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputMethod>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTime>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "form_view.h"
#include "platform.h"
#include "shell/front_rules.h"

namespace quillon::qt {

QtHost::QtHost(Platform& platform) : platform_(platform) {}

QtHost::~QtHost() {
    CloseAll();
}

// ---- clipboard, messages, clock ----

void QtHost::ClearClipboard() {
    QGuiApplication::clipboard()->clear();
}

void QtHost::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtHost::ActivateWindowByTitle(const std::string& title) {
    platform_.ActivateWindowByTitle(QString::fromStdString(title));
}

void QtHost::ShowMessage(const Message& message) {
    SyncAll(true);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (message.icon) {
        case MessageIcon::Critical:
            icon = QMessageBox::Critical;
            break;
        case MessageIcon::Warning:
            icon = QMessageBox::Warning;
            break;
        case MessageIcon::Information:
            icon = QMessageBox::Information;
            break;
        case MessageIcon::Question:
            icon = QMessageBox::Question;
            break;
        case MessageIcon::None:
            break;
    }
    QMessageBox box(icon, QString::fromStdString(message.title),
                    QString::fromStdString(message.text), QMessageBox::Ok);
    box.exec();
}

DateTime QtHost::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

bool QtHost::AskYesNo(const Message& question, bool defaultYes) {
    SyncAll(true);
    QMessageBox box(QMessageBox::Question, QString::fromStdString(question.title),
                    QString::fromStdString(question.text));
    QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    box.setDefaultButton(defaultYes ? yes : no);
    box.setEscapeButton(defaultYes ? yes : no);
    box.exec();
    if (box.clickedButton() == yes) return true;
    if (box.clickedButton() == no) return false;
    return defaultYes;
}

std::optional<std::string> QtHost::AskSaveFileName(const SaveFileRequest& request) {
    SyncAll(true);
    QFileDialog dialog(nullptr, QString::fromStdString(request.title), QString(),
                       QString::fromStdString(request.typeName));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.extension));
    dialog.selectFile(QString::fromStdString(request.suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

double QtHost::Clock() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void QtHost::Wait(double seconds) {
    // Show what the handler changed before the wait (a button's flash), then let events run
    // in a local loop until the timer ends it.
    SyncAll(true);
    if (!(seconds > 0)) return;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::ceil(std::min(seconds, 86400.0) * 1000)), &loop,
                       &QEventLoop::quit);
    loop.exec();
}

// ---- windows ----

void QtHost::SetTopmost(const std::string& className, bool on) {
    if (FormView* view = ViewOf(className)) platform_.SetTopmost(*view, on);
}

void QtHost::PlaceWindow(Form& form, int dxTwips, int dyTwips) {
    FormView* view = ViewOf(form);
    if (!view) return;
    QScreen* screen = view->screen() ? view->screen() : QGuiApplication::primaryScreen();
    if (!screen) throw std::runtime_error("no screen to place the window on");
    view->Sync(true);
    view->adjustSize();
    // Twips are converted with the screen's logical resolution.
    const QRect area = screen->geometry();
    const ScreenPoint at = BottomRightPlacement(
        {area.x(), area.y(), area.width(), area.height()}, view->width(), view->height(), dxTwips,
        dyTwips, screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY(),
        // The corner stays in the work area (the task bar left out).
        [&] {
            const QRect work = screen->availableGeometry();
            return ScreenRect{work.x(), work.y(), work.width(), work.height()};
        }());
    view->move(at.x, at.y);
}

void QtHost::SetInputMode(Form& form, const std::string& control, InputMode mode) {
    FormView* view = ViewOf(form);
    QWidget* field = view ? view->Widget(control) : nullptr;
    if (!field || mode == InputMode::NoControl) return;
    // Off: half-width Latin input; on: no restriction, for Japanese input.
    const Qt::InputMethodHints hints =
        mode == InputMode::Off ? Qt::ImhPreferLatin | Qt::ImhNoPredictiveText : Qt::ImhNone;
    field->setInputMethodHints(hints);
    for (QWidget* inner : field->findChildren<QWidget*>()) inner->setInputMethodHints(hints);
    if (field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()))
        QGuiApplication::inputMethod()->update(Qt::ImHints);
    platform_.SetInputOpen(*field, mode == InputMode::On);
}

void QtHost::FormUnloaded(Form& form) {
    const auto it = views_.find(&form);
    if (it == views_.end()) return;
    QPointer<FormView> view = it->second;
    views_.erase(it);
    if (!view) return;
    view->Detach();
    view->CloseUnloaded();
    view->deleteLater();
}

void QtHost::EndProgram() {
    endRequested_ = true;
    // The process ends with every window, without any window's own unload running: the views
    // stop talking to their windows now (they are deleted at the end).
    for (const auto& [form, view] : views_)
        if (view) view->Detach();
    // Ends after the current handler: the event loop (and any wait inside it) returns.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void QtHost::Created(Form& form) {
    auto* view = new FormView(form, *this);
    views_[&form] = view;
    // A window whose state changes outside its own events (another window's copy reaching the
    // history window) is mirrored at once.
    form.SetChangeListener([this](Form& changed) {
        if (FormView* shown = ViewOf(changed)) shown->Sync();
    });
}

void QtHost::Show(Form& form) {
    FormView* view = ViewOf(form);
    if (!view) return;
    view->Sync(true);
    if (view->isMinimized())
        view->showNormal();
    else
        view->show();
    view->raise();
    view->activateWindow();
}

FormView* QtHost::ViewOf(const Form& form) const {
    const auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second.data();
}

FormView* QtHost::ViewOf(const std::string& className) const {
    for (const auto& [form, view] : views_)
        if (view && view->Model() && view->ClassName() == className) return view.data();
    return nullptr;
}

void QtHost::AfterEvent() {
    SyncAll();
    if (windows_ && !collectPending_) {
        collectPending_ = true;
        QTimer::singleShot(0, this, [this] {
            collectPending_ = false;
            if (windows_) windows_->Collect();
        });
    }
}

void QtHost::SyncAll(bool force) {
    // Syncing never delivers events, so the list cannot change meanwhile; copy it anyway.
    const auto views = views_;
    for (const auto& [form, view] : views)
        if (view) view->Sync(force);
}

void QtHost::CloseAll() {
    const auto views = views_;
    views_.clear();
    for (const auto& [form, view] : views) {
        if (!view) continue;
        view->Detach();
        delete view.data();
    }
}

}  // namespace quillon::qt
