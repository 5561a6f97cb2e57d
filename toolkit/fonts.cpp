#include "fonts.h"

#include "twips.h"

#include <QFontDatabase>
#include <QtGlobal>

namespace pokaz::toolkit {

namespace {

constexpr double DialogFontPoints = 8.0;
constexpr auto RegularStyle = "Regular";

} // namespace

QFont fontInPoints(const QString& face, double points, bool bold)
{
    QFont font(face);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    // Asking for the regular cut keeps Qt from taking a bold cut that some
    // other package installed, and makes it embolden the outlines instead.
    if (bold && QFontDatabase::isSmoothlyScalable(face))
        font.setStyleName(QString::fromLatin1(RegularStyle));
    return font;
}

QFont dialogFont() { return fontInPoints(QString::fromLatin1(TahomaFace), DialogFontPoints, false); }

} // namespace pokaz::toolkit
