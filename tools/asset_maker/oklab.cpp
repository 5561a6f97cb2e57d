#include "oklab.h"

#include <algorithm>
#include <cmath>

namespace pokaz::assets {

namespace {

constexpr double ChannelMax = 255.0;

double toLinear(double channel)
{
    const double c = std::clamp(channel / ChannelMax, 0.0, 1.0);
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int toChannel(double linear)
{
    const double c = std::clamp(linear, 0.0, 1.0);
    const double gamma = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return static_cast<int>(std::lround(std::clamp(gamma, 0.0, 1.0) * ChannelMax));
}

} // namespace

// The matrices are those published with Oklab (Björn Ottosson, 2020).
Oklab toOklab(double red, double green, double blue)
{
    const double r = toLinear(red);
    const double g = toLinear(green);
    const double b = toLinear(blue);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
        1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s, 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Oklab toOklab(QRgb colour) { return toOklab(qRed(colour), qGreen(colour), qBlue(colour)); }

QRgb toRgb(const Oklab& colour)
{
    const double l = colour.l + 0.3963377774 * colour.a + 0.2158037573 * colour.b;
    const double m = colour.l - 0.1055613458 * colour.a - 0.0638541728 * colour.b;
    const double s = colour.l - 0.0894841775 * colour.a - 1.2914855480 * colour.b;
    const double l3 = l * l * l;
    const double m3 = m * m * m;
    const double s3 = s * s * s;
    return qRgb(toChannel(4.0767416621 * l3 - 3.3077115913 * m3 + 0.2309699292 * s3),
        toChannel(-1.2684380046 * l3 + 2.6097574011 * m3 - 0.3413193965 * s3),
        toChannel(-0.0041960863 * l3 - 0.7034186147 * m3 + 1.7076127010 * s3));
}

} // namespace pokaz::assets
