#include "invariants.h"

#include "label.h"

#include <QRegularExpression>

namespace pokaz::test {

namespace {

constexpr int DrawerCount = 5;
constexpr std::int16_t MostProgress = 102;
constexpr std::int16_t TextWritten = 101;
constexpr int StageLimits[] = {25, 50, 75, 100};

int stageOf(int writingProgress)
{
    int stage = 0;
    for (const int limit : StageLimits) {
        if (writingProgress > limit)
            ++stage;
    }
    return stage;
}

QString caption(const Form_Pokaz& form, Control label)
{
    return qobject_cast<const QLabel*>(form.control(label))->text();
}

QString drawers(const WindowDriver& window)
{
    int open = 0;
    int openCount = 0;
    for (int k = 1; k <= DrawerCount; ++k) {
        const bool closedShown = window.shown(closedDrawer(k));
        const bool openShown = window.shown(openDrawer(k));
        if (closedShown == openShown)
            return QStringLiteral("drawer %1 shows %2 of its pictures").arg(k).arg(closedShown ? 2 : 0);
        if (openShown) {
            open = k;
            ++openCount;
        }
    }
    if (openCount > 1)
        return QStringLiteral("%1 drawers open").arg(openCount);
    if (window.exercise().OpenDrawer() != open)
        return QStringLiteral("OpenDrawer is %1 but drawer %2 is open").arg(window.exercise().OpenDrawer()).arg(open);
    return {};
}

QString paper(const WindowDriver& window)
{
    const int progress = window.exercise().WritingProgress();
    if (progress == 0 || progress < -MostProgress || progress > MostProgress)
        return QStringLiteral("WritingProgress is %1").arg(progress);
    QList<int> shown;
    for (int i = 0; i < Pic_Papir_Count; ++i) {
        if (window.shown(Pic_Papir(i)))
            shown << i;
    }
    if (progress < 0 && !shown.isEmpty())
        return QStringLiteral("paper member %1 shown while WritingProgress is %2").arg(shown.front()).arg(progress);
    if (progress > 0 && shown != QList<int>{stageOf(progress)}) {
        QStringList members;
        for (const int i : shown)
            members << QString::number(i);
        return QStringLiteral("paper members {%1} shown while WritingProgress is %2")
            .arg(members.join(QLatin1Char(',')))
            .arg(progress);
    }
    return {};
}

// Tok shows "0%" until the first drag event, then a blank, the percentage
// and "%"; the percentage is the one of WritingProgress, which keeps it
// while the paper is in the drawer and stops at 100.
QString progressLabel(const WindowDriver& window)
{
    static const QRegularExpression format(QStringLiteral("^ (0|[1-9][0-9]?|100)%$"));
    const QString tok = caption(window.form(), Control::Tok);
    const int progress = std::abs(window.exercise().WritingProgress());
    const int percent = std::min<int>(progress, TextWritten) - 1;
    if (tok == QStringLiteral("0%"))
        return progress == 1 ? QString() : QStringLiteral("Tok shows \"0%\" at WritingProgress %1").arg(progress);
    const auto match = format.match(tok);
    if (!match.hasMatch())
        return QStringLiteral("Tok shows \"%1\"").arg(tok);
    if (match.captured(1).toInt() != percent)
        return QStringLiteral("Tok shows \"%1\" at WritingProgress %2").arg(tok).arg(window.exercise().WritingProgress());
    return {};
}

QString scenes(const WindowDriver& window)
{
    if (!window.form().isVisible())
        return QStringLiteral("the window closed");
    if (window.shown(Control::Pic_S_Z) && window.shown(Control::Pic_S_O))
        return QStringLiteral("both slot pictures shown");
    if (window.shown(Control::Frame_Pismo) == window.shown(Control::Frame_Posta))
        return QStringLiteral("both scenes or none shown");
    return {};
}

} // namespace

QString brokenInvariant(const WindowDriver& window)
{
    for (const auto& check : {drawers, paper, progressLabel, scenes}) {
        const QString broken = check(window);
        if (!broken.isEmpty())
            return broken;
    }
    return {};
}

QStringList describeState(const WindowDriver& window)
{
    const Form_Pokaz& form = window.form();
    QStringList lines;
    lines << QStringLiteral("window %1x%2").arg(form.width()).arg(form.height());
    lines << QStringLiteral("OpenDrawer %1, WritingProgress %2")
                 .arg(window.exercise().OpenDrawer())
                 .arg(window.exercise().WritingProgress());
    for (int i = 0; i < ControlCount; ++i) {
        const auto control = static_cast<Control>(i);
        const QWidget* widget = form.control(control);
        const QRect place(widget->mapTo(&form, QPoint(0, 0)), widget->size());
        QString line = QStringLiteral("%1 %2 at %3,%4 %5x%6")
                           .arg(QString::fromLatin1(controlName(control).data(),
                                                    static_cast<qsizetype>(controlName(control).size())))
                           .arg(window.shown(control) ? QStringLiteral("shown") : QStringLiteral("hidden"))
                           .arg(place.x())
                           .arg(place.y())
                           .arg(place.width())
                           .arg(place.height());
        if (const auto* label = qobject_cast<const toolkit::Label*>(widget)) {
            line += QStringLiteral(" \"%1\" on %2 in %3%4")
                        .arg(label->text(), label->backColor().name(), label->foreColor().name(),
                             label->font().italic() ? QStringLiteral(" italic") : QString());
        }
        if (control == Control::Pic_P_Pozadina || control == Control::Pic_S_Pozadina)
            line += QStringLiteral(" Left %1").arg(static_cast<double>(form.Left(control)), 0, 'g', 9);
        lines << line;
    }
    return lines;
}

} // namespace pokaz::test
