#pragma once

#include "control.h"
#include "drag_state.h"

#include <cstdint>

namespace pokaz {

class Exercise;

// Hands a control event to the exercise handler named after the control and
// the event. An event that no handler is named for is dropped.

void deliverClick(Exercise& exercise, Control control);
void deliverDblClick(Exercise& exercise, Control control);
void deliverDragOver(Exercise& exercise, Control target, Control source, float x, float y, DragState state);
void deliverDragDrop(Exercise& exercise, Control target, Control source, float x, float y);

} // namespace pokaz
