#pragma once

#include <span>
#include <string>

namespace pokaz {

// What the program is asked to do by its arguments, read before Qt starts so
// that --help and --version need no display. Qt's own options (-platform,
// -style and the rest) are let through for QApplication to take.
struct CommandLine final {
    enum class Action { Run, PrintHelp, PrintVersion, Reject };

    Action action = Action::Run;
    std::string error; // what is wrong, when rejected

    // The arguments after the program's name.
    static CommandLine parse(std::span<char* const> arguments);
};

// The text --help prints.
std::string usage();

} // namespace pokaz
