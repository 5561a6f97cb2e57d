#pragma once

#include "ole_color.h"

#include <QColor>
#include <QPalette>

#include <optional>

namespace pokaz::toolkit {

// A system colour is the palette role that plays its part on this desktop,
// so it follows the desktop's colour scheme; a fixed colour is just that.
std::optional<QPalette::ColorRole> systemColorRole(OleColor color);
QColor fixedColor(OleColor color);

} // namespace pokaz::toolkit
