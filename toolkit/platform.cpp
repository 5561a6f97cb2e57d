#include "platform.h"

#include "asset_manifest.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QtGlobal>

#ifdef Q_OS_WASM
#include <QBuffer>
#include <QFile>
#include <QResource>
#include <emscripten/val.h>
#endif

namespace pokaz::toolkit {

namespace {

#ifdef Q_OS_WASM
// The pointer as CSS: the icon at its pixel ratio, its hot spot in the page's pixels.
QString cssPointer(const QCursor& pointer)
{
    const QPixmap pixmap = pointer.pixmap();
    QByteArray png;
    QBuffer buffer(&png);
    pixmap.toImage().save(&buffer, "PNG");
    return QStringLiteral("image-set(url(data:image/png;base64,%1) %2x) %3 %4, auto")
        .arg(QString::fromLatin1(png.toBase64()))
        .arg(pixmap.devicePixelRatio())
        .arg(pointer.hotSpot().x())
        .arg(pointer.hotSpot().y());
}

// Calls the page's function of that name, where the page has one.
template <typename... Arguments> void tellPage(const char* name, const Arguments&... arguments)
{
    const emscripten::val function = emscripten::val::module_property(name);
    if (function.typeOf().as<std::string>() == "function")
        function(arguments...);
}
#endif

} // namespace

void choosePlatformOptions()
{
#ifdef Q_OS_WIN
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

void registerPageResources()
{
#ifdef Q_OS_WASM
    // The page writes the file into the root of the program's in-memory files.
    const std::string_view name = assets::DoubleWebFile;
    const QString file = QLatin1Char('/') + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (QFile::exists(file) && !QResource::registerResource(file))
        qWarning("Pokaz: %s is no resource file; pictures are drawn at their own size", qPrintable(file));
#endif
}

Qt::WindowFlags fixedDialogFlags()
{
    return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
        | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint;
}

int dragIconFactor(qreal screenRatio) { return screenRatio < assets::DoubleFactor ? 1 : assets::DoubleFactor; }

QCursor dragPointer(const QImage& icon, int factor, QPoint hotSpot)
{
    QPixmap pixmap = QPixmap::fromImage(icon);
    pixmap.setDevicePixelRatio(factor);
    const bool screenPixels = QGuiApplication::platformName() == QLatin1String("xcb");
    const QPoint hot = screenPixels ? hotSpot * factor : hotSpot;
    return QCursor(pixmap, hot.x(), hot.y());
}

void showDragPointer(const QCursor& pointer)
{
#ifdef Q_OS_WASM
    // Qt would show its arrow for a picture pointer, and warn; the canvas's style is set after it.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const std::string css = cssPointer(pointer).toStdString();
    for (const emscripten::val& canvas : pageCanvases())
        canvas["style"].set("cursor", css);
#else
    QGuiApplication::setOverrideCursor(pointer);
#endif
}

void restorePointer() { QGuiApplication::restoreOverrideCursor(); }

void showStatus(const QString& purpose, const QString& caption)
{
#ifdef Q_OS_WASM
    tellPage("showStatus", purpose.toStdString(), caption.toStdString());
#else
    Q_UNUSED(purpose);
    Q_UNUSED(caption);
#endif
}

#ifdef Q_OS_WASM
std::vector<emscripten::val> pageCanvases()
{
    return emscripten::vecFromJSArray<emscripten::val>(emscripten::val::module_property("qtContainerElements"));
}
#endif

void announceEnd()
{
#ifdef Q_OS_WASM
    tellPage("programEnded");
#endif
}

} // namespace pokaz::toolkit
