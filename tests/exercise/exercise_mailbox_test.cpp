// The mailbox and closing scenes: the envelope, the slot, posting, restart and end.

#include "exercise_steps.h"

#include <QTest>

using namespace pokaz;
using namespace pokaz::test;

class ExerciseMailboxTest final : public QObject {
    Q_OBJECT

private slots:
    void theDoubleClickTakesOnlyTheFinishedLetter()
    {
        FakeForm form;
        Exercise exercise(form);
        exercise.Form_Load();
        takeOutPaperAndPencils(exercise);
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

QTEST_APPLESS_MAIN(ExerciseMailboxTest)
#include "exercise_mailbox_test.moc"
