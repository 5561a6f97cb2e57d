#pragma once

#include "window_driver.h"

#include <QString>
#include <QStringList>

namespace pokaz::test {

// What must hold after every mouse action, whatever came before: empty if
// all is well, else what is broken.
QString brokenInvariant(const WindowDriver& window);

// Everything the learner can see of the window and the exercise's state, as
// text, so that two states compare line by line.
QStringList describeState(const WindowDriver& window);

} // namespace pokaz::test
