#pragma once

#include "asset_manifest.h"
#include "control.h"

#include <QIcon>
#include <QImage>
#include <QString>

namespace pokaz {

enum class PictureProperty { Picture, DragIcon };

// Every picture also comes at twice its size (assets::DoubleFactor), for
// screens scaled above 100 %.
enum class PictureScale { Single, Double };

// The compiled-in file that holds a control's picture or drag icon, named
// after the control and the property (layout.h): ":/assets/Pic_Papir_2.bmp",
// ":/assets/Pic_Olovke.drag.ico"; at twice the size, in the manifest's folder
// for them, ":/assets/2x/Pic_Papir_2.bmp".
QString picturePath(Control control, PictureProperty property, PictureScale scale = PictureScale::Single);

// Reads that file: a bitmap as an opaque image, a drag icon as its 32 x 32
// image (64 x 64 at twice the size) with the transparency of its mask. A
// missing or unreadable picture means a broken build, so it stops the program
// with a message that names the file.
QImage loadPicture(
    Control control, PictureProperty property = PictureProperty::Picture, PictureScale scale = PictureScale::Single);

// Whether the pictures at twice the size are at hand: always where they are
// compiled in; in the browser, where the page fetched them for the screen.
bool hasDoubleSizePictures();

// Makes the compiled-in faces Tahoma and MS Sans Serif known to Qt, so that
// they look the same on any machine. Call once, after the application object
// exists and before the window is made. A face that cannot be loaded stops
// the program.
void registerFonts();

// The window icon with both of its sizes.
QIcon loadWindowIcon();

} // namespace pokaz
