// Build-time helper: writes each image of an .ico file as a PNG, for the
// desktop's icon theme.  Usage: icon_export ICO OUTDIR NAME
// writes OUTDIR/<w>x<h>/apps/NAME.png for every image in ICO.

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        QTextStream(stderr) << "usage: icon_export ICO OUTDIR NAME\n";
        return 2;
    }
    QImageReader reader(args.at(1));
    int written = 0;
    do {
        const QImage image = reader.read();
        if (image.isNull()) {
            QTextStream(stderr) << args.at(1) << ": " << reader.errorString() << '\n';
            return 1;
        }
        const QString folder = QStringLiteral("%1/%2x%3/apps").arg(args.at(2)).arg(image.width()).arg(image.height());
        QDir().mkpath(folder);
        if (!image.save(folder + '/' + args.at(3) + QStringLiteral(".png"))) {
            QTextStream(stderr) << "cannot write " << folder << '\n';
            return 1;
        }
        ++written;
    } while (reader.jumpToNextImage());
    return written > 0 ? 0 : 1;
}
