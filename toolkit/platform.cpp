#include "platform.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QtGlobal>

namespace pokaz::toolkit {

namespace {

constexpr int DoubledIcon = 2;

} // namespace

void choosePlatformOptions()
{
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

Qt::WindowFlags fixedDialogFlags()
{
    return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
        | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
}

int dragIconFactor(qreal screenRatio) { return screenRatio < DoubledIcon ? 1 : DoubledIcon; }

QCursor dragPointer(const QImage& icon, int factor, QPoint hotSpot)
{
    QPixmap pixmap = QPixmap::fromImage(icon);
    pixmap.setDevicePixelRatio(factor);
    const bool screenPixels = QGuiApplication::platformName() == QLatin1String("xcb");
    const QPoint hot = screenPixels ? hotSpot * factor : hotSpot;
    return QCursor(pixmap, hot.x(), hot.y());
}

} // namespace pokaz::toolkit
