#include "fonts.h"

#include "twips.h"

#include <QFontDatabase>
#include <QtGlobal>

#include <array>

namespace pokaz::toolkit {

namespace {

constexpr double DialogFontPoints = 8.0;

constexpr std::array FontResources{
    ":/fonts/tahoma.ttf",
    ":/fonts/tahomabd.ttf",
    ":/fonts/ms_sans_serif.ttf",
};

} // namespace

void registerFonts()
{
    for (const char* file : FontResources) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0)
            qFatal("Pokaz: font %s cannot be loaded", file);
    }
}

QFont fontInPoints(const QString& face, double points, bool bold)
{
    QFont font(face);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    return font;
}

QFont dialogFont()
{
    return fontInPoints(QString::fromLatin1(TahomaFace), DialogFontPoints, false);
}

} // namespace pokaz::toolkit
