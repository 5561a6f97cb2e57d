#pragma once

#include "asset_catalogue.h"
#include "palette_mapper.h"

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QList>
#include <QString>

#include <map>
#include <optional>

namespace pokaz::assets {

// Turns the scene renders and the icon drawings into the 25 picture files
// and their pictures at twice the size, byte for byte. Throws std::runtime_error naming the first input that is
// missing or of the wrong size.
class AssetMaker final {
public:
    static constexpr int PaletteSize = 256;

    AssetMaker(const QDir& renders, const QDir& icons, Dither dither);

    // File name to file contents, for all 25 files and, under DoubleFolder,
    // the 25 at twice the size.
    [[nodiscard]] std::map<QString, QByteArray> make() const;

    // The size a render of this name must have ("man.png", or "man_2x.png"
    // at twice the size); none for a name that is not a render.
    [[nodiscard]] static std::optional<QSize> renderSize(const QString& name);

private:
    [[nodiscard]] QImage render(std::string_view name) const;
    [[nodiscard]] QList<QImage> paletteSources(Family family) const;
    [[nodiscard]] QImage source(const AssetCut& cut) const;
    void makeBitmaps(std::map<QString, QByteArray>& files) const;
    void makePaper(const PaletteMapper& desk, std::map<QString, QByteArray>& files) const;
    void makeIcons(std::map<QString, QByteArray>& files) const;
    void makeDoubleBitmaps(std::map<QString, QByteArray>& files) const;

    QDir icons_;
    Dither dither_;
    std::map<std::string_view, QImage> renders_;
    std::map<std::string_view, QImage> doubleRenders_; // by the name of the render at 1x
};

} // namespace pokaz::assets
