#include "contact_sheet.h"

#include "layout.h"
#include "twips.h"

#include <QPainter>

#include <stdexcept>

namespace pokaz::assets {

namespace {

// The sunken edge of the mailbox scene's two backgrounds.
constexpr int SunkenEdge = 2;

// Where the window draws a picture control's picture, in pixels of its client
// area: its place in its container, plus where that container's own client
// area lies.
QPoint pictureOrigin(Control control)
{
    const ControlLayout& row = layoutOf(control);
    const int edge = row.border == BorderStyle::Sunken3D ? SunkenEdge : 0;
    const QPoint container = row.container ? pictureOrigin(*row.container) : QPoint();
    return container + toolkit::twipsToPixels(row.left, row.top, row.width, row.height).topLeft() + QPoint(edge, edge);
}

const ControlLayout& rowShowing(const QString& file)
{
    for (const ControlLayout& row : formLayout()) {
        if (QString::fromLatin1(row.file.data(), static_cast<qsizetype>(row.file.size())) + ".bmp" == file)
            return row;
    }
    throw std::runtime_error("no control shows " + file.toStdString());
}

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
    const QPoint backgroundOrigin = pictureOrigin(rowShowing(background).control);
    // The layout lists the topmost control first.
    const auto rows = formLayout();
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const QString name = QString::fromLatin1(row->file.data(), static_cast<qsizetype>(row->file.size())) + ".bmp";
        if (!row->file.empty() && name != background && shown.contains(name))
            painter.drawImage(pictureOrigin(row->control) - backgroundOrigin, load(assets, name));
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
