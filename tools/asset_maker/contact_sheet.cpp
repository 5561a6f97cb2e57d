#include "contact_sheet.h"

#include <QPainter>

#include <array>
#include <stdexcept>
#include <string_view>

namespace pokaz::assets {

namespace {

// Where the window draws each picture, in pixels of the scene's background,
// from the lowest to the topmost. The closed drawers sit where the window puts
// them, which for some is a pixel or two away from where they were cut.
struct Placement {
    std::string_view asset;
    int x;
    int y;
};

constexpr std::array<Placement, 22> PaintOrder = {{
    {"Pic_Pozadina.bmp", 0, 0},
    {"Pic_Papir_0.bmp", 272, 168},
    {"Pic_L1_Z.bmp", 24, 226},
    {"Pic_Olovke.bmp", 437, 104},
    {"Pic_Papir_1.bmp", 271, 168},
    {"Pic_Papir_2.bmp", 271, 168},
    {"Pic_Papir_3.bmp", 271, 168},
    {"Pic_Papir_4.bmp", 271, 168},
    {"Pic_L5_Z.bmp", 413, 228},
    {"Pic_L4_Z.bmp", 218, 226},
    {"Pic_L3_Z.bmp", 38, 338},
    {"Pic_L5_O.bmp", 415, 229},
    {"Pic_L3_O.bmp", 0, 339},
    {"Pic_L2_Z.bmp", 33, 283},
    {"Pic_L1_O.bmp", 0, 228},
    {"Pic_L2_O.bmp", 0, 284},
    {"Pic_L4_O.bmp", 193, 217},
    {"Pic_S_Pozadina.bmp", 0, 0},
    {"Pic_S_O.bmp", 75, 64},
    {"Pic_S_Z.bmp", 95, 64},
    {"Pic_P_Pozadina.bmp", 0, 0},
    {"Pic_Pismo.bmp", 8, 111},
}};

constexpr int Drawers = 5;
constexpr int PaperStages = 5;
constexpr QRgb SheetBackground = 0xFF606060;
constexpr QRgb LabelColour = 0xFFFFFFFF;

QStringList closedDrawers()
{
    QStringList names;
    for (int drawer = 1; drawer <= Drawers; ++drawer)
        names.append(QStringLiteral("Pic_L%1_Z.bmp").arg(drawer));
    return names;
}

QImage load(const QDir& assets, const QString& name)
{
    const QImage image(assets.filePath(name));
    if (image.isNull())
        throw std::runtime_error("cannot read " + assets.filePath(name).toStdString());
    return image;
}

} // namespace

QImage ContactSheet::scene(const QDir& assets, const QStringList& shown)
{
    const QString background = shown.front();
    QImage canvas = load(assets, background).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&canvas);
    for (const Placement& place : PaintOrder) {
        const QString name = QString::fromUtf8(place.asset.data(), static_cast<qsizetype>(place.asset.size()));
        if (name != background && shown.contains(name))
            painter.drawImage(place.x, place.y, load(assets, name));
    }
    return canvas;
}

QImage ContactSheet::compose(const QDir& assets)
{
    const QStringList closed = closedDrawers();
    QList<Tile> tiles;
    tiles.append(
        {QStringLiteral("desk, every drawer closed"), scene(assets, QStringList{"Pic_Pozadina.bmp"} + closed)});
    for (int drawer = 1; drawer <= Drawers; ++drawer) {
        QStringList shown = QStringList{"Pic_Pozadina.bmp"} + closed;
        shown.removeAll(QStringLiteral("Pic_L%1_Z.bmp").arg(drawer));
        shown.append(QStringLiteral("Pic_L%1_O.bmp").arg(drawer));
        tiles.append({QStringLiteral("drawer %1 open (Pic_L%1_O)").arg(drawer), scene(assets, shown)});
    }
    for (int stage = 0; stage < PaperStages; ++stage) {
        const QStringList shown
            = QStringList{"Pic_Pozadina.bmp", QStringLiteral("Pic_Papir_%1.bmp").arg(stage), "Pic_Olovke.bmp"} + closed;
        tiles.append({QStringLiteral("paper stage %1 and pencils").arg(stage), scene(assets, shown)});
    }
    tiles.append({QStringLiteral("mailbox, slot closed"), scene(assets, {"Pic_S_Pozadina.bmp", "Pic_S_Z.bmp"})});
    tiles.append({QStringLiteral("mailbox, slot open"), scene(assets, {"Pic_S_Pozadina.bmp", "Pic_S_O.bmp"})});
    tiles.append({QStringLiteral("man with the envelope"), scene(assets, {"Pic_P_Pozadina.bmp", "Pic_Pismo.bmp"})});
    return layOut(tiles);
}

// Tiles left to right, a new row when the next one would not fit.
QImage ContactSheet::layOut(const QList<Tile>& tiles)
{
    QList<QPoint> origins;
    int x = Gap;
    int y = Gap;
    int rowHeight = 0;
    int width = 0;
    for (const Tile& tile : tiles) {
        if (x > Gap && x + tile.picture.width() + Gap > MaxWidth) {
            x = Gap;
            y += rowHeight + Gap;
            rowHeight = 0;
        }
        origins.append({x, y});
        x += tile.picture.width() + Gap;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, LabelHeight + tile.picture.height());
    }

    QImage sheet(width, y + rowHeight + Gap, QImage::Format_RGB32);
    sheet.fill(QColor::fromRgb(SheetBackground));
    QPainter painter(&sheet);
    painter.setPen(QColor::fromRgb(LabelColour));
    for (qsizetype i = 0; i < tiles.size(); ++i) {
        const QPoint origin = origins[i];
        painter.drawText(QRect(origin.x(), origin.y(), tiles[i].picture.width(), LabelHeight),
            Qt::AlignLeft | Qt::AlignVCenter, tiles[i].label);
        painter.drawImage(origin.x(), origin.y() + LabelHeight, tiles[i].picture);
    }
    return sheet;
}

} // namespace pokaz::assets
