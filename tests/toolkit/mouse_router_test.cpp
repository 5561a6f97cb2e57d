#include "event_recorder.h"
#include "frame.h"
#include "mouse_router.h"
#include "picture_box.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>

#include <memory>

using namespace pokaz::toolkit;
using Kind = RecordedEvent::Kind;
using Overs = std::vector<std::pair<QWidget*, DragState>>;

namespace {

constexpr QPoint IconHotSpot{0, 31};

// A window that hands its mouse events to a router, as the program's does:
// a drag source, two overlapping pictures (the later one on top) and a frame
// holding a picture.
class RouterWindow final : public QWidget {
public:
    EventRecorder recorder;
    MouseRouter router{*this, recorder};
    QImage icon{32, 32, QImage::Format_ARGB32};
    PictureBox* source = new PictureBox(this);
    PictureBox* lower = new PictureBox(this);
    PictureBox* upper = new PictureBox(this);
    Frame* frame = new Frame(this);
    PictureBox* inFrame = new PictureBox(frame);

    RouterWindow()
    {
        setFixedSize(200, 100);
        source->setGeometry(0, 0, 20, 20);
        lower->setGeometry(30, 0, 40, 40);
        upper->setGeometry(50, 0, 40, 40);
        frame->setGeometry(100, 0, 100, 100);
        inFrame->setGeometry(10, 20, 50, 50);
        for (const QWidget* control : {static_cast<QWidget*>(source), static_cast<QWidget*>(lower),
                                       static_cast<QWidget*>(upper), static_cast<QWidget*>(frame),
                                       static_cast<QWidget*>(inFrame)})
            router.addControl(control);
        icon.fill(Qt::red);
        router.setDragIcon(source, QCursor(QPixmap::fromImage(icon), IconHotSpot.x(), IconHotSpot.y()));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { router.press(*event); }
    void mouseMoveEvent(QMouseEvent* event) override { router.move(*event); }
    void mouseReleaseEvent(QMouseEvent* event) override { router.release(*event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { router.doubleClick(*event); }
};

constexpr QPoint OnSource{5, 5};
constexpr QPoint OnLowerOnly{35, 5};
constexpr QPoint OnBoth{60, 5};
constexpr QPoint InFrame{120, 30};
constexpr QPoint OutsideTheWindow{300, 50};

} // namespace

class MouseRouterTest final : public QObject {
    Q_OBJECT

    std::unique_ptr<RouterWindow> window;

    void press(QPoint pos) { QTest::mousePress(window.get(), Qt::LeftButton, {}, pos); }
    void move(QPoint pos) { QTest::mouseMove(window.get(), pos); }
    void release(QPoint pos) { QTest::mouseRelease(window.get(), Qt::LeftButton, {}, pos); }

private slots:
    void init()
    {
        window = std::make_unique<RouterWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void aDragShowsTheIconFromThePressToTheReleaseAndLeavesTheSourceInPlace()
    {
        const QRect sourcePlace = window->source->geometry();
        press(OnSource);
        QVERIFY(window->router.isDragging());
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        QCOMPARE(QGuiApplication::overrideCursor()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                 window->icon);
        QCOMPARE(QGuiApplication::overrideCursor()->hotSpot(), IconHotSpot);
        QVERIFY(window->recorder.events.empty());

        move(OnLowerOnly);
        release(OnLowerOnly);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(window->source->geometry(), sourcePlace);
        QCOMPARE(window->recorder.events,
                 (std::vector<RecordedEvent>{
                     {Kind::DragOver, window->lower, window->source, OnLowerOnly, DragState::Enter},
                     {Kind::DragDrop, window->lower, window->source, OnLowerOnly},
                 }));
    }

    void theTopmostShownControlHearsTheDragAndOneHiddenUnderThePointerNoLeave()
    {
        press(OnSource);
        move(OnBoth);
        window->upper->hide();
        move(OnBoth + QPoint(1, 0));
        release(OnBoth + QPoint(1, 0));
        QCOMPARE(window->recorder.dragOvers(),
                 (Overs{{window->upper, DragState::Enter}, {window->lower, DragState::Enter}}));
        QCOMPARE(window->recorder.events.back().kind, Kind::DragDrop);
        QCOMPARE(window->recorder.events.back().target, window->lower);
    }

    void aControlInsideAHiddenFrameHearsNothing()
    {
        press(OnSource);
        move(InFrame);
        QCOMPARE(window->recorder.dragOvers(), (Overs{{window->inFrame, DragState::Enter}}));
        release(InFrame);
        window->recorder.events.clear();

        window->frame->hide();
        QVERIFY(!window->inFrame->isHidden());
        press(OnSource);
        move(InFrame);
        move(InFrame + QPoint(5, 5));
        release(InFrame + QPoint(5, 5));
        QVERIFY(window->recorder.events.empty());
    }

    void leavingTheWindowLeavesTheControlAndAReleaseOutsideDropsNothing()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("outside target window"));
        press(OnSource);
        move(OnLowerOnly);
        move(OutsideTheWindow);
        release(OutsideTheWindow);
        QCOMPARE(window->recorder.dragOvers(),
                 (Overs{{window->lower, DragState::Enter}, {window->lower, DragState::Leave}}));
        QCOMPARE(window->recorder.events.size(), std::size_t{2});
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void aDragControlIsNeverClickedWhileOthersGetClickThenDblClick()
    {
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, OnSource);
        QCOMPARE(window->recorder.events,
                 (std::vector<RecordedEvent>{{Kind::DragDrop, window->source, window->source, OnSource}}));
        window->recorder.events.clear();

        QTest::mouseDClick(window.get(), Qt::LeftButton, {}, OnLowerOnly);
        QCOMPARE(window->recorder.events,
                 (std::vector<RecordedEvent>{{Kind::Click, window->lower}, {Kind::DblClick, window->lower}}));
    }

    void aPressOnOneControlAndReleaseOnAnotherClicksNeither()
    {
        press(OnLowerOnly);
        move(OnBoth);
        release(OnBoth);
        QVERIFY(window->recorder.events.empty());
    }
};

QTEST_MAIN(MouseRouterTest)
#include "mouse_router_test.moc"
