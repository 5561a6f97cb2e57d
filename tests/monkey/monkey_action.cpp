#include "monkey_action.h"

#include "client_layout.h"

#include <QRandomGenerator>

#include <array>

namespace pokaz::test {

namespace {

// Percentages of the stream.
constexpr int ClickShare = 45;
constexpr int DoubleClickShare = 15;
constexpr int NearPlaceShare = 60;
constexpr int PencilsDragShare = 45;
constexpr int EnvelopeDragShare = 30;
constexpr int OverPaperShare = 75;
constexpr int OverSlotShare = 50;

constexpr int Jitter = 4;
constexpr int LongestPath = 60;
constexpr int Percent = 100;

// Where something happens in one scene or another.
constexpr std::array Places{
    closedDrawerPoint(1), closedDrawerPoint(2), closedDrawerPoint(3), closedDrawerPoint(4),
    closedDrawerPoint(5), openDrawerPoint(1), openDrawerPoint(2), openDrawerPoint(3),
    openDrawerPoint(4), openDrawerPoint(5), PaperPoint, PencilsPoint,
    EnvelopePoint, SlotPoint, BesideSlotPoint, BetweenBackgroundsPoint,
    clientRect(Control::BTN_Ponovo).center(), clientRect(Control::Tok).center(),
    clientRect(Control::Poruka).center(), clientRect(Control::PorukaKraj).center(),
};

class PointSource final {
public:
    explicit PointSource(quint32 seed)
        : random_(seed)
    {
    }

    int percent() { return static_cast<int>(random_.bounded(Percent)); }
    int upTo(int limit) { return static_cast<int>(random_.bounded(limit)) + 1; }

    QPoint within(QRect rect)
    {
        return {rect.left() + static_cast<int>(random_.bounded(rect.width())),
                rect.top() + static_cast<int>(random_.bounded(rect.height()))};
    }

    QPoint anywhere()
    {
        if (percent() >= NearPlaceShare)
            return within(QRect(QPoint(0, 0), FullClientSize));
        const QPoint place = Places.at(random_.bounded(static_cast<quint32>(Places.size())));
        return place + QPoint(static_cast<int>(random_.bounded(-Jitter, Jitter + 1)),
                              static_cast<int>(random_.bounded(-Jitter, Jitter + 1)));
    }

    // A point of rect with the given share, else anywhere.
    QPoint mostlyWithin(QRect rect, int share) { return percent() < share ? within(rect) : anywhere(); }

private:
    QRandomGenerator random_;
};

MonkeyAction randomDrag(PointSource& points)
{
    MonkeyAction drag{MonkeyAction::Kind::Drag, {}, {}};
    const int source = points.percent();
    QRect aim;
    int aimShare = 0;
    if (source < PencilsDragShare) {
        drag.at = points.within(clientRect(Control::Pic_Olovke));
        aim = clientRect(Control::Pic_Papir_1);
        aimShare = OverPaperShare;
    } else if (source < PencilsDragShare + EnvelopeDragShare) {
        drag.at = points.within(clientRect(Control::Pic_Pismo));
        aim = clientRect(Control::Pic_S_O);
        aimShare = OverSlotShare;
    } else {
        drag.at = points.anywhere();
    }
    const int length = points.upTo(LongestPath);
    for (int n = 0; n < length; ++n)
        drag.path << (aim.isNull() ? points.anywhere() : points.mostlyWithin(aim, aimShare));
    return drag;
}

QString pointText(QPoint point) { return QStringLiteral("(%1,%2)").arg(point.x()).arg(point.y()); }

} // namespace

int MonkeyAction::mouseActions() const
{
    return kind == Kind::Drag ? static_cast<int>(path.size()) + 2 : 1;
}

QString MonkeyAction::describe() const
{
    switch (kind) {
    case Kind::Click:
        return QStringLiteral("click ") + pointText(at);
    case Kind::DoubleClick:
        return QStringLiteral("double-click ") + pointText(at);
    case Kind::Drag: {
        QStringList points;
        for (const QPoint point : path)
            points << pointText(point);
        return QStringLiteral("drag from %1 over %2").arg(pointText(at), points.join(QLatin1Char(' ')));
    }
    }
    return {};
}

std::vector<MonkeyAction> randomActions(quint32 seed, int mouseActions)
{
    PointSource points(seed);
    std::vector<MonkeyAction> actions;
    int total = 0;
    while (total < mouseActions) {
        const int kind = points.percent();
        if (kind < ClickShare)
            actions.push_back({MonkeyAction::Kind::Click, points.anywhere(), {}});
        else if (kind < ClickShare + DoubleClickShare)
            actions.push_back({MonkeyAction::Kind::DoubleClick, points.anywhere(), {}});
        else
            actions.push_back(randomDrag(points));
        total += actions.back().mouseActions();
    }
    return actions;
}

} // namespace pokaz::test
