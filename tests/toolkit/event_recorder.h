#pragma once

#include "control_events.h"

#include <QPoint>

#include <functional>
#include <vector>

class QWidget;

namespace pokaz::toolkit {

// Every control event the toolkit delivers, in order.
struct RecordedEvent {
    enum class Kind { Click, DblClick, DragOver, DragDrop };

    Kind kind;
    QWidget* target = nullptr;
    QWidget* source = nullptr;
    QPoint windowPos{};
    DragState state = DragState::Over;

    bool operator==(const RecordedEvent&) const = default;
};

class EventRecorder final : public ControlEvents {
public:
    std::vector<RecordedEvent> events;
    // Runs after each event is recorded, as a handler would.
    std::function<void(const RecordedEvent&)> onEvent;

    void click(QWidget* control) override { record({RecordedEvent::Kind::Click, control}); }
    void doubleClick(QWidget* control) override { record({RecordedEvent::Kind::DblClick, control}); }
    void dragOver(QWidget* target, QWidget* source, QPoint windowPos, DragState state) override
    {
        record({RecordedEvent::Kind::DragOver, target, source, windowPos, state});
    }
    void dragDrop(QWidget* target, QWidget* source, QPoint windowPos) override
    {
        record({RecordedEvent::Kind::DragDrop, target, source, windowPos});
    }

    // The targets and states of the DragOver events, in order.
    std::vector<std::pair<QWidget*, DragState>> dragOvers() const
    {
        std::vector<std::pair<QWidget*, DragState>> result;
        for (const RecordedEvent& event : events) {
            if (event.kind == RecordedEvent::Kind::DragOver)
                result.emplace_back(event.target, event.state);
        }
        return result;
    }

private:
    void record(const RecordedEvent& event)
    {
        events.push_back(event);
        if (onEvent)
            onEvent(event);
    }
};

} // namespace pokaz::toolkit
