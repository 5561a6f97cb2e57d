#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include <vector>

namespace pokaz::test {

// One thing the monkey does with the left button, at points of the client area.
struct MonkeyAction {
    enum class Kind { Click, DoubleClick, Drag };

    Kind kind = Kind::Click;
    // Where the click lands or the drag is pressed.
    QPoint at;
    // Drag only: the moves; the button is released at the last one.
    QList<QPoint> path;

    // Presses, moves and releases count one each; a click or a double-click
    // counts one.
    int mouseActions() const;
    QString describe() const;
};

// A seeded random stream of at least mouseActions mouse actions: clicks and
// double-clicks anywhere, drags from the pencils, the envelope or anywhere
// along random paths, dropped wherever the path ends. Half the points are
// chosen near the places where something happens, so that the stream gets
// through whole exercises and restarts now and then.
std::vector<MonkeyAction> randomActions(quint32 seed, int mouseActions);

} // namespace pokaz::test
