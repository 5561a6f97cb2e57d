#include "exercise.h"
#include "fake_form.h"

#include <QStringList>
#include <QTest>

#include <algorithm>

using namespace pokaz;
using pokaz::test::FakeForm;

namespace {

constexpr float ManHome = 6210.0F;
constexpr float MailboxHome = 135.0F;
constexpr int SlideSteps = 93;

QString text(const std::string& value) { return QString::fromStdString(value); }

// The visible paper members, e.g. "1", or "" for none.
QString paper(const FakeForm& form)
{
    QStringList members;
    for (const int index : form.visiblePaper())
        members << QString::number(index);
    return members.join(',');
}

QString log(const FakeForm& form)
{
    QStringList entries;
    for (const auto& entry : form.log)
        entries << text(entry);
    return entries.join(" | ");
}

void dragPencilsOverPaper(Exercise& exercise, int events)
{
    for (int i = 0; i < events; ++i)
        exercise.Pic_Papir_DragOver(0, Control::Pic_Olovke, 0.0F, 0.0F, 2);
}

// Takes the paper and the pencils out, writes and finishes the letter.
void finishLetter(Exercise& exercise)
{
    exercise.Pic_L3_Z_Click();
    exercise.Pic_L3_O_Click();
    exercise.Pic_L4_Z_Click();
    exercise.Pic_L4_O_Click();
    dragPencilsOverPaper(exercise, 101);
}

void postLetter(Exercise& exercise)
{
    exercise.Pic_Papir_DblClick(4);
    exercise.Pic_S_Z_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 0);
    exercise.Pic_S_O_DragDrop(Control::Pic_Pismo, 0.0F, 0.0F);
}

int countEntries(const FakeForm& form, const std::string& prefix)
{
    return static_cast<int>(std::count_if(form.log.begin(), form.log.end(),
        [&](const std::string& entry) { return entry.starts_with(prefix); }));
}

} // namespace

class ExerciseTest final : public QObject {
    Q_OBJECT

private slots:
    void startUpPutsTheDeskSceneIntoItsStartState()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();

        QCOMPARE(form.height(), 8520.0F);
        for (int k = 1; k <= 5; ++k) {
            QVERIFY(form.shown(closedDrawer(k)));
            QVERIFY(!form.shown(openDrawer(k)));
        }
        QVERIFY(!form.shown(Control::Pic_Olovke));
        QCOMPARE(paper(form), QString());
        QVERIFY(form.shown(Control::Frame_Pismo));
        QVERIFY(!form.shown(Control::Frame_Posta));
        QVERIFY(!form.shown(Control::BTN_Kraj));
        QVERIFY(!form.shown(Control::BTN_Ponovo));
        QVERIFY(!form.shown(Control::PorukaKraj));
        QVERIFY(form.shown(Control::Pic_S_Z));
        QVERIFY(!form.shown(Control::Pic_S_O));
        QVERIFY(form.shown(Control::Pic_Pismo));
        QVERIFY(form.shown(Control::Poruka));
        QVERIFY(form.shown(Control::Tok));
        QCOMPARE(text(form.caption(Control::Poruka)),
                 QStringLiteral(" Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo."));
        QCOMPARE(text(form.caption(Control::Tok)), QStringLiteral("0%"));
        QCOMPARE(exercise.OpenDrawer(), std::int16_t{0});
        QCOMPARE(exercise.WritingProgress(), std::int16_t{-1});
    }

    void onlyOneDrawerOpensAtATime()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();

        exercise.Pic_L2_Z_Click();
        QCOMPARE(exercise.OpenDrawer(), std::int16_t{2});
        form.clearLog();
        exercise.Pic_L1_Z_Click();
        exercise.Pic_L3_Z_Click();
        exercise.Pic_L4_Z_Click();
        exercise.Pic_L5_Z_Click();
        QCOMPARE(log(form), QString());
        QCOMPARE(exercise.WritingProgress(), std::int16_t{-1});

        exercise.Pic_L2_O_Click();
        QVERIFY(form.shown(Control::Pic_L2_Z));
        QVERIFY(!form.shown(Control::Pic_L2_O));
        QCOMPARE(exercise.OpenDrawer(), std::int16_t{0});

        form.clearLog();
        exercise.Pic_L5_Z_Click();
        QCOMPARE(log(form), QStringLiteral("hide Pic_L5_Z | show Pic_L5_O"));
        QCOMPARE(exercise.OpenDrawer(), std::int16_t{5});
    }

    void drawerThreeTakesThePaperOutAndPutsItBackKeepingTheProgress()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();

        exercise.Pic_L3_Z_Click();
        QCOMPARE(exercise.WritingProgress(), std::int16_t{1});
        QCOMPARE(paper(form), QStringLiteral("0"));
        exercise.Pic_L3_O_Click();
        QCOMPARE(paper(form), QStringLiteral("0")); // closing leaves the paper on the desk

        exercise.Pic_L4_Z_Click();
        exercise.Pic_L4_O_Click();
        dragPencilsOverPaper(exercise, 40);
        QCOMPARE(exercise.WritingProgress(), std::int16_t{41});
        QCOMPARE(paper(form), QStringLiteral("1"));

        exercise.Pic_L3_Z_Click();
        QCOMPARE(exercise.WritingProgress(), std::int16_t{-41});
        QCOMPARE(paper(form), QString());
        QCOMPARE(text(form.caption(Control::Tok)), QStringLiteral(" 40%"));

        form.clearLog();
        dragPencilsOverPaper(exercise, 3);
        QCOMPARE(log(form), QString()); // nothing to write on while it is put away
        exercise.Pic_L3_O_Click();

        exercise.Pic_L3_Z_Click();
        QCOMPARE(exercise.WritingProgress(), std::int16_t{41});
        QCOMPARE(paper(form), QStringLiteral("1"));
        exercise.Pic_L3_O_Click();
        dragPencilsOverPaper(exercise, 1);
        QCOMPARE(text(form.caption(Control::Tok)), QStringLiteral(" 41%"));
    }

    void drawerFourTakesThePencilsOutAndPutsThemBack()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();

        const bool expected[] = {true, false, true, false};
        for (const bool pencilsOut : expected) {
            exercise.Pic_L4_Z_Click();
            QCOMPARE(exercise.OpenDrawer(), std::int16_t{4});
            QCOMPARE(form.shown(Control::Pic_Olovke), pencilsOut);
            exercise.Pic_L4_O_Click();
            QCOMPARE(form.shown(Control::Pic_Olovke), pencilsOut);
        }
    }

    void everyPencilEventWritesOnePercentAndStepsThePaper()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        exercise.Pic_L3_Z_Click();
        exercise.Pic_L3_O_Click();
        exercise.Pic_L4_Z_Click();
        exercise.Pic_L4_O_Click();

        for (int progress = 2; progress <= 101; ++progress) {
            form.clearLog();
            // Enter, move and leave count alike: the State is ignored.
            const std::int16_t state = static_cast<std::int16_t>(progress % 3);
            exercise.Pic_Papir_DragOver(static_cast<std::int16_t>(progress % 5), Control::Pic_Olovke,
                                        1.0F, 2.0F, state);
            QCOMPARE(exercise.WritingProgress(), std::int16_t(progress));
            const QString caption = QStringLiteral(" %1%").arg(progress - 1);
            const int stage = progress <= 25 ? 0 : progress <= 50 ? 1 : progress <= 75 ? 2 : progress <= 100 ? 3 : 4;
            QCOMPARE(paper(form), QString::number(stage));
            if (progress == 26 || progress == 51 || progress == 76 || progress == 101) {
                QCOMPARE(log(form), QStringLiteral("hide Pic_Papir(%1) | show Pic_Papir(%2) | Tok=%3")
                                        .arg(stage - 1).arg(stage).arg(caption));
            } else {
                QCOMPARE(log(form), QStringLiteral("Tok=") + caption);
            }
        }
        QCOMPARE(text(form.caption(Control::Tok)), QStringLiteral(" 100%"));
        QVERIFY(!form.italic(Control::Poruka));
        QCOMPARE(form.backColor(Control::Poruka), colors::ButtonFace);
    }

    void theEventAfterOneHundredPercentFinishesTheLetter()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        finishLetter(exercise);

        QCOMPARE(exercise.WritingProgress(), std::int16_t{102});
        QCOMPARE(text(form.caption(Control::Poruka)),
                 QStringLiteral(" Napravite dvostruki klik na papir da stavite pismo u kuvertu!"));
        QCOMPARE(form.backColor(Control::Poruka), OleColor{0x000000FF});
        QCOMPARE(form.foreColor(Control::Poruka), OleColor{0x0000FFFF});
        QVERIFY(form.italic(Control::Poruka));
        QCOMPARE(text(form.caption(Control::Tok)), QStringLiteral(" 100%"));
        QCOMPARE(paper(form), QStringLiteral("4"));

        form.clearLog();
        dragPencilsOverPaper(exercise, 50);
        QCOMPARE(log(form), QString());
        QCOMPARE(exercise.WritingProgress(), std::int16_t{102});
    }

    void onlyThePencilsWrite()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        exercise.Pic_L3_Z_Click();
        exercise.Pic_L3_O_Click();

        form.clearLog();
        for (const Control source : {Control::Pic_Pismo, Control::Pic_Papir_0, Control::Pic_L4_Z}) {
            for (std::int16_t state = 0; state <= 2; ++state)
                exercise.Pic_Papir_DragOver(0, source, 0.0F, 0.0F, state);
        }
        QCOMPARE(log(form), QString());
        QCOMPARE(exercise.WritingProgress(), std::int16_t{1});
    }

    void theDoubleClickTakesOnlyTheFinishedLetter()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        exercise.Pic_L3_Z_Click();
        exercise.Pic_L3_O_Click();
        exercise.Pic_L4_Z_Click();
        exercise.Pic_L4_O_Click();
        dragPencilsOverPaper(exercise, 100);

        form.clearLog();
        exercise.Pic_Papir_DblClick(4); // 100 percent, but not yet finished
        QCOMPARE(log(form), QString());

        dragPencilsOverPaper(exercise, 1);
        exercise.Pic_Papir_DblClick(4);
        QVERIFY(!form.shown(Control::Frame_Pismo));
        QVERIFY(form.shown(Control::Frame_Posta));
        QCOMPARE(form.backColor(Control::Poruka), colors::ButtonFace);
        QCOMPARE(form.foreColor(Control::Poruka), colors::ButtonText);
        QVERIFY(!form.italic(Control::Poruka));
        QCOMPARE(text(form.caption(Control::Poruka)), QStringLiteral(" Ubacite pismo u poštanski sandučić!"));
        QCOMPARE(exercise.WritingProgress(), std::int16_t{102});
    }

    void aFinishedLetterPutAwayAndTakenOutCanStillBePosted()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        finishLetter(exercise);

        exercise.Pic_L3_Z_Click();
        QCOMPARE(exercise.WritingProgress(), std::int16_t{-102});
        QCOMPARE(paper(form), QString());
        exercise.Pic_Papir_DblClick(4);
        QVERIFY(form.shown(Control::Frame_Pismo));

        exercise.Pic_L3_O_Click();
        exercise.Pic_L3_Z_Click();
        QCOMPARE(paper(form), QStringLiteral("4"));
        QVERIFY(form.italic(Control::Poruka));
        exercise.Pic_L3_O_Click();
        exercise.Pic_Papir_DblClick(4);
        QVERIFY(form.shown(Control::Frame_Posta));
    }

    void theSlotOpensAndClosesOnlyWhenTheEnvelopeCrossesItsEdge()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        finishLetter(exercise);
        exercise.Pic_Papir_DblClick(4);

        form.clearLog();
        exercise.Pic_S_Z_DragOver(Control::Pic_Olovke, 0.0F, 0.0F, 0);
        exercise.Pic_S_Z_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 2);
        exercise.Pic_S_Z_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 1);
        QCOMPARE(log(form), QString());

        exercise.Pic_S_Z_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 0);
        QCOMPARE(log(form), QStringLiteral("hide Pic_S_Z | show Pic_S_O"));

        form.clearLog();
        exercise.Pic_S_O_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 0);
        exercise.Pic_S_O_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 2);
        exercise.Pic_S_O_DragOver(Control::Pic_Olovke, 0.0F, 0.0F, 1);
        QCOMPARE(log(form), QString());

        exercise.Pic_S_O_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 1);
        QCOMPARE(log(form), QStringLiteral("show Pic_S_Z | hide Pic_S_O"));

        exercise.Pic_S_Z_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 0);
        QVERIFY(form.shown(Control::Pic_S_O));
        QVERIFY(!form.shown(Control::Pic_S_Z));
    }

    void postingTheLetterSlidesBothPicturesOutAndShowsTheClosingScene()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        finishLetter(exercise);
        exercise.Pic_Papir_DblClick(4);
        exercise.Pic_S_Z_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 0);

        form.clearLog();
        exercise.Pic_S_O_DragDrop(Control::Pic_Olovke, 0.0F, 0.0F);
        QCOMPARE(log(form), QString());

        exercise.Pic_S_O_DragDrop(Control::Pic_Pismo, 0.0F, 0.0F);
        QCOMPARE(exercise.PPozadinaHome(), ManHome);
        QCOMPARE(exercise.SPozadinaHome(), std::int16_t{135});
        QCOMPARE(countEntries(form, "Pic_P_Pozadina.Left="), SlideSteps);
        QCOMPARE(countEntries(form, "Pic_S_Pozadina.Left="), SlideSteps);
        QCOMPARE(form.log.at(3), std::string("Pic_P_Pozadina.Left=6211.2"));
        QCOMPARE(form.log.at(4), std::string("Pic_S_Pozadina.Left=134"));
        QCOMPARE(form.Left(Control::Pic_P_Pozadina), static_cast<float>(6210.0 + 1.2 * 3681));
        QCOMPARE(form.Left(Control::Pic_S_Pozadina), 135.0F - 3681.0F);
        QCOMPARE(form.height(), 4000.0F);
        QCOMPARE(text(form.log.back()), QStringLiteral("hide Tok"));
        for (const Control hidden : {Control::Pic_Pismo, Control::Pic_S_O, Control::Pic_S_Z,
                                     Control::Poruka, Control::Tok})
            QVERIFY(!form.shown(hidden));
        for (const Control shown : {Control::BTN_Kraj, Control::BTN_Ponovo, Control::PorukaKraj})
            QVERIFY(form.shown(shown));
        QCOMPARE(exercise.WritingProgress(), std::int16_t{102});
    }

    void theMailboxPlaceIsKeptInWholeTwipsRoundingHalvesToEven()
    {
        const std::pair<float, std::int16_t> cases[] = {{134.5F, 134}, {135.5F, 136}, {-12.5F, -12}, {99.4F, 99}};
        for (const auto& [left, kept] : cases) {
            FakeForm form;
            Exercise exercise(form);
            exercise.Form_Load();
            form.setLeft(Control::Pic_S_Pozadina, left);
            form.setLeft(Control::Pic_P_Pozadina, 6210.3F);
            finishLetter(exercise);
            postLetter(exercise);
            QCOMPARE(exercise.SPozadinaHome(), kept);
            QCOMPARE(exercise.PPozadinaHome(), 6210.3F);

            exercise.BTN_Ponovo_Click();
            QCOMPARE(form.Left(Control::Pic_S_Pozadina), static_cast<float>(kept));
            QCOMPARE(form.Left(Control::Pic_P_Pozadina), 6210.3F);
        }
    }

    void restartRepeatsTheWholeExerciseExactly()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();

        for (int run = 0; run < 3; ++run) {
            exercise.Pic_L1_Z_Click();
            exercise.Pic_L1_O_Click();
            finishLetter(exercise);
            exercise.Pic_L5_Z_Click(); // left open when the letter goes
            postLetter(exercise);
            QCOMPARE(form.Left(Control::Pic_P_Pozadina), static_cast<float>(6210.0 + 1.2 * 3681));
            QCOMPARE(form.Left(Control::Pic_S_Pozadina), -3546.0F);

            exercise.BTN_Ponovo_Click();
            QCOMPARE(form.Left(Control::Pic_P_Pozadina), ManHome);
            QCOMPARE(form.Left(Control::Pic_S_Pozadina), MailboxHome);
            QCOMPARE(form.height(), 8520.0F);
            QVERIFY(form.shown(Control::Pic_L5_Z));
            QVERIFY(!form.shown(Control::Pic_L5_O));
            QCOMPARE(exercise.OpenDrawer(), std::int16_t{0});
            QCOMPARE(exercise.WritingProgress(), std::int16_t{-1});
            QCOMPARE(paper(form), QString());
            QVERIFY(!form.shown(Control::Pic_Olovke));
            QVERIFY(form.shown(Control::Pic_Pismo));
            QVERIFY(form.shown(Control::Pic_S_Z));
            QVERIFY(form.shown(Control::Poruka));
            QVERIFY(!form.italic(Control::Poruka));
            QCOMPARE(text(form.caption(Control::Tok)), QStringLiteral("0%"));
        }
    }

    void theEndButtonEndsTheProgramWithoutAnythingElse()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        form.clearLog();
        exercise.BTN_Kraj_Click();
        QCOMPARE(log(form), QStringLiteral("end"));
    }
};

QTEST_APPLESS_MAIN(ExerciseTest)
#include "exercise_test.moc"
