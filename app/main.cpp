#include "form_pokaz.h"
#include "fonts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pokaz"));
    QApplication::setApplicationVersion(QStringLiteral(POKAZ_VERSION));
    pokaz::toolkit::registerFonts();

    pokaz::Form_Pokaz form;
    form.show();
    return QApplication::exec();
}
