// A platform layer that records what the program asks of the system: the GUI tests' view of
// the always-on-top band, of the activation of the control's window and of the input method.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <utility>
#include <vector>

#include "platform.h"

namespace quillon::qt {

class RecordingPlatform : public Platform {
public:
    void SetTopmost(QWidget& window, bool on) override {
        topmost.emplace_back(window.objectName(), on);
    }
    void ActivateWindowByTitle(const QString& title) override { activations << title; }
    void SetInputOpen(QWidget& field, bool open) override {
        inputOpen.emplace_back(field.objectName(), open);
    }

    std::vector<std::pair<QString, bool>> topmost;  // window (class name), on
    QStringList activations;
    std::vector<std::pair<QString, bool>> inputOpen;  // field, input method opened
};

}  // namespace quillon::qt
