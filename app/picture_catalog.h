#pragma once

#include "control.h"

#include <QIcon>
#include <QImage>
#include <QString>

namespace pokaz {

enum class PictureProperty { Picture, DragIcon };

// The compiled-in file that holds a control's picture or drag icon, named
// after the control and the property: ":/assets/Pic_Papir_2.bmp",
// ":/assets/Pic_Olovke.drag.ico".
QString picturePath(Control control, PictureProperty property);

// Reads that file: a bitmap as an opaque image, a drag icon as its 32 x 32
// image with the transparency of its mask. A missing or unreadable picture
// means a broken build, so it stops the program with a message that names the
// file.
QImage loadPicture(Control control, PictureProperty property = PictureProperty::Picture);

// Form_Pokaz.ico with both of its sizes.
QIcon windowIcon();

} // namespace pokaz
