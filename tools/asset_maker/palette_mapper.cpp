#include "palette_mapper.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <unordered_map>
#include <utility>

namespace pokaz::assets {

namespace {

constexpr double ChannelMax = 255.0;

// Floyd-Steinberg weights, in sixteenths: right, below-behind, below, below-ahead.
constexpr double Right = 7.0 / 16.0;
constexpr double BelowBehind = 3.0 / 16.0;
constexpr double Below = 5.0 / 16.0;
constexpr double BelowAhead = 1.0 / 16.0;

using Rgb = std::array<double, 3>;

constexpr int BayerSide = 8;
constexpr std::array<int, BayerSide* BayerSide> Bayer = {
    0,
    32,
    8,
    40,
    2,
    34,
    10,
    42,
    48,
    16,
    56,
    24,
    50,
    18,
    58,
    26,
    12,
    44,
    4,
    36,
    14,
    46,
    6,
    38,
    60,
    28,
    52,
    20,
    62,
    30,
    54,
    22,
    3,
    35,
    11,
    43,
    1,
    33,
    9,
    41,
    51,
    19,
    59,
    27,
    49,
    17,
    57,
    25,
    15,
    47,
    7,
    39,
    13,
    45,
    5,
    37,
    63,
    31,
    55,
    23,
    61,
    29,
    53,
    21,
};

// The pattern's offset at a place of the scene, centred on zero.
double orderedOffset(int x, int y)
{
    const auto cell = static_cast<std::size_t>((y % BayerSide) * BayerSide + x % BayerSide);
    return ((Bayer.at(cell) + 0.5) / (BayerSide * BayerSide) - 0.5) * PaletteMapper::OrderedSpread;
}

int shifted(int channel, double offset)
{
    return static_cast<int>(std::lround(std::clamp(channel + offset, 0.0, ChannelMax)));
}

} // namespace

PaletteMapper::PaletteMapper(QList<QRgb> palette)
    : palette_(std::move(palette))
{
    if (palette_.isEmpty() || palette_.size() > 256)
        throw std::invalid_argument("a palette holds 1 to 256 colours");
    for (const QRgb c : std::as_const(palette_))
        lab_.push_back(toOklab(c));
}

int PaletteMapper::nearestIndex(const Oklab& colour) const
{
    int best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < lab_.size(); ++i) {
        const double d = lab_[i].distanceSquared(colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

QImage PaletteMapper::map(const QImage& picture, Dither dither, QPoint origin) const
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width();
    const int h = rgb.height();
    QImage result(w, h, QImage::Format_Indexed8);
    result.setColorTable(palette_);

    std::unordered_map<QRgb, int> cache;
    const auto indexOf = [&](QRgb colour) {
        const auto [it, inserted] = cache.try_emplace(colour, 0);
        if (inserted)
            it->second = nearestIndex(toOklab(colour));
        return it->second;
    };

    if (dither == Dither::None) {
        for (int y = 0; y < h; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            uchar* out = result.scanLine(y);
            for (int x = 0; x < w; ++x)
                out[x] = static_cast<uchar>(indexOf(in[x] | 0xFF000000U));
        }
        return result;
    }

    if (dither == Dither::Ordered) {
        for (int y = 0; y < h; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            uchar* out = result.scanLine(y);
            for (int x = 0; x < w; ++x) {
                const double offset = orderedOffset(origin.x() + x, origin.y() + y);
                out[x] = static_cast<uchar>(indexOf(
                    qRgb(shifted(qRed(in[x]), offset), shifted(qGreen(in[x]), offset), shifted(qBlue(in[x]), offset))));
            }
        }
        return result;
    }

    // Errors carried to this row and the next, with a spare column on each side.
    std::vector<Rgb> current(static_cast<std::size_t>(w) + 2, Rgb{});
    std::vector<Rgb> next(static_cast<std::size_t>(w) + 2, Rgb{});
    for (int y = 0; y < h; ++y) {
        const bool leftToRight = y % 2 == 0;
        const int step = leftToRight ? 1 : -1;
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = result.scanLine(y);
        for (int i = 0; i < w; ++i) {
            const int x = leftToRight ? i : w - 1 - i;
            const auto slot = static_cast<std::size_t>(x + 1);
            const Rgb wanted = {std::clamp(qRed(in[x]) + current[slot][0], 0.0, ChannelMax),
                std::clamp(qGreen(in[x]) + current[slot][1], 0.0, ChannelMax),
                std::clamp(qBlue(in[x]) + current[slot][2], 0.0, ChannelMax)};
            const int index = indexOf(qRgb(static_cast<int>(std::lround(wanted[0])),
                static_cast<int>(std::lround(wanted[1])), static_cast<int>(std::lround(wanted[2]))));
            out[x] = static_cast<uchar>(index);
            const QRgb got = palette_[index];
            const Rgb error = {wanted[0] - qRed(got), wanted[1] - qGreen(got), wanted[2] - qBlue(got)};
            const auto ahead = static_cast<std::size_t>(x + 1 + step);
            const auto behind = static_cast<std::size_t>(x + 1 - step);
            for (std::size_t c = 0; c < 3; ++c) {
                current[ahead][c] += error[c] * Right;
                next[behind][c] += error[c] * BelowBehind;
                next[slot][c] += error[c] * Below;
                next[ahead][c] += error[c] * BelowAhead;
            }
        }
        std::swap(current, next);
        std::fill(next.begin(), next.end(), Rgb{});
    }
    return result;
}

} // namespace pokaz::assets
