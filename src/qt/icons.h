// The launcher's toolbar icons: the drawings of resources/icons, read by the core's reader
// (shell/icon_drawing.h) and painted here when first shown (no image plugin or SVG module is
// needed to show them).
#pragma once

#include <QIcon>
#include <QString>

namespace quillon::qt {

// The icon of a toolbar button by its resource name ("nose_r"); a null icon when none exists.
QIcon ToolbarIcon(const QString& name);

}  // namespace quillon::qt
