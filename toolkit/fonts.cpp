#include "fonts.h"

#include "twips.h"

#include <QFontInfo>
#include <QtGlobal>

namespace pokaz::toolkit {

namespace {

constexpr double DialogFontPoints = 8.0;
constexpr auto RegularStyle = "Regular";
constexpr auto MsSansSerifFace = "MS Sans Serif";

} // namespace

QFont fontInPoints(const QString& face, double points, bool bold)
{
    QFont font(face);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    // Hinted only vertically, as Debian's desktop hints by default: the
    // captions keep their design widths, and look alike on every platform.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    // Asking for the regular cut keeps Qt from taking a bold cut that some
    // other package installed, and makes it embolden the outlines instead.
    if (bold && !isBitmapFace(font))
        font.setStyleName(QString::fromLatin1(RegularStyle));
    return font;
}

bool isBitmapFace(const QFont& font) { return QFontInfo(font).family() == QLatin1String(MsSansSerifFace); }

QFont dialogFont() { return fontInPoints(QString::fromLatin1(TahomaFace), DialogFontPoints, false); }

} // namespace pokaz::toolkit
