// asset_maker: writes the program's 25 picture files and their pictures at
// twice the size from the scene renders and the icon drawings, and a contact
// sheet of every scene for review.
// Run by tools/make_assets.sh, which makes the renders first.

#include "asset_maker.h"
#include "contact_sheet.h"

#include "bmp_writer.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

#include <exception>

namespace {

pokaz::assets::Dither parseDither(const QString& value)
{
    if (value == QLatin1String("none"))
        return pokaz::assets::Dither::None;
    if (value == QLatin1String("floyd-steinberg"))
        return pokaz::assets::Dither::FloydSteinberg;
    if (value == QLatin1String("ordered"))
        return pokaz::assets::Dither::Ordered;
    throw std::runtime_error("unknown dithering: " + value.toStdString());
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv); // the contact sheet's labels need fonts
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes the picture files of Pokaz from the scene renders."));
    parser.addHelpOption();
    const QCommandLineOption renders(
        QStringLiteral("renders"), QStringLiteral("Folder of the PNG renders."), QStringLiteral("dir"));
    const QCommandLineOption icons(QStringLiteral("icons"),
        QStringLiteral("Folder of the <name>_32.xpm and <name>_16.xpm drawings."), QStringLiteral("dir"));
    const QCommandLineOption output(
        QStringLiteral("output"), QStringLiteral("Folder the 25 picture files go to."), QStringLiteral("dir"));
    const QCommandLineOption sheet(
        QStringLiteral("contact-sheet"), QStringLiteral("PNG file for the contact sheet."), QStringLiteral("file"));
    const QCommandLineOption dither(QStringLiteral("dither"), QStringLiteral("none, ordered or floyd-steinberg."),
        QStringLiteral("mode"), QStringLiteral("ordered"));
    const QCommandLineOption renderSize(QStringLiteral("render-size"),
        QStringLiteral("Only print the width and height the render <name> must have."), QStringLiteral("name"));
    parser.addOptions({renders, icons, output, sheet, dither, renderSize});
    parser.process(app);

    QTextStream err(stderr);
    if (parser.isSet(renderSize)) {
        const std::optional<QSize> size = pokaz::assets::AssetMaker::renderSize(parser.value(renderSize));
        if (!size) {
            err << "asset_maker: no render is named " << parser.value(renderSize) << '\n';
            return 2;
        }
        QTextStream(stdout) << size->width() << ' ' << size->height() << '\n';
        return 0;
    }
    if (!parser.isSet(renders) || !parser.isSet(icons) || !parser.isSet(output)) {
        err << "asset_maker: --renders, --icons and --output are required\n";
        return 2;
    }
    try {
        QElapsedTimer timer;
        timer.start();
        const pokaz::assets::AssetMaker maker(
            QDir(parser.value(renders)), QDir(parser.value(icons)), parseDither(parser.value(dither)));
        const QDir assets(parser.value(output));
        if (!assets.mkpath(QString::fromUtf8(pokaz::assets::DoubleFolder.data(), pokaz::assets::DoubleFolder.size())))
            throw std::runtime_error("cannot make the folder for the pictures at twice the size");
        for (const auto& [name, bytes] : maker.make())
            pokaz::imagefile::writeBytes(assets.filePath(name), bytes);
        if (parser.isSet(sheet)) {
            const QString path = parser.value(sheet);
            if (!pokaz::assets::ContactSheet::compose(assets).save(path))
                throw std::runtime_error("cannot write " + path.toStdString());
        }
        QTextStream(stdout) << "asset_maker: wrote the pictures to " << assets.absolutePath() << " in "
                            << timer.elapsed() << " ms\n";
    } catch (const std::exception& error) {
        err << "asset_maker: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
