#include "event_wiring.h"

#include "exercise.h"

#include <array>
#include <utility>

namespace pokaz {

namespace {

using ClickHandler = void (Exercise::*)();

constexpr std::array<std::pair<Control, ClickHandler>, 12> ClickHandlers{{
    {Control::Pic_L1_Z, &Exercise::Pic_L1_Z_Click},
    {Control::Pic_L2_Z, &Exercise::Pic_L2_Z_Click},
    {Control::Pic_L3_Z, &Exercise::Pic_L3_Z_Click},
    {Control::Pic_L4_Z, &Exercise::Pic_L4_Z_Click},
    {Control::Pic_L5_Z, &Exercise::Pic_L5_Z_Click},
    {Control::Pic_L1_O, &Exercise::Pic_L1_O_Click},
    {Control::Pic_L2_O, &Exercise::Pic_L2_O_Click},
    {Control::Pic_L3_O, &Exercise::Pic_L3_O_Click},
    {Control::Pic_L4_O, &Exercise::Pic_L4_O_Click},
    {Control::Pic_L5_O, &Exercise::Pic_L5_O_Click},
    {Control::BTN_Ponovo, &Exercise::BTN_Ponovo_Click},
    {Control::BTN_Kraj, &Exercise::BTN_Kraj_Click},
}};

} // namespace

void deliverClick(Exercise& exercise, Control control)
{
    for (const auto& [owner, handler] : ClickHandlers) {
        if (owner == control) {
            (exercise.*handler)();
            return;
        }
    }
}

void deliverDblClick(Exercise& exercise, Control control)
{
    const int index = paperIndex(control);
    if (index >= 0)
        exercise.Pic_Papir_DblClick(static_cast<std::int16_t>(index));
}

void deliverDragOver(Exercise& exercise, Control target, Control source, float x, float y, DragState state)
{
    const int index = paperIndex(target);
    if (index >= 0)
        exercise.Pic_Papir_DragOver(static_cast<std::int16_t>(index), source, x, y, state);
    else if (target == Control::Pic_S_Z)
        exercise.Pic_S_Z_DragOver(source, x, y, state);
    else if (target == Control::Pic_S_O)
        exercise.Pic_S_O_DragOver(source, x, y, state);
}

void deliverDragDrop(Exercise& exercise, Control target, Control source, float x, float y)
{
    if (target == Control::Pic_S_O)
        exercise.Pic_S_O_DragDrop(source, x, y);
}

} // namespace pokaz
