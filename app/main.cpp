#include "asset_catalog.h"
#include "command_line.h"
#include "form_pokaz.h"
#include "platform.h"

#include <QApplication>

#include <cstdio>

namespace {

// What a shell expects of a misused command.
constexpr int UsageErrorStatus = 2;

} // namespace

int main(int argc, char* argv[])
{
    const auto commandLine = pokaz::CommandLine::parse({argv + 1, argv + argc});
    switch (commandLine.action) {
    case pokaz::CommandLine::Action::PrintHelp:
        std::fputs(pokaz::usage().c_str(), stdout);
        return 0;
    case pokaz::CommandLine::Action::PrintVersion:
        std::puts("Pokaz " POKAZ_VERSION);
        return 0;
    case pokaz::CommandLine::Action::Reject:
        std::fprintf(stderr, "pokaz: %s\nZa pomoć: pokaz --help\n", commandLine.error.c_str());
        return UsageErrorStatus;
    case pokaz::CommandLine::Action::Run:
        break;
    }

    pokaz::toolkit::choosePlatformOptions();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pokaz"));
    QApplication::setApplicationVersion(QStringLiteral(POKAZ_VERSION));
    pokaz::registerFonts();
    pokaz::toolkit::registerPageResources();

    QObject::connect(&application, &QGuiApplication::lastWindowClosed, &pokaz::toolkit::announceEnd);
    pokaz::Form_Pokaz form;
    form.show();
    return QApplication::exec();
}
