// The program reads no file of its own and writes none: its pictures and the
// fonts it needs are compiled in. One whole exercise on a real X server,
// under strace, must open no file for writing and none of those pictures
// or fonts.

#include "client_layout.h"
#include "learner.h"
#include "pointer.h"
#include "pokaz_window.h"
#include "screen.h"
#include "x_server.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace pokaz;
using namespace pokaz::test;

namespace {

// Every call that opens a file or changes the file system.
constexpr auto TracedCalls = "open,openat,openat2,creat,truncate,rename,renameat,renameat2,link,linkat,"
                             "symlink,symlinkat,unlink,unlinkat,mkdir,mkdirat";
constexpr auto LongestPath = "4096";

// The fonts compiled into the program from fonts-wine.
constexpr const char* CompiledInFonts[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};

struct FileCall {
    QString line;
    QString call;
    QString path;
    QString flags;
};

// "1234  openat(AT_FDCWD, "/a/b", O_RDONLY|O_CLOEXEC) = 3", also when strace
// splits a call into "<unfinished ...>" and "resumed" lines: the name, path
// and flags are all in the first.
QList<FileCall> fileCalls(const QByteArray& log)
{
    static const QRegularExpression call(
        QStringLiteral(R"re(^(?:\d+\s+)?(\w+)\([^"]*?"((?:[^"\\]|\\.)*)"(?:, ([A-Z_|0-9]+))?)re"));
    QList<FileCall> calls;
    for (const QByteArray& raw : log.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const auto match = call.match(line);
        if (match.hasMatch())
            calls.append({line, match.captured(1), match.captured(2), match.captured(3)});
    }
    return calls;
}

// Devices and the kernel's own files are no files on disk: a child that the
// session bus library starts gets /dev/null as its standard streams.
bool onDisk(const FileCall& call)
{
    return !call.path.startsWith(QStringLiteral("/dev/")) && !call.path.startsWith(QStringLiteral("/proc/"));
}

bool writes(const FileCall& call)
{
    static const QRegularExpression writingFlags(QStringLiteral(R"(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)"));
    if (call.call.startsWith(QStringLiteral("open")))
        return writingFlags.match(call.flags).hasMatch();
    // creat, truncate, rename, link, unlink and mkdir all write, except a
    // mkdir that finds the folder there already (the toolkit makes sure of
    // its runtime folder that way).
    return !call.line.endsWith(QStringLiteral("= -1 EEXIST (File exists)"));
}

bool readsCompiledIn(const FileCall& call)
{
    if (call.path.startsWith(QStringLiteral(POKAZ_ASSET_DIR "/")) || call.path.startsWith(QStringLiteral(POKAZ_FONT_DIR "/")))
        return true;
    for (const char* font : CompiledInFonts) {
        if (call.path.endsWith(QLatin1Char('/') + QLatin1String(font), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

class FileAccessTest final : public QObject {
    Q_OBJECT

private slots:
    void oneWholeExerciseOpensNoFileForWritingAndNoPictureOrFont();
};

void FileAccessTest::oneWholeExerciseOpensNoFileForWritingAndNoPictureOrFont()
{
    const QString record = QStringLiteral(POKAZ_E2E_RECORD_DIR "/") + QTest::currentTestFunction();
    XServer server;
    QVERIFY2(server.running(), qPrintable(server.startError()));
    Screen screen(server, record);
    Pointer pointer(server);
    QVERIFY(pointer.moveTo(ParkingPoint));

    const QString log = QDir(record).filePath(QStringLiteral("strace.log"));
    PokazWindow window(server, QStringLiteral(POKAZ_EXECUTABLE),
                       {QStringLiteral("strace"), QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-s"),
                        QString::fromLatin1(LongestPath), QStringLiteral("-e"),
                        QStringLiteral("trace=") + QString::fromLatin1(TracedCalls), QStringLiteral("-o"), log});
    Learner learner(pointer, screen, window);
    QVERIFY2(window.waitForWindow(), qPrintable(window.output()));
    QVERIFY(learner.showsStartState());
    QVERIFY(learner.runToClosingScene(1));
    QVERIFY(learner.clickAt(clientRect(Control::BTN_Kraj).center()));
    const auto status = window.waitForExit();
    QVERIFY2(status.has_value(), "the program did not end after \"Kraj\"");
    QVERIFY2(*status == 0, qPrintable(QStringLiteral("exit status %1: %2").arg(*status).arg(window.output())));

    QFile traced(log);
    QVERIFY2(traced.open(QIODevice::ReadOnly), qPrintable(log));
    const QList<FileCall> calls = fileCalls(traced.readAll());
    QVERIFY2(!calls.isEmpty(), "strace recorded no file call at all");
    QStringList wrong;
    for (const FileCall& call : calls) {
        if ((writes(call) && onDisk(call)) || readsCompiledIn(call))
            wrong << call.line;
    }
    if (!wrong.isEmpty())
        qWarning("strace log kept in %s", qPrintable(log));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    QDir(record).removeRecursively();
}

QTEST_GUILESS_MAIN(FileAccessTest)
#include "file_access_test.moc"
