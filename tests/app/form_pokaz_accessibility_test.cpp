#include "form_driver.h"
#include "layout.h"

#include <QAccessible>
#include <QSet>
#include <QTest>

using namespace pokaz;
using enum Control;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text kind)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(kind) : QString();
}

} // namespace

class FormPokazAccessibilityTest final : public QObject {
    Q_OBJECT

private slots:
    void everyControlTellsAScreenReaderWhatItIs()
    {
        FormDriver driver;
        QSet<QString> names;
        for (int i = 0; i < ControlCount; ++i) {
            QWidget* widget = driver.form().control(static_cast<Control>(i));
            const QString name = accessibleText(widget, QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), controlName(static_cast<Control>(i)).data());
            names.insert(name);
        }
        // No two controls share a name, so a drawer's closed and open
        // pictures are told apart.
        QCOMPARE(names.size(), ControlCount);
        QCOMPARE(accessibleText(driver.form().control(Pic_L3_Z), QAccessible::Name),
                 QStringLiteral("Ladica 3 s papirom, zatvorena"));
    }

    void aControlWithATooltipIsDescribedByIt()
    {
        FormDriver driver;
        const std::pair<Control, QString> described[] = {
            {Pic_L1_Z, QStringLiteral("Kliknite da otvorite ladicu!")},
            {Pic_L5_O, QStringLiteral("Kliknite da zatvorite ladicu!")},
            {Pic_Olovke, QStringLiteral("Povlačite olovkom po papiru za pisanje!")},
            {Pic_Pismo, QStringLiteral("Povucite pismo do utora na sandučiću!")},
        };
        for (const auto& [control, tip] : described)
            QCOMPARE(accessibleText(driver.form().control(control), QAccessible::Description), tip);
        for (const Control silent : {Pic_Papir_0, Pic_Pozadina, Pic_S_Z, Pic_S_O, Tok})
            QCOMPARE(accessibleText(driver.form().control(silent), QAccessible::Description), QString());
    }
};

QTEST_MAIN(FormPokazAccessibilityTest)
#include "form_pokaz_accessibility_test.moc"
