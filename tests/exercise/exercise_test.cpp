// The exercise's rules against an in-memory window that logs every change.

#include "exercise.h"

#include <QTest>

#include <array>
#include <string>

using namespace pokaz;
using enum Control;

Q_DECLARE_METATYPE(pokaz::Control)

namespace {

// Enough of the controls' names to read the log by.
std::string nameOf(Control c)
{
    for (int k = 1; k <= 5; ++k) {
        if (c == closedDrawer(k) || c == openDrawer(k))
            return "Pic_L" + std::to_string(k) + (c == openDrawer(k) ? "_O" : "_Z");
    }
    return paperIndex(c) >= 0 ? "Pic_Papir(" + std::to_string(paperIndex(c)) + ")"
                              : std::to_string(static_cast<int>(c));
}

// Every property the exercise may touch; visibility changes are logged in order.
class MemoryForm final : public FormView {
public:
    Truth Visible(Control c) const override { return visible[i(c)]; }
    void setVisible(Control c, Truth v) override
    {
        visible[i(c)] = v;
        log += (isTrue(v) ? "+" : "-") + nameOf(c) + " ";
    }
    void setCaption(Control c, std::string_view text) override
    {
        captions[i(c)] = QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    void setBackColor(Control, OleColor color) override { back = color; }
    void setForeColor(Control, OleColor color) override { fore = color; }
    void setFontItalic(Control, Truth value) override { italic = isTrue(value); }
    float Left(Control c) const override { return lefts[i(c)]; }
    void setLeft(Control c, float twips) override
    {
        lefts[i(c)] = twips;
        ++leftChanges;
    }
    void setHeight(float twips) override { height = twips; }
    void endProgram() override { ended = true; }

    bool shown(Control c) const { return isTrue(Visible(c)); }
    QString paper() const
    {
        QString members;
        for (int k = 0; k < Pic_Papir_Count; ++k)
            members += shown(Pic_Papir(k)) ? QString::number(k) : QString();
        return members;
    }
    static std::size_t i(Control c) { return static_cast<std::size_t>(c); }

    std::array<Truth, ControlCount> visible{};
    std::array<QString, ControlCount> captions{};
    std::array<float, ControlCount> lefts{};
    OleColor back = 0, fore = 0;
    bool italic = false, ended = false;
    float height = 0;
    int leftChanges = 0;
    std::string log;
};

constexpr auto FirstInstruction = " Otvorite ladice i izvadite pribor za pisanje pisma, a zatim napišite pismo.";
constexpr auto DoubleClickInstruction = " Napravite dvostruki klik na papir da stavite pismo u kuvertu!";
constexpr auto PostInstruction = " Ubacite pismo u poštanski sandučić!";
constexpr DragState Enter = DragState::Enter, Over = DragState::Over;

// A started exercise; the mailbox backgrounds stand where the window puts them.
struct Desk {
    MemoryForm form;
    Exercise exercise{form};
    Desk()
    {
        form.lefts[MemoryForm::i(Pic_P_Pozadina)] = 6210.0F;
        form.lefts[MemoryForm::i(Pic_S_Pozadina)] = 135.0F;
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
    void post()
    {
        takeOutPaperAndPencils();
        write(101);
        exercise.Pic_Papir_DblClick(4);
        exercise.Pic_S_Z_DragOver(Pic_Pismo, 0, 0, Enter);
        exercise.Pic_S_O_DragDrop(Pic_Pismo, 0, 0);
    }
};

void checkStartState(const Desk& desk)
{
    const MemoryForm& form = desk.form;
    for (const Control c :
        {Pic_L1_Z, Pic_L2_Z, Pic_L3_Z, Pic_L4_Z, Pic_L5_Z, Frame_Pismo, Pic_S_Z, Pic_Pismo, Poruka, Tok})
        QVERIFY2(form.shown(c), nameOf(c).c_str());
    for (const Control c : {Pic_L1_O, Pic_L2_O, Pic_L3_O, Pic_L4_O, Pic_L5_O, Pic_Olovke, Pic_S_O, Frame_Posta,
             BTN_Kraj, BTN_Ponovo, PorukaKraj})
        QVERIFY2(!form.shown(c), nameOf(c).c_str());
    QCOMPARE(form.paper(), QString());
    QCOMPARE(form.captions[MemoryForm::i(Poruka)], QString::fromUtf8(FirstInstruction));
    QCOMPARE(form.captions[MemoryForm::i(Tok)], QStringLiteral("0%"));
    QCOMPARE(form.height, 8520.0F);
    QCOMPARE(desk.exercise.OpenDrawer(), 0);
    QCOMPARE(desk.exercise.WritingProgress(), -1);
}

} // namespace

class ExerciseTest final : public QObject {
    Q_OBJECT

private slots:
    void startUpShowsTheDeskWithEveryDrawerClosed() { checkStartState(Desk()); }

    void anOpenDrawerBlocksTheOthersUntilItIsClosed()
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
    }

    void drawersThreeAndFourTakeOutAndPutBackPaperAndPencils()
    {
        Desk desk;
        desk.takeOutPaperAndPencils();
        QCOMPARE(desk.form.paper(), QStringLiteral("0"));
        QVERIFY(desk.form.shown(Pic_Olovke));
        desk.write(30);
        desk.exercise.Pic_L3_Z_Click(); // the paper goes back, its progress kept
        QCOMPARE(desk.form.paper(), QString());
        QCOMPARE(desk.exercise.WritingProgress(), -31);
        desk.write(5);
        QCOMPARE(desk.exercise.WritingProgress(), -31);
        desk.exercise.Pic_L3_O_Click();
        desk.exercise.Pic_L4_Z_Click(); // and the pencils
        QVERIFY(!desk.form.shown(Pic_Olovke));
        desk.exercise.Pic_L4_O_Click();
        desk.exercise.Pic_L3_Z_Click();
        QCOMPARE(desk.form.paper(), QStringLiteral("1"));
        QCOMPARE(desk.exercise.WritingProgress(), 31);
    }

    void writingCountsThePercentageAndStepsThePaper_data()
    {
        QTest::addColumn<int>("events");
        QTest::addColumn<QString>("tok");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QString>("changes"); // of the paper, on the last event
        QTest::newRow("first") << 1 << " 1%"
                               << "0"
                               << "";
        QTest::newRow("last of stage 0") << 24 << " 24%"
                                         << "0"
                                         << "";
        QTest::newRow("stage 1") << 25 << " 25%"
                                 << "1"
                                 << "-Pic_Papir(0) +Pic_Papir(1) ";
        QTest::newRow("stage 2") << 50 << " 50%"
                                 << "2"
                                 << "-Pic_Papir(1) +Pic_Papir(2) ";
        QTest::newRow("last of stage 3") << 99 << " 99%"
                                         << "3"
                                         << "";
        QTest::newRow("stage 4") << 100 << " 100%"
                                 << "4"
                                 << "-Pic_Papir(3) +Pic_Papir(4) ";
    }

    void writingCountsThePercentageAndStepsThePaper()
    {
        QFETCH(int, events);
        Desk desk;
        desk.takeOutPaperAndPencils();
        desk.write(events - 1);
        desk.write(1, Pic_Pismo); // only the pencils write
        desk.form.log.clear();
        desk.write(1);
        QTEST(desk.form.captions[MemoryForm::i(Tok)], "tok");
        QTEST(desk.form.paper(), "paper");
        QTEST(QString::fromStdString(desk.form.log), "changes");
        QCOMPARE(desk.exercise.WritingProgress(), events + 1);
        QCOMPARE(desk.form.captions[MemoryForm::i(Poruka)], QString::fromUtf8(FirstInstruction));
    }

    void theEventAfterAHundredPercentFinishesTheLetter()
    {
        Desk desk;
        desk.takeOutPaperAndPencils();
        desk.write(100);
        desk.exercise.Pic_Papir_DblClick(4); // not yet finished
        QVERIFY(desk.form.shown(Frame_Pismo));
        desk.write(1);
        QCOMPARE(desk.exercise.WritingProgress(), 102);
        QCOMPARE(desk.form.captions[MemoryForm::i(Poruka)], QString::fromUtf8(DoubleClickInstruction));
        QCOMPARE(desk.form.back, 0x000000FFU);
        QCOMPARE(desk.form.fore, 0x0000FFFFU);
        QVERIFY(desk.form.italic);
        desk.write(5);
        QCOMPARE(desk.form.captions[MemoryForm::i(Tok)], QStringLiteral(" 100%"));
        QCOMPARE(desk.form.paper(), QStringLiteral("4"));

        desk.exercise.Pic_Papir_DblClick(4);
        QVERIFY(!desk.form.shown(Frame_Pismo) && desk.form.shown(Frame_Posta));
        QCOMPARE(desk.form.captions[MemoryForm::i(Poruka)], QString::fromUtf8(PostInstruction));
        QCOMPARE(desk.form.back, 0x8000000FU);
        QCOMPARE(desk.form.fore, 0x80000012U);
        QVERIFY(!desk.form.italic);
    }

    void theSlotOpensAndClosesOnlyAsTheEnvelopeCrossesItsEdge_data()
    {
        QTest::addColumn<Control>("target");
        QTest::addColumn<Control>("source");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("open"); // from closed, or from open for Pic_S_O
        QTest::newRow("envelope enters") << Pic_S_Z << Pic_Pismo << 0 << true;
        QTest::newRow("envelope over closed") << Pic_S_Z << Pic_Pismo << 2 << false;
        QTest::newRow("envelope leaves closed") << Pic_S_Z << Pic_Pismo << 1 << false;
        QTest::newRow("pencils enter") << Pic_S_Z << Pic_Olovke << 0 << false;
        QTest::newRow("envelope leaves open") << Pic_S_O << Pic_Pismo << 1 << false;
        QTest::newRow("envelope over open") << Pic_S_O << Pic_Pismo << 2 << true;
        QTest::newRow("envelope enters open") << Pic_S_O << Pic_Pismo << 0 << true;
        QTest::newRow("pencils leave open") << Pic_S_O << Pic_Olovke << 1 << true;
    }

    void theSlotOpensAndClosesOnlyAsTheEnvelopeCrossesItsEdge()
    {
        QFETCH(Control, target);
        QFETCH(Control, source);
        QFETCH(int, state);
        Desk desk;
        if (target == Pic_S_O)
            desk.exercise.Pic_S_Z_DragOver(Pic_Pismo, 0, 0, Enter);
        if (target == Pic_S_Z)
            desk.exercise.Pic_S_Z_DragOver(source, 0, 0, static_cast<DragState>(state));
        else
            desk.exercise.Pic_S_O_DragOver(source, 0, 0, static_cast<DragState>(state));
        QFETCH(bool, open);
        QCOMPARE(desk.form.shown(Pic_S_O), open);
        QCOMPARE(desk.form.shown(Pic_S_Z), !open);
        desk.exercise.Pic_S_O_DragDrop(Pic_Olovke, 0, 0);
        QVERIFY(desk.form.shown(Pic_Pismo));
    }

    void postingSlidesTheBackgroundsOutAndRestartingTwiceEndsAlike()
    {
        Desk desk;
        for (int round = 0; round < 2; ++round) {
            desk.form.leftChanges = 0;
            desk.post();
            QCOMPARE(desk.exercise.PPozadinaHome(), 6210.0F);
            QCOMPARE(desk.exercise.SPozadinaHome(), 135);
            QCOMPARE(desk.form.leftChanges, 2 * 93);
            QCOMPARE(desk.form.Left(Pic_P_Pozadina), 6210.0F + 4417.2F);
            QCOMPARE(desk.form.Left(Pic_S_Pozadina), 135.0F - 3681.0F);
            QCOMPARE(desk.form.height, 4000.0F);
            for (const Control c : {Pic_Pismo, Pic_S_O, Pic_S_Z, Poruka, Tok})
                QVERIFY(!desk.form.shown(c));
            for (const Control c : {BTN_Kraj, BTN_Ponovo, PorukaKraj})
                QVERIFY(desk.form.shown(c));
            QCOMPARE(desk.exercise.WritingProgress(), 102);
            desk.exercise.BTN_Ponovo_Click();
            checkStartState(desk);
            QCOMPARE(desk.form.Left(Pic_P_Pozadina), 6210.0F);
            QCOMPARE(desk.form.Left(Pic_S_Pozadina), 135.0F);
        }
        desk.exercise.BTN_Kraj_Click();
        QVERIFY(desk.form.ended);
    }
};

QTEST_APPLESS_MAIN(ExerciseTest)
#include "exercise_test.moc"
