#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <Qt>

#ifdef Q_OS_WASM
#include <emscripten/val.h>

#include <vector>
#endif

namespace pokaz::toolkit {

// What the program needs to know of the platform Qt runs it on: each fact
// here, once, and nowhere else.

// Before the application object exists: the options the platform opens with
// unless the user chose others. On Windows the compiled-in faces are drawn by
// FreeType, as on Linux, since Windows' own font engine refuses the
// bitmap-only MS Sans Serif.
void choosePlatformOptions();

// Makes the resource files that the page fetched for this screen part of the
// program's resources. In the browser the pictures at twice the size come so,
// and only where the screen is scaled above 100 %; elsewhere every resource
// is compiled in. Call before the first picture is read.
void registerPageResources();

// A top-level window with a caption, the system menu and a close box only,
// whose frame has no sizing border: on Windows a sizing frame shows resize
// pointers on a window that cannot be resized.
Qt::WindowFlags fixedDialogFlags();

// How large a drag icon is drawn for a screen of this device pixel ratio:
// at its own size, or from a ratio of 2 on at twice its size.
int dragIconFactor(qreal screenRatio);

// The pointer that shows a drag icon drawn at that factor, its hot spot
// given in the pixels of the icon at its own size. The doubled icon is marked
// as such, so that Windows and Wayland show it at its size and take the hot
// spot in the window's pixels; X takes both as they are, in screen pixels.
QCursor dragPointer(const QImage& icon, int factor, QPoint hotSpot);

// While a drag lasts, its pointer stands in for whatever the controls under
// it ask for; restorePointer() gives them theirs back. Qt in the browser
// shows no picture as a pointer, so there the page's canvas shows it.
void showDragPointer(const QCursor& pointer);
void restorePointer();

// A label's caption, a status message, as the learner now sees it under what
// the label is for; an empty caption, when it is hidden. Qt 6.4 gives the
// browser's canvas no accessibility tree, so there the page's own live region
// says it; a desktop's screen reader reads the labels themselves.
void showStatus(const QString& purpose, const QString& caption);

#ifdef Q_OS_WASM
// The canvases Qt draws into, as the page handed them to the program.
std::vector<emscripten::val> pageCanvases();
#endif

// The program's window has closed. In the browser, where the program goes on
// living in its page, the page is told, and offers to start it again;
// elsewhere the event loop ends of itself.
void announceEnd();

} // namespace pokaz::toolkit
