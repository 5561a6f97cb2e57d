#include "asset_catalog.h"

#include "layout.h"
#include "picture_file.h"

#include <QFontDatabase>
#include <QResource>
#include <QtGlobal>

namespace pokaz {

namespace {

constexpr int DragIconSize = 32;

QString latin1(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// A picture file as compiled in, at its own size or in the folder of those at twice it.
QString resourcePath(const QString& file, PictureScale scale)
{
    const QString folder = scale == PictureScale::Double ? latin1(assets::DoubleFolder) + QLatin1Char('/') : QString();
    return latin1(assets::ResourceFolder) + folder + file;
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
    const std::string_view extension = property == PictureProperty::DragIcon ? DragIconExtension : PictureExtension;
    return resourcePath(latin1(layoutOf(control).file) + latin1(extension), scale);
}

QImage loadPicture(Control control, PictureProperty property, PictureScale scale)
{
    const QString path = picturePath(control, property, scale);
    if (property == PictureProperty::DragIcon) {
        const int side = scale == PictureScale::Double ? assets::DoubleFactor * DragIconSize : DragIconSize;
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

bool hasDoubleSizePictures()
{
    return QResource(resourcePath(latin1(assets::WindowIconFile), PictureScale::Double)).isValid();
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
    for (const QImage& image : iconImages(resourcePath(latin1(assets::WindowIconFile), PictureScale::Single)))
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

} // namespace pokaz
