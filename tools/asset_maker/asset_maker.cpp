#include "asset_maker.h"

#include "bmp_writer.h"
#include "colour_quantiser.h"
#include "ico_writer.h"
#include "layout.h"
#include "paper_stages.h"

#include <stdexcept>

namespace pokaz::assets {

namespace {

constexpr int LargeIcon = 32;
constexpr int SmallIcon = 16;
constexpr std::string_view PaperBlank = "desk_paper_blank.png";
constexpr std::string_view PaperWritten = "desk_paper_written.png";
constexpr std::string_view IconExtension = ".ico";

constexpr bool isStemAndExtension(std::string_view file, std::string_view stem, std::string_view extension)
{
    return file.size() == stem.size() + extension.size() && file.starts_with(stem) && file.ends_with(extension);
}

// Whether one of the cuts, the paper stages or the icons makes this file.
constexpr bool isMadeHere(std::string_view file)
{
    for (const AssetCut& cut : Cuts) {
        if (cut.asset == file)
            return true;
    }
    for (const std::string_view icon : Icons) {
        if (isStemAndExtension(file, icon, IconExtension))
            return true;
    }
    const std::size_t digit = PaperStageStem.size();
    return file.size() == digit + 1 + PictureExtension.size() && file.starts_with(PaperStageStem)
        && file.ends_with(PictureExtension) && file[digit] >= '0' && file[digit] < '0' + PaperStages::StageCount;
}

// As many files are made as the manifest lists, and every one of those is
// made: so exactly the manifest's files, each once.
constexpr bool makesExactlyTheManifestsPictures()
{
    if (Cuts.size() + PaperStages::StageCount + Icons.size() != PictureFiles.size())
        return false;
    for (const std::string_view file : PictureFiles) {
        if (!isMadeHere(file))
            return false;
    }
    return true;
}
static_assert(makesExactlyTheManifestsPictures(), "the pipeline makes the pictures of assets/manifest.json, each once");

QString text(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }

std::string_view backgroundOf(Family family)
{
    switch (family) {
    case Family::Desk:
        return DeskBackground;
    case Family::Mailbox:
        return MailboxBackground;
    case Family::Cartoon:
        return ManBackground;
    }
    throw std::logic_error("unknown family");
}

// "desk.png" at twice the size is "desk_2x.png".
QString doubleRenderName(std::string_view name)
{
    QString file = text(name);
    return file.insert(file.lastIndexOf(QLatin1Char('.')), text(DoubleRenderSuffix));
}

QString doubleFileName(const QString& asset) { return text(DoubleFolder) + QLatin1Char('/') + asset; }

QString paperFileName(int stage) { return text(PaperStageStem) + QString::number(stage) + text(PictureExtension); }

QImage readRender(const QDir& renders, const QString& name, QSize size)
{
    const QString path = renders.filePath(name);
    const QImage image(path);
    if (image.isNull())
        throw std::runtime_error("cannot read render " + path.toStdString());
    if (image.size() != size) {
        throw std::runtime_error(path.toStdString() + " is " + std::to_string(image.width()) + " x "
            + std::to_string(image.height()) + ", not " + std::to_string(size.width()) + " x "
            + std::to_string(size.height()));
    }
    // A see-through pixel would turn black when flattened; the scenes draw their own backgrounds.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    if (image.hasAlphaChannel()
        && argb != image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32))
        throw std::runtime_error(path.toStdString() + " has transparent pixels");
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage loadIconImage(const QDir& folder, std::string_view icon, int side)
{
    const QString path = folder.filePath(QStringLiteral("%1_%2.xpm").arg(text(icon)).arg(side));
    const QImage image(path);
    if (image.isNull())
        throw std::runtime_error("cannot read " + path.toStdString());
    if (image.width() != side || image.height() != side)
        throw std::runtime_error(path.toStdString() + " is not " + std::to_string(side) + " x " + std::to_string(side));
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

AssetMaker::AssetMaker(const QDir& renders, const QDir& icons, Dither dither)
    : icons_(icons)
    , dither_(dither)
{
    for (const RenderFile& file : Renders) {
        const QSize size(file.width, file.height);
        renders_.emplace(file.name, readRender(renders, text(file.name), size));
        doubleRenders_.emplace(file.name, readRender(renders, doubleRenderName(file.name), size * DoubleFactor));
    }
}

std::optional<QSize> AssetMaker::renderSize(const QString& name)
{
    for (const RenderFile& file : Renders) {
        const QSize size(file.width, file.height);
        if (name == text(file.name))
            return size;
        if (name == doubleRenderName(file.name))
            return size * DoubleFactor;
    }
    return std::nullopt;
}

QImage AssetMaker::render(std::string_view name) const { return renders_.at(name); }

QImage AssetMaker::source(const AssetCut& cut) const
{
    const QImage whole = render(cut.render);
    return cut.origin == Origin::WholeRender ? whole : whole.copy(cut.region.rect());
}

// Only what ends up in the pictures counts towards a family's palette.
QList<QImage> AssetMaker::paletteSources(Family family) const
{
    QList<QImage> sources;
    for (const AssetCut& cut : Cuts) {
        if (cut.family == family && cut.origin != Origin::RegionOfBackground)
            sources.append(source(cut));
    }
    if (family == Family::Desk) {
        sources.append(render(PaperBlank).copy(PaperStages::Region.rect()));
        sources.append(render(PaperWritten).copy(PaperStages::Region.rect()));
    }
    return sources;
}

std::map<QString, QByteArray> AssetMaker::make() const
{
    std::map<QString, QByteArray> files;
    makeBitmaps(files);
    makeDoubleBitmaps(files);
    makeIcons(files);
    return files;
}

void AssetMaker::makeBitmaps(std::map<QString, QByteArray>& files) const
{
    const PaletteMapper desk(ColourQuantiser::buildPalette(paletteSources(Family::Desk), PaletteSize));
    const PaletteMapper mailbox(ColourQuantiser::buildPalette(paletteSources(Family::Mailbox), PaletteSize));

    std::map<std::string_view, QImage> pictures;
    for (const AssetCut& cut : Cuts) {
        QImage picture;
        if (cut.origin == Origin::RegionOfBackground)
            picture = pictures.at(backgroundOf(cut.family)).copy(cut.region.rect());
        else if (cut.family == Family::Cartoon)
            picture = source(cut);
        else
            picture
                = (cut.family == Family::Desk ? desk : mailbox).map(source(cut), dither_, cut.region.rect().topLeft());

        files[text(cut.asset)] = cut.family == Family::Cartoon ? imagefile::encodeTrueColourBmp(picture)
                                                               : imagefile::encodeIndexedBmp(picture);
        pictures.emplace(cut.asset, std::move(picture));
    }
    makePaper(desk, files);
}

// The stages are put together from the two sheets after quantising, so that
// the pixels a stage shares with another are the same palette entries.
void AssetMaker::makePaper(const PaletteMapper& desk, std::map<QString, QByteArray>& files) const
{
    const QRect sheet = PaperStages::Region.rect();
    const QImage blank = desk.map(render(PaperBlank).copy(sheet), dither_, sheet.topLeft());
    const QImage written = desk.map(render(PaperWritten).copy(sheet), dither_, sheet.topLeft());
    for (int stage = 0; stage < PaperStages::StageCount; ++stage) {
        files[paperFileName(stage)] = imagefile::encodeIndexedBmp(PaperStages::compose(blank, written, stage));
    }
}

// At twice the size nothing is quantised: the pictures are cut from the
// renders in true colour, so a region of a background repeats it exactly.
void AssetMaker::makeDoubleBitmaps(std::map<QString, QByteArray>& files) const
{
    std::map<std::string_view, QImage> pictures;
    for (const AssetCut& cut : Cuts) {
        QImage picture;
        if (cut.origin == Origin::RegionOfBackground)
            picture = pictures.at(backgroundOf(cut.family)).copy(cut.region.rect(DoubleFactor));
        else if (cut.origin == Origin::WholeRender)
            picture = doubleRenders_.at(cut.render);
        else
            picture = doubleRenders_.at(cut.render).copy(cut.region.rect(DoubleFactor));
        files[doubleFileName(text(cut.asset))] = imagefile::encodeTrueColourBmp(picture);
        pictures.emplace(cut.asset, std::move(picture));
    }
    const QRect sheet = PaperStages::Region.rect(DoubleFactor);
    const QImage blank = doubleRenders_.at(PaperBlank).copy(sheet);
    const QImage written = doubleRenders_.at(PaperWritten).copy(sheet);
    for (int stage = 0; stage < PaperStages::StageCount; ++stage) {
        files[doubleFileName(paperFileName(stage))]
            = imagefile::encodeTrueColourBmp(PaperStages::compose(blank, written, stage, DoubleFactor));
    }
}

// The icons at twice the size are the same pixel art with every pixel doubled.
void AssetMaker::makeIcons(std::map<QString, QByteArray>& files) const
{
    for (const std::string_view icon : Icons) {
        const QList<QImage> images = {loadIconImage(icons_, icon, LargeIcon), loadIconImage(icons_, icon, SmallIcon)};
        QList<QImage> doubled;
        for (const QImage& image : images)
            doubled.append(image.scaled(image.size() * DoubleFactor, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        const QString name = text(icon) + text(IconExtension);
        try {
            files[name] = imagefile::encodeIcon(images);
            files[doubleFileName(name)] = imagefile::encodeIcon(doubled);
        } catch (const std::invalid_argument& error) {
            throw std::runtime_error(std::string(icon) + ": " + error.what());
        }
    }
}

} // namespace pokaz::assets
