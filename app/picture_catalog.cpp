#include "picture_catalog.h"

#include <QImageReader>
#include <QtGlobal>

namespace pokaz {

namespace {

constexpr auto ResourceFolder = ":/assets/";
constexpr auto WindowIconFile = ":/assets/Form_Pokaz.ico";

// "Pic_Papir(2)" is stored as "Pic_Papir_2".
QString fileStem(Control control)
{
    const int index = paperIndex(control);
    if (index >= 0)
        return QStringLiteral("Pic_Papir_%1").arg(index);
    const std::string_view name = controlName(control);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

[[noreturn]] void missingPicture(const QString& path, const QString& reason)
{
    qFatal("Pokaz: picture %s cannot be read: %s", qPrintable(path), qPrintable(reason));
}

QImage readImage(const QString& path)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        missingPicture(path, reader.errorString());
    return image;
}

} // namespace

QString picturePath(Control control, PictureProperty property)
{
    const QString suffix = property == PictureProperty::DragIcon ? QStringLiteral(".drag.ico")
                                                                 : QStringLiteral(".bmp");
    return ResourceFolder + fileStem(control) + suffix;
}

QImage loadPicture(Control control, PictureProperty property)
{
    return readImage(picturePath(control, property));
}

QIcon windowIcon()
{
    const QString path = QString::fromLatin1(WindowIconFile);
    QImageReader reader(path);
    QIcon icon;
    do {
        const QImage image = reader.read();
        if (image.isNull())
            missingPicture(path, reader.errorString());
        icon.addPixmap(QPixmap::fromImage(image));
    } while (reader.jumpToNextImage());
    return icon;
}

} // namespace pokaz
