#include "command_line.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace pokaz {

namespace {

// QGuiApplication's and QApplication's options, without the leading dash.
constexpr std::array QtOptionsWithValue{
    std::string_view("platform"),
    std::string_view("platformpluginpath"),
    std::string_view("platformtheme"),
    std::string_view("plugin"),
    std::string_view("qwindowgeometry"),
    std::string_view("geometry"),
    std::string_view("qwindowtitle"),
    std::string_view("title"),
    std::string_view("qwindowicon"),
    std::string_view("icon"),
    std::string_view("session"),
    std::string_view("display"),
    std::string_view("name"),
    std::string_view("style"),
    std::string_view("stylesheet"),
    std::string_view("qmljsdebugger"),
};
constexpr std::array QtFlags{
    std::string_view("reverse"),
    std::string_view("widgetcount"),
    std::string_view("testability"),
    std::string_view("nograb"),
    std::string_view("dograb"),
    std::string_view("sync"),
};

template <std::size_t N> bool contains(const std::array<std::string_view, N>& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine rejected(std::string error) { return {CommandLine::Action::Reject, std::move(error)}; }

} // namespace

CommandLine CommandLine::parse(std::span<char* const> arguments)
{
    CommandLine result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const auto request = argument == "--help" || argument == "-h" ? Action::PrintHelp
            : argument == "--version"                                 ? Action::PrintVersion
                                                                      : Action::Run;
        if (request != Action::Run) {
            // The first of them wins; an unknown option after it still counts.
            if (result.action == Action::Run)
                result.action = request;
            continue;
        }
        if (!argument.starts_with('-') || argument.size() == 1)
            return rejected("neočekivani argument '" + std::string(argument) + "'");
        // Qt takes its options with one dash or two, and a value after a blank or '='.
        std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
        const bool valueAttached = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (contains(QtFlags, name) && !valueAttached)
            continue;
        if (!contains(QtOptionsWithValue, name))
            return rejected("nepoznata opcija '" + std::string(argument) + "'");
        if (!valueAttached && ++i == arguments.size())
            return rejected("opciji '" + std::string(argument) + "' nedostaje vrijednost");
    }
    return result;
}

std::string usage()
{
    return "Uporaba: pokaz [OPCIJA]\n"
           "Vježba s mišem: otvorite ladice, napišite pismo i pošaljite ga poštom.\n"
           "\n"
           "  -h, --help     ispiše ovu pomoć i završi\n"
           "      --version  ispiše inačicu programa i završi\n"
           "\n"
           "Prihvaća i opcije Qt-a, npr. -platform IME ili -style IME.\n";
}

} // namespace pokaz
