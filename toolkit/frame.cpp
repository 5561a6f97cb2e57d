#include "frame.h"

namespace pokaz::toolkit {

Frame::Frame(QWidget* parent)
    : QGroupBox(parent)
{
    setFlat(false);
    setFocusPolicy(Qt::NoFocus);
}

} // namespace pokaz::toolkit
