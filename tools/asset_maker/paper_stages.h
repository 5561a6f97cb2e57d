#pragma once

#include "asset_catalogue.h"

#include <QImage>

#include <array>

namespace pokaz::assets {

// The five pictures of the sheet on the desk, from blank to fully written.
// Each stage takes the written render's pixels in a band of rows that grows
// with the stage and the blank render's pixels everywhere else, so a later
// stage holds every written pixel of the one before, in the same place.
class PaperStages final {
public:
    static constexpr PixelRegion Region = {271, 168, 98, 32}; // of both paper renders
    static constexpr int StageCount = 5;
    static constexpr int WritingLeft = 13;
    static constexpr int WritingRight = 83;
    static constexpr int WritingTop = 1;
    // Last row with writing, per stage; stage 0 is blank.
    static constexpr std::array<int, StageCount> WritingBottom = {0, 7, 14, 21, 31};

    // The rectangle, in sheet pixels, that stage `stage` takes from the
    // written sheet; `scale` 2 for the sheet at twice the size.
    [[nodiscard]] static QRect writingArea(int stage, int scale = 1);

    // `blank` and `written` are the sheet cut from the two renders, already in
    // their final format (both indexed with the same palette, or both RGB).
    [[nodiscard]] static QImage compose(const QImage& blank, const QImage& written, int stage, int scale = 1);
};

} // namespace pokaz::assets
