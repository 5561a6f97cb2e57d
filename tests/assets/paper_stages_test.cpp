#include "paper_stages.h"

#include <QTest>

#include <stdexcept>

using pokaz::assets::PaperStages;

namespace {

constexpr int kBlankIndex = 0;
constexpr int kWrittenIndex = 1;

QImage sheetOf(int index)
{
    QImage sheet(PaperStages::kRegion.width, PaperStages::kRegion.height, QImage::Format_Indexed8);
    sheet.setColorTable({qRgb(187, 187, 187), qRgb(60, 60, 60)});
    sheet.fill(index);
    return sheet;
}

} // namespace

class PaperStagesTest final : public QObject {
    Q_OBJECT

private slots:
    void eachStageTakesTheWrittenSheetInItsBandOfRowsOnly()
    {
        const QImage blank = sheetOf(kBlankIndex);
        const QImage written = sheetOf(kWrittenIndex);
        // Rows 1 to 7, 14, 21 and 31, columns 13 to 83 (71 wide).
        const std::array<int, PaperStages::kStageCount> expectedRows = {0, 7, 14, 21, 31};
        QImage before = blank;
        for (int stage = 0; stage < PaperStages::kStageCount; ++stage) {
            const QImage composed = PaperStages::compose(blank, written, stage);
            QCOMPARE(composed.size(), blank.size());
            int writtenPixels = 0;
            for (int y = 0; y < composed.height(); ++y) {
                for (int x = 0; x < composed.width(); ++x) {
                    const bool isWritten = composed.pixelIndex(x, y) == kWrittenIndex;
                    const bool inBand = stage > 0 && x >= 13 && x <= 83 && y >= 1 && y <= expectedRows.at(static_cast<std::size_t>(stage));
                    QCOMPARE(isWritten, inBand);
                    if (before.pixelIndex(x, y) == kWrittenIndex)
                        QCOMPARE(composed.pixelIndex(x, y), kWrittenIndex);
                    writtenPixels += isWritten ? 1 : 0;
                }
            }
            QCOMPARE(writtenPixels, 71 * expectedRows.at(static_cast<std::size_t>(stage)));
            before = composed;
        }
    }

    void sheetsOfDifferentPalettesCannotBeCombined()
    {
        QImage other = sheetOf(kWrittenIndex);
        other.setColorTable({qRgb(187, 187, 187), qRgb(0, 0, 0)});
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, PaperStages::compose(sheetOf(kBlankIndex), other, 1));
    }
};

QTEST_GUILESS_MAIN(PaperStagesTest)
#include "paper_stages_test.moc"
