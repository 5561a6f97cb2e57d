#pragma once

#include <cstdint>

namespace pokaz {

// What a drag does relative to the control that hears of it, as DragOver's
// State: 0 entering, 1 leaving, 2 moving over.
enum class DragState : std::int16_t { Enter = 0, Leave = 1, Over = 2 };

} // namespace pokaz
