// The exercise's rules against an in-memory window that logs every change.

#include "exercise.h"
#include "layout.h"

#include <QTest>

#include <array>
#include <map>
#include <string>
#include <tuple>

using namespace pokaz;
using enum Control;

namespace {

// Every property the exercise may touch; visibility changes are logged in order.
class MemoryForm final : public FormView {
public:
    Truth Visible(Control c) const override { return visible[i(c)]; }
    void setVisible(Control c, Truth v) override
    {
        visible[i(c)] = v;
        log += (isTrue(v) ? "+" : "-") + std::string(controlName(c)) + " ";
    }
    void setCaption(Control c, std::string_view text) override { captions[c] = QString::fromUtf8(text); }
    void setBackColor(Control, OleColor color) override { back = color; }
    void setForeColor(Control, OleColor color) override { fore = color; }
    void setFontItalic(Control, Truth value) override { italic = isTrue(value); }
    float Left(Control c) const override { return lefts.at(c); }
    void setLeft(Control c, float twips) override
    {
        lefts[c] = twips;
        ++leftChanges;
        // What does not slide with the backgrounds is gone before they move.
        leftBehind = leftBehind || shown(Pic_Pismo) || shown(Pic_S_O) || shown(Pic_S_Z);
    }
    void setHeight(float twips) override { height = twips; }
    void endProgram() override { ended = true; }

    bool shown(Control c) const { return isTrue(Visible(c)); }
    // The shown controls whose names contain a part, in alphabetical order.
    QString shownNames(const char* part = "") const
    {
        QStringList names;
        for (int c = 0; c < ControlCount; ++c) {
            if (shown(Control(c)) && controlName(Control(c)).find(part) != std::string_view::npos)
                names << QString::fromLatin1(controlName(Control(c)));
        }
        names.sort();
        return names.join(' ');
    }
    static std::size_t i(Control c) { return static_cast<std::size_t>(c); }

    std::array<Truth, ControlCount> visible{};
    std::map<Control, QString> captions;
    std::map<Control, float> lefts;
    OleColor back = 0, fore = 0;
    bool italic = false, ended = false, leftBehind = false;
    float height = 0;
    int leftChanges = 0;
    std::string log;
};

constexpr auto FirstInstruction = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo.";
constexpr auto DoubleClickInstruction = " Napravite dvostruki klik na papir da stavite pismo u kuvertu!";
constexpr auto PostInstruction = " Ubacite pismo u poštanski sandučić!";
constexpr DragState Enter = DragState::Enter, Leave = DragState::Leave, Over = DragState::Over;

// A started exercise; the mailbox backgrounds stand where the window puts them.
struct Desk {
    MemoryForm form;
    Exercise exercise{form};
    Desk()
    {
        form.lefts = {{Pic_P_Pozadina, 6210.0F}, {Pic_S_Pozadina, 135.0F}};
        exercise.Form_Load();
    }
    void takeOutPaperAndPencils()
    {
        exercise.Pic_L3_Z_Click();
        exercise.Pic_L3_O_Click();
        exercise.Pic_L4_Z_Click();
        exercise.Pic_L4_O_Click();
    }
    void write(int events, Control source = Pic_Olovke)
    {
        for (int i = 0; i < events; ++i)
            exercise.Pic_Papir_DragOver(0, source, 0, 0, Over);
    }
};

} // namespace

class ExerciseTest final : public QObject {
    Q_OBJECT

private slots:
    // An open drawer blocks the others until it is closed; drawers 3 and 4
    // take out and put back the paper and the pencils.
    void anOpenDrawerBlocksTheOthersAndThreeAndFourHoldThePaperAndThePencils()
    {
        Desk desk;
        desk.exercise.Pic_L2_Z_Click();
        desk.form.log.clear();
        desk.exercise.Pic_L1_Z_Click();
        desk.exercise.Pic_L5_Z_Click();
        QCOMPARE(desk.form.log, std::string());
        QCOMPARE(desk.exercise.OpenDrawer(), 2);
        desk.exercise.Pic_L2_O_Click();
        desk.exercise.Pic_L5_Z_Click();
        QCOMPARE(desk.form.log, std::string("+Pic_L2_Z -Pic_L2_O -Pic_L5_Z +Pic_L5_O "));
        QCOMPARE(desk.exercise.OpenDrawer(), 5);
        desk.exercise.Pic_L5_O_Click();
        desk.takeOutPaperAndPencils();
        QVERIFY(desk.form.shown(Pic_Olovke));
        desk.write(30);
        desk.exercise.Pic_L3_Z_Click(); // the paper goes back, its progress kept
        QCOMPARE(desk.form.shownNames("Pic_Papir"), QString());
        desk.write(5);
        QCOMPARE(desk.exercise.WritingProgress(), -31);
        desk.exercise.Pic_L3_O_Click();
        desk.exercise.Pic_L4_Z_Click(); // and the pencils
        QVERIFY(!desk.form.shown(Pic_Olovke));
        desk.exercise.Pic_L4_O_Click();
        desk.exercise.Pic_L3_Z_Click();
        QCOMPARE(desk.form.shownNames("Pic_Papir"), QStringLiteral("Pic_Papir(1)"));
    }

    // Only the pencils write; the paper changes on the event that reaches its stage.
    void writingCountsThePercentageAndStepsThePaper()
    {
        const std::tuple<int, const char*, const char*, const char*> cases[] = {
            {1, " 1%", "Pic_Papir(0)", ""},
            {24, " 24%", "Pic_Papir(0)", ""},
            {25, " 25%", "Pic_Papir(1)", "-Pic_Papir(0) +Pic_Papir(1) "},
            {50, " 50%", "Pic_Papir(2)", "-Pic_Papir(1) +Pic_Papir(2) "},
            {99, " 99%", "Pic_Papir(3)", ""},
            {100, " 100%", "Pic_Papir(4)", "-Pic_Papir(3) +Pic_Papir(4) "},
        };
        for (const auto& [events, tok, paper, changes] : cases) {
            Desk desk;
            desk.takeOutPaperAndPencils();
            desk.write(events - 1);
            desk.write(1, Pic_Pismo);
            desk.form.log.clear();
            desk.write(1);
            QCOMPARE(desk.form.captions[Tok], QString::fromUtf8(tok));
            QCOMPARE(desk.form.shownNames("Pic_Papir"), QString::fromLatin1(paper));
            QCOMPARE(desk.form.log, std::string(changes));
        }
    }

    // Only the envelope opens and closes the slot; a drop of anything else posts nothing.
    void theSlotOpensAndClosesOnlyAsTheEnvelopeCrossesItsEdge()
    {
        // Target, source, state, and whether the slot is open afterwards; the
        // cases for Pic_S_O start with the slot open.
        const std::tuple<Control, Control, DragState, bool> cases[] = {
            {Pic_S_Z, Pic_Pismo, Enter, true},
            {Pic_S_Z, Pic_Pismo, Over, false},
            {Pic_S_Z, Pic_Pismo, Leave, false},
            {Pic_S_Z, Pic_Olovke, Enter, false},
            {Pic_S_O, Pic_Pismo, Leave, false},
            {Pic_S_O, Pic_Pismo, Over, true},
            {Pic_S_O, Pic_Pismo, Enter, true},
            {Pic_S_O, Pic_Olovke, Leave, true},
        };
        for (const auto& [target, source, state, open] : cases) {
            Desk desk;
            if (target == Pic_S_O)
                desk.exercise.Pic_S_Z_DragOver(Pic_Pismo, 0, 0, Enter);
            (desk.exercise.*(target == Pic_S_O ? &Exercise::Pic_S_O_DragOver : &Exercise::Pic_S_Z_DragOver))(
                source, 0, 0, state);
            QCOMPARE(desk.form.shown(Pic_S_O), open);
            QCOMPARE(desk.form.shown(Pic_S_Z), !open);
            desk.exercise.Pic_S_O_DragDrop(Pic_Olovke, 0, 0);
            QVERIFY(desk.form.shown(Pic_Pismo));
        }
    }

    // The start, and after each posting and restart the start again: the
    // event after 100 % finishes the letter, the double-click puts it in its
    // envelope, and the drop slides the scene out.
    void theLetterFinishedAndPostedAndEachRestartBringsBackTheStart()
    {
        Desk desk;
        for (int round = 0;; ++round) {
            QCOMPARE(desk.form.shownNames(),
                QStringLiteral(
                    "Frame_Pismo Pic_L1_Z Pic_L2_Z Pic_L3_Z Pic_L4_Z Pic_L5_Z Pic_Pismo Pic_S_Z Poruka Tok"));
            QCOMPARE(desk.form.captions[Poruka], QString::fromUtf8(FirstInstruction));
            QCOMPARE(desk.form.captions[Tok], QStringLiteral("0%"));
            QCOMPARE(desk.form.height, 8520.0F);
            QCOMPARE(std::tuple(desk.exercise.OpenDrawer(), desk.exercise.WritingProgress()), std::tuple(0, -1));
            QCOMPARE(desk.form.Left(Pic_P_Pozadina), 6210.0F);
            QCOMPARE(desk.form.Left(Pic_S_Pozadina), 135.0F);
            if (round == 2)
                break;
            desk.takeOutPaperAndPencils();
            desk.write(100);
            desk.exercise.Pic_Papir_DblClick(4); // not yet finished
            QVERIFY(desk.form.shown(Frame_Pismo));
            desk.write(1);
            QCOMPARE(desk.form.captions[Poruka], QString::fromUtf8(DoubleClickInstruction));
            QCOMPARE(std::tuple(desk.form.back, desk.form.fore, desk.form.italic), std::tuple(0xFFU, 0xFFFFU, true));
            desk.exercise.Pic_Papir_DblClick(4);
            QVERIFY(!desk.form.shown(Frame_Pismo) && desk.form.shown(Frame_Posta));
            QCOMPARE(desk.form.captions[Poruka], QString::fromUtf8(PostInstruction));
            QCOMPARE(std::tuple(desk.form.back, desk.form.fore, desk.form.italic),
                std::tuple(0x8000000FU, 0x80000012U, false));
            desk.form.leftChanges = 0;
            desk.exercise.Pic_S_Z_DragOver(Pic_Pismo, 0, 0, Enter);
            desk.exercise.Pic_S_O_DragDrop(Pic_Pismo, 0, 0);
            QCOMPARE(desk.form.leftChanges, 2 * 93);
            QVERIFY(!desk.form.leftBehind);
            QCOMPARE(desk.form.Left(Pic_P_Pozadina), 6210.0F + 4417.2F);
            QCOMPARE(desk.form.Left(Pic_S_Pozadina), 135.0F - 3681.0F);
            QCOMPARE(desk.form.height, 4000.0F);
            // The desk's pictures keep their own flags inside the hidden Frame_Pismo.
            QCOMPARE(desk.form.shownNames(),
                QStringLiteral(
                    "BTN_Kraj BTN_Ponovo Frame_Posta Pic_L1_Z Pic_L2_Z Pic_L3_Z Pic_L4_Z Pic_L5_Z Pic_Olovke "
                    "Pic_Papir(4) PorukaKraj"));
            desk.exercise.BTN_Ponovo_Click();
        }
        desk.exercise.BTN_Kraj_Click();
        QVERIFY(desk.form.ended);
    }
};

QTEST_APPLESS_MAIN(ExerciseTest)
#include "exercise_test.moc"
