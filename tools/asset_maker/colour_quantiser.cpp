#include "colour_quantiser.h"

#include "oklab.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <vector>

namespace pokaz::assets {

namespace {

struct Sample {
    Oklab lab;
    double weight = 0;
};

double component(const Oklab& c, int axis) { return axis == 0 ? c.l : (axis == 1 ? c.a : c.b); }

// A box of median cut: a run of the sample vector.
struct Box {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::array<double, 3> spread{}; // weighted sum of squared deviations per axis

    [[nodiscard]] double error() const { return spread[0] + spread[1] + spread[2]; }
    [[nodiscard]] int widestAxis() const
    {
        return static_cast<int>(std::max_element(spread.begin(), spread.end()) - spread.begin());
    }
};

Oklab meanOf(const std::vector<Sample>& samples, std::size_t begin, std::size_t end)
{
    Oklab sum;
    double weight = 0;
    for (std::size_t i = begin; i < end; ++i) {
        sum.l += samples[i].lab.l * samples[i].weight;
        sum.a += samples[i].lab.a * samples[i].weight;
        sum.b += samples[i].lab.b * samples[i].weight;
        weight += samples[i].weight;
    }
    return {sum.l / weight, sum.a / weight, sum.b / weight};
}

Box makeBox(const std::vector<Sample>& samples, std::size_t begin, std::size_t end)
{
    Box box{begin, end, {}};
    const Oklab mean = meanOf(samples, begin, end);
    for (std::size_t i = begin; i < end; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            const double d = component(samples[i].lab, axis) - component(mean, axis);
            box.spread[static_cast<std::size_t>(axis)] += samples[i].weight * d * d;
        }
    }
    return box;
}

std::vector<Sample> histogram(const QList<QImage>& pictures)
{
    std::map<QRgb, double> counts; // ordered, so the samples come out in one fixed order
    for (const QImage& picture : pictures) {
        const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                counts[row[x] | 0xFF000000U] += 1.0;
        }
    }
    std::vector<Sample> samples;
    samples.reserve(counts.size());
    for (const auto& [colour, count] : counts)
        samples.push_back({toOklab(colour), count});
    return samples;
}

std::vector<Oklab> medianCut(std::vector<Sample>& samples, int maxColours)
{
    std::vector<Box> boxes{makeBox(samples, 0, samples.size())};
    while (static_cast<int>(boxes.size()) < maxColours) {
        auto widest = boxes.end();
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->end - it->begin > 1 && it->error() > 0 && (widest == boxes.end() || it->error() > widest->error()))
                widest = it;
        }
        if (widest == boxes.end())
            break;

        const Box box = *widest;
        const int axis = box.widestAxis();
        const auto first = samples.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = samples.begin() + static_cast<std::ptrdiff_t>(box.end);
        std::stable_sort(first, last,
            [axis](const Sample& p, const Sample& q) { return component(p.lab, axis) < component(q.lab, axis); });
        double total = 0;
        for (auto it = first; it != last; ++it)
            total += it->weight;
        double running = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            running += samples[i].weight;
            split = i + 1;
            if (running >= total / 2)
                break;
        }
        *widest = makeBox(samples, box.begin, split);
        boxes.push_back(makeBox(samples, split, box.end));
    }

    std::vector<Oklab> centres;
    centres.reserve(boxes.size());
    for (const Box& box : boxes)
        centres.push_back(meanOf(samples, box.begin, box.end));
    return centres;
}

std::size_t nearest(const std::vector<Oklab>& centres, const Oklab& colour)
{
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < centres.size(); ++i) {
        const double d = centres[i].distanceSquared(colour);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void refine(const std::vector<Sample>& samples, std::vector<Oklab>& centres)
{
    for (int round = 0; round < ColourQuantiser::RefinementRounds; ++round) {
        std::vector<Oklab> sums(centres.size());
        std::vector<double> weights(centres.size(), 0.0);
        for (const Sample& s : samples) {
            const std::size_t i = nearest(centres, s.lab);
            sums[i].l += s.lab.l * s.weight;
            sums[i].a += s.lab.a * s.weight;
            sums[i].b += s.lab.b * s.weight;
            weights[i] += s.weight;
        }
        for (std::size_t i = 0; i < centres.size(); ++i) {
            if (weights[i] > 0)
                centres[i] = {sums[i].l / weights[i], sums[i].a / weights[i], sums[i].b / weights[i]};
        }
    }
}

} // namespace

QList<QRgb> ColourQuantiser::buildPalette(const QList<QImage>& pictures, int maxColours)
{
    std::vector<Sample> samples = histogram(pictures);
    if (samples.empty())
        return {};
    std::vector<Oklab> centres = medianCut(samples, maxColours);
    refine(samples, centres);

    std::vector<QRgb> colours;
    colours.reserve(centres.size());
    for (const Oklab& centre : centres)
        colours.push_back(toRgb(centre));
    // Dark to light, so that the palette reads well in an editor.
    std::sort(colours.begin(), colours.end(), [](QRgb p, QRgb q) {
        const int lp = qGray(p);
        const int lq = qGray(q);
        return lp != lq ? lp < lq : p < q;
    });
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    return QList<QRgb>(colours.begin(), colours.end());
}

} // namespace pokaz::assets
