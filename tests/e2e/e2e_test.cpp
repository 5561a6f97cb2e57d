// The program as built, on a real X server, driven only by real X pointer
// input and checked only by what the screen shows.

#include "client_layout.h"
#include "x_session.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace pokaz;
using namespace pokaz::test;
using enum Control;

namespace {

// Slow enough that the toolkit merges no two motions into one drag event.
constexpr int CarefulPauseMs = 40;
constexpr int QuickPauseMs = 10;

// The n-th point of a zig-zag over the paper; neighbours never coincide.
QPoint writingPoint(int n)
{
    const QRect paper = clientRect(Pic_Papir_1).adjusted(6, 6, -6, -6);
    return {paper.left() + (n % 9) * 9, n % 2 == 0 ? paper.top() : paper.bottom()};
}

bool highlighted(const QImage& shot, const XSession& x)
{
    const QRect label = x.toScreen(clientRect(Poruka).adjusted(2, 2, -2, -2));
    return shot.pixel(label.center()) == qRgb(255, 0, 0) && shot.pixel(label.topLeft()) == qRgb(255, 0, 0);
}

// The window cut to its closing strip, with both buttons drawn.
bool closingScene(XSession& x)
{
    return x.waitFor([&](const QImage& shot) {
        const int height = qRound(x.clientSize().height() / x.scale());
        const QImage buttons = shot.copy(x.toScreen(clientRect(BTN_Ponovo).united(clientRect(BTN_Kraj))));
        return (height == ClosingClientHeightLow || height == ClosingClientHeightHigh)
            && buttons.pixel(5, 5) != buttons.pixel(60, 28);
    });
}

// The pencils pressed: the paper changes on exactly the event that reaches
// 25, 50, 75 and 100 percent, and the letter is not finished at 100.
bool writeStagesExactly(XSession& x, int& strokes)
{
    for (int stage = 1; stage <= 4; ++stage) {
        QList<QPoint> path;
        for (int n = 0; n < 25; ++n)
            path << writingPoint(strokes++);
        if (!x.moveAlong(path.first(24), CarefulPauseMs))
            return false;
        QTest::qWait(CarefulPauseMs);
        if (!x.shows(x.shot(), {Pic_Papir(stage - 1)})) {
            qWarning("stage %d showed early", stage);
            return false;
        }
        if (!x.moveAlong(path.last(1), CarefulPauseMs) || !x.waitForPictures({Pic_Papir(stage)})
            || highlighted(x.lastShot(), x)) {
            qWarning("stage %d did not show on its event", stage);
            return false;
        }
    }
    return true;
}

// Where the count does not matter, writing goes on until the letter is
// finished; that makes up for motions the toolkit merged on a busy machine.
bool writeUntilFinished(XSession& x, int& strokes)
{
    for (int extra = 0; extra < 150; ++extra) {
        if (!x.moveAlong({writingPoint(strokes++)}, QuickPauseMs))
            return false;
        if (highlighted(x.shot(), x))
            return x.release();
    }
    return false;
}

// What strace saw the program do to files: anything written, and any read of
// what is compiled in.
QStringList fileMisuse(const QString& log)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {"no file call recorded"};
    static const QRegularExpression writes(
        "\\b(open\\w*\\(\"(?!/dev/|/proc/)[^\"]*\", [A-Z_|]*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)"
        "|(creat|truncate|rename\\w*|link\\w*|symlink\\w*|unlink\\w*|mkdir\\w*)\\()");
    static const QRegularExpression compiledIn("/(assets/|tahoma\\w*\\.ttf|ms_sans_serif\\.ttf)");
    QStringList misuse;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (writes.match(line).hasMatch() || compiledIn.match(line).hasMatch())
            misuse << line;
    }
    return misuse;
}

} // namespace

class EndToEndTest final : public QObject {
    Q_OBJECT

private slots:
    // At scale 2 the window is twice its size in screen pixels, every picture at twice the size.
    void theWholeExerciseRunsTwiceTouchingNoFileAndKrajEndsIt_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::newRow("scale 1") << "1";
        QTest::newRow("scale 2") << "2";
    }

    // Under strace, which records every file call that succeeds.
    void theWholeExerciseRunsTwiceTouchingNoFileAndKrajEndsIt()
    {
        QFETCH(QString, scale);
        XSession x;
        QVERIFY2(x.error().isEmpty(), qPrintable(x.error()));
        const QString log
            = QDir::temp().filePath(QStringLiteral("pokaz-e2e-strace-%1.log").arg(QCoreApplication::applicationPid()));
        const QStringList strace{"strace", "-f", "-z", "-qq", "-s", "4096", "-o", log, "-e",
            "trace=%file,creat,truncate,rename,renameat,renameat2"};
        // LeakSanitizer cannot work in a traced process.
        QVERIFY(x.start(strace,
            {"ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":detect_leaks=0", "QT_SCALE_FACTOR=" + scale}));
        int strokes = 0;
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(x.clientSize() == FullClientSize * x.scale());
            QVERIFY(x.waitForPictures({Pic_L1_Z, Pic_L2_Z, Pic_L3_Z, Pic_L4_Z, Pic_L5_Z}));
            QVERIFY(x.click(closedDrawerPoint(3)) && x.waitForPictures({Pic_L3_O, Pic_Papir_0}));
            QVERIFY(x.click(openDrawerPoint(3)) && x.click(closedDrawerPoint(4))
                && x.waitForPictures({Pic_L4_O, Pic_Olovke}));
            QVERIFY(x.click(openDrawerPoint(4)) && x.waitForPictures({Pic_L3_Z, Pic_L4_Z}));
            QVERIFY(x.press(PencilsPoint));
            // At 100 percent a double-click does nothing yet: drawer 5 still opens after it.
            if (round == 1)
                QVERIFY(writeStagesExactly(x, strokes) && x.release() && x.doubleClick(PaperPoint)
                    && x.click(closedDrawerPoint(5)) && x.waitForPictures({Pic_L5_O}) && x.click(openDrawerPoint(5))
                    && x.press(PencilsPoint));
            QVERIFY2(writeUntilFinished(x, strokes), "the letter never finished");
            QVERIFY(x.doubleClick(PaperPoint) && x.waitForPictures({Pic_S_Z, Pic_Pismo}));
            // The slot opens under the envelope; the drop there posts it.
            QVERIFY(x.press(EnvelopePoint)
                && x.moveAlong({BetweenBackgroundsPoint, SlotPoint, SlotPoint + QPoint(6, 4)}, QuickPauseMs)
                && x.waitForPictures({Pic_S_O}) && x.release() && closingScene(x));
            QVERIFY(x.click(clientRect(round == 1 ? BTN_Ponovo : BTN_Kraj).center()));
        }
        QCOMPARE(x.exitStatus(), std::optional<int>(0));
        const QStringList misuse = fileMisuse(log);
        QVERIFY2(misuse.isEmpty(), qPrintable(misuse.join('\n')));
        QFile::remove(log);
    }

    // At scale 1.5 a click one pixel inside a closed drawer's corner opens
    // that drawer, as a click in its middle does.
    void atScaleOneAndAHalfAClickJustInsideADrawerOpensIt()
    {
        XSession x;
        QVERIFY2(x.error().isEmpty(), qPrintable(x.error()));
        QVERIFY(x.start({}, {"QT_SCALE_FACTOR=1.5"}));
        for (const int k : {1, 2, 5}) { // drawers 3 and 4 also move the paper and the pencils
            const QRect place = x.toScreen(clientRect(openDrawer(k)));
            const auto settled = [&] {
                QTest::qWait(400);
                return x.shot().copy(place);
            };
            const auto comesBackTo = [&](const QImage& expected) {
                return x.waitFor([&](const QImage& shot) { return shot.copy(place) == expected; });
            };
            const QImage closed = settled();
            QVERIFY(x.click(closedDrawerPoint(k)));
            const QImage open = settled();
            QVERIFY(open != closed && x.click(openDrawerPoint(k)) && comesBackTo(closed));
            const QRect drawer = clientRect(closedDrawer(k));
            for (const QPoint corner : {drawer.topLeft() + QPoint(1, 1), drawer.bottomRight() - QPoint(1, 1)}) {
                QVERIFY2(x.click(corner) && comesBackTo(open),
                    qPrintable(QStringLiteral("drawer %1 at %2,%3").arg(k).arg(corner.x()).arg(corner.y())));
                QVERIFY(x.click(openDrawerPoint(k)) && comesBackTo(closed));
            }
        }
    }

    void underOpenboxTheFrameIsCentredNeitherResizeNorMaximiseIsOfferedAndTheCloseButtonEndsTheProgram()
    {
        XSession x;
        QVERIFY2(x.error().isEmpty(), qPrintable(x.error()));
        QVERIFY2(x.startWindowManager(), "openbox did not start");
        QVERIFY(x.start());
        QTRY_VERIFY(!x.frame().isEmpty());
        const QRect frame = x.frame();
        // Twice the distance between the centres of the frame and the screen.
        const QPoint offset = 2 * frame.topLeft() + QPoint(frame.width(), frame.height())
            - QPoint(XSession::ScreenSize.width(), XSession::ScreenSize.height());
        QVERIFY2(std::abs(offset.x()) <= 6 && std::abs(offset.y()) <= 6, qPrintable(QString::number(offset.y())));

        // What the manager may do to the window, by its own account.
        const QStringList actions = x.allowedActions();
        QVERIFY(actions.contains("_NET_WM_ACTION_CLOSE"));
        for (const char* refused :
            {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
            QVERIFY2(!actions.contains(refused), refused);

        // The close button is the rightmost one in the title bar.
        const int titleBar = x.origin().y() - frame.top();
        QVERIFY(x.click(QPoint(frame.right() - titleBar / 2, frame.top() + titleBar / 2) - x.origin()));
        QCOMPARE(x.exitStatus(), std::optional<int>(0));
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "e2e_test.moc"
