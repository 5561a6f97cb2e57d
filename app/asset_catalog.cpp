#include "asset_catalog.h"

#include "layout.h"
#include "picture_file.h"

#include <QFontDatabase>
#include <QResource>
#include <QtGlobal>

namespace pokaz {

namespace {

constexpr auto ResourceFolder = ":/assets/";
constexpr auto DoubleFolder = "2x/";
constexpr auto WindowIconFile = ":/assets/Form_Pokaz.ico";
constexpr int DragIconSize = 32;

QString fileStem(Control control)
{
    const std::string_view stem = layoutOf(control).file;
    return QString::fromLatin1(stem.data(), static_cast<qsizetype>(stem.size()));
}

[[noreturn]] void missingPicture(const QString& path, const QString& reason)
{
    qFatal("Pokaz: picture %s cannot be read: %s", qPrintable(path), qPrintable(reason));
}

// The compiled-in bytes of a file; for uncompressed resources no copy is made.
QByteArray resourceBytes(const QString& path)
{
    const QResource resource(path);
    if (!resource.isValid())
        missingPicture(path, QStringLiteral("not compiled into the program"));
    return resource.uncompressedData();
}

std::vector<QImage> iconImages(const QString& path)
{
    QString error;
    std::vector<QImage> images = imagefile::decodeIcon(resourceBytes(path), &error);
    if (images.empty())
        missingPicture(path, error);
    return images;
}

} // namespace

QString picturePath(Control control, PictureProperty property, PictureScale scale)
{
    const QString suffix = property == PictureProperty::DragIcon ? QStringLiteral(".drag.ico") : QStringLiteral(".bmp");
    const QString folder = scale == PictureScale::Double ? QString::fromLatin1(DoubleFolder) : QString();
    return ResourceFolder + folder + fileStem(control) + suffix;
}

QImage loadPicture(Control control, PictureProperty property, PictureScale scale)
{
    const QString path = picturePath(control, property, scale);
    if (property == PictureProperty::DragIcon) {
        const int side = scale == PictureScale::Double ? DoubleSizeFactor * DragIconSize : DragIconSize;
        for (QImage& image : iconImages(path)) {
            if (image.size() == QSize(side, side))
                return image;
        }
        missingPicture(path, QStringLiteral("no %1 x %1 image").arg(side));
    }
    QString error;
    QImage image = imagefile::decodeBitmap(resourceBytes(path), &error);
    if (image.isNull())
        missingPicture(path, error);
    return image;
}

void registerFonts()
{
    // No bold cut: the bold Tahoma at hand is wider rather than heavier, so
    // bold text is the regular cut, emboldened by Qt.
    for (const char* file : {":/fonts/tahoma.ttf", ":/fonts/ms_sans_serif.ttf"}) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0)
            qFatal("Pokaz: font %s cannot be loaded", file);
    }
}

QIcon loadWindowIcon()
{
    QIcon icon;
    for (const QImage& image : iconImages(QString::fromLatin1(WindowIconFile)))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

} // namespace pokaz
