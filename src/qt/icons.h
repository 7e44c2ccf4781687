// The launcher's toolbar icons, drawn as SVG resources and rendered here when first shown (no
// image plugin is needed to show them).
#pragma once

#include <QIcon>
#include <QString>

namespace quillon::qt {

// The icon of a toolbar button by its resource name ("nose_r"); a null icon when none exists.
QIcon ToolbarIcon(const QString& name);

}  // namespace quillon::qt
