// The desk scene: start-up, the drawers and writing the letter.

#include "exercise_steps.h"

#include <QTest>

using namespace pokaz;
using namespace pokaz::test;

class ExerciseDeskTest final : public QObject {
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
        takeOutPaperAndPencils(exercise);

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
};

QTEST_APPLESS_MAIN(ExerciseDeskTest)
#include "exercise_desk_test.moc"
