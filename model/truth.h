#pragma once

#include <cstdint>

namespace pokaz {

// A stored truth value: -1 true, 0 false. Inverting is a bitwise complement,
// so ~True is False and ~False is True.
enum class Truth : std::int16_t { False = 0, True = -1 };

constexpr Truth operator~(Truth value)
{
    return static_cast<Truth>(static_cast<std::int16_t>(~static_cast<std::int16_t>(value)));
}

// Any non-zero stored value reads as true.
constexpr bool isTrue(Truth value) { return value != Truth::False; }

constexpr Truth truthOf(bool value) { return value ? Truth::True : Truth::False; }

} // namespace pokaz
