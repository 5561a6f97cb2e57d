#include "dialog_window.h"

#include <QScreen>
#include <QTest>

using pokaz::toolkit::DialogWindow;

namespace {

constexpr QSize DesignClient{663, 543};

} // namespace

class DialogWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void theOuterHeightLessTheDesignFrameIsTheFixedClientHeight()
    {
        DialogWindow window(DesignClient);
        window.setOuterHeight(8520.0F);
        QCOMPARE(window.size(), DesignClient);
        // 4000 twips are 266.67 pixels, 267 on the nearest pixel, less 25 for the frame.
        window.setOuterHeight(4000.0F);
        QCOMPARE(window.height(), 242);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(DesignClient);
        QCOMPARE(window.height(), 242);
        window.setOuterHeight(8520.0F);
        QCOMPARE(window.size(), DesignClient);
        QCOMPARE(window.width(), DesignClient.width());
    }

    void itHasACloseBoxAndNoMinimiseOrMaximiseButton()
    {
        const DialogWindow window(DesignClient);
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void itOpensCentredOnTheScreen()
    {
        DialogWindow window(DesignClient);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint screenCentre = window.screen()->availableGeometry().center();
        const QPoint outerCentre = window.pos()
            + QPoint((DesignClient.width() + 2 * DialogWindow::DesignFrameSide) / 2,
                     (DesignClient.height() + DialogWindow::DesignFrameTop + DialogWindow::DesignFrameBottom) / 2);
        QVERIFY2((outerCentre - screenCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("window at %1,%2").arg(window.x()).arg(window.y())));
    }
};

QTEST_MAIN(DialogWindowTest)
#include "dialog_window_test.moc"
