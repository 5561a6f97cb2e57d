#pragma once

#include "control_events.h"

#include <QString>
#include <QWidget>

#include <functional>

namespace pokaz::toolkit {

// The control events as one line of text, each control by its object name:
// "click:A", "dblclick:A", "A0" (DragOver with its state), "drop:B<-s".
class EventLog final : public ControlEvents {
public:
    QString text;
    std::function<void(QWidget* target, DragState state)> onDragOver;

    void click(QWidget* c) override { add("click:" + c->objectName()); }
    void doubleClick(QWidget* c) override { add("dblclick:" + c->objectName()); }
    void dragOver(QWidget* target, QWidget*, QPoint, DragState state) override
    {
        add(target->objectName() + QString::number(static_cast<int>(state)));
        if (onDragOver)
            onDragOver(target, state);
    }
    void dragDrop(QWidget* target, QWidget* source, QPoint) override
    {
        add("drop:" + target->objectName() + "<-" + source->objectName());
    }

private:
    void add(const QString& entry) { text += (text.isEmpty() ? "" : " ") + entry; }
};

} // namespace pokaz::toolkit
