#pragma once

#include "control_events.h"

#include <QString>

#include <functional>

namespace pokaz::toolkit {

// Controls 0 to 3 are called s, A, B and C.
inline QString nameOf(ControlId control) { return QString("sABC").at(control); }

// The control events as one line of text: "click:A", "dblclick:A", "A0"
// (DragOver with its state), "drop:B<-s".
class EventLog final : public ControlEvents {
public:
    QString text;
    std::function<void(ControlId target, DragState state)> onDragOver = [](ControlId, DragState) {};

    void click(ControlId c) override { add("click:" + nameOf(c)); }
    void doubleClick(ControlId c) override { add("dblclick:" + nameOf(c)); }
    void dragOver(ControlId target, ControlId, QPoint, DragState state) override
    {
        add(nameOf(target) + QString::number(static_cast<int>(state)));
        onDragOver(target, state);
    }
    void dragDrop(ControlId target, ControlId source, QPoint) override
    {
        add("drop:" + nameOf(target) + "<-" + nameOf(source));
    }

private:
    void add(const QString& entry) { text += (text.isEmpty() ? "" : " ") + entry; }
};

} // namespace pokaz::toolkit
