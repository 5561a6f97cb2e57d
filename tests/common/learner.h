#pragma once

#include "client_layout.h"

#include <functional>

namespace pokaz::test {

// How far a learner's hand plays the exercise: the paper and the pencils out
// of drawers 3 and 4, the letter written past its end (each move over the
// paper one drag event, the first entering it); put in its envelope; the
// envelope dragged past the gap between the backgrounds onto the slot, off it
// and back; dropped there; "Još jednom..." clicked.
enum class Stage { Written, InEnvelope, OverSlot, Posted, Restarted };

// Plays the exercise up to a stage with a hand that has WindowDriver's
// click, doubleClick, press, move and release; `whileWriting` sees the number
// of each writing event after it.
template <typename Hand>
void play(
    Hand& hand, Stage stage, const std::function<void(int)>& whileWriting = [](int) {})
{
    for (const QPoint at : {closedDrawerPoint(3), openDrawerPoint(3), closedDrawerPoint(4), openDrawerPoint(4)})
        hand.click(at);
    hand.press(PencilsPoint);
    for (int event = 1; event <= 110; ++event) {
        hand.move(PaperPoint + QPoint(event % 2, 0));
        whileWriting(event);
    }
    hand.release(PaperPoint);
    if (stage > Stage::Written)
        hand.doubleClick(PaperPoint);
    if (stage > Stage::InEnvelope) {
        hand.press(EnvelopePoint);
        for (const QPoint at :
            {BetweenBackgroundsPoint, SlotPoint, BesideSlotPoint, SlotPoint, SlotPoint + QPoint(1, 1)})
            hand.move(at);
    }
    if (stage > Stage::OverSlot)
        hand.release(SlotPoint + QPoint(1, 1));
    if (stage > Stage::Posted)
        hand.click(clientRect(Control::BTN_Ponovo).center());
}

} // namespace pokaz::test
