#include "form_pokaz.h"

#include "asset_catalog.h"
#include "layout.h"
#include "twips.h"

#include <QTimer>

namespace pokaz {

Form_Pokaz::Form_Pokaz()
    : DialogWindow(QSize(toolkit::twipsToPixels(FormClientWidth), toolkit::twipsToPixels(FormClientHeight)))
    , controls_(*this)
{
    setWindowTitle(QString::fromUtf8(FormCaption.data(), static_cast<qsizetype>(FormCaption.size())));
    setWindowIcon(loadWindowIcon());
}

void Form_Pokaz::paintEvent(QPaintEvent* event)
{
    DialogWindow::paintEvent(event);
    if (controls_.hasPicturesToGive())
        QTimer::singleShot(0, this, [this] { controls_.giveRemainingPictures(); });
}

} // namespace pokaz
