#include "editors/ColorMath.h"

#include "runtime/Conversions.h"

#include <QRgb>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace ColorMath {

// Positions far outside any the picker uses (a drag miles off the window)
// are held at the 16-bit range, so that the conversion stays defined.
int nearest(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(roundHalfEven(std::clamp(value, -32768.0, 32767.0)));
}

namespace {

double clampPercent(double value) {
    return std::clamp(value, 0.0, 100.0);
}

// The rising and falling halves of one third of the hue range: t = 50
// still gives the full channel.
int rising(int t) {
    return nearest(2.0 * t / 100 * 255);
}
int falling(int t) {
    return nearest(2.0 * (100 - t) / 100 * 255);
}

// The thirds run red to yellow to green, green to cyan to blue, and blue to
// magenta to red. The boundaries are 33.3334 and 66.6667 (not thirds to the
// last digit): the field, the marker and the boxes all agree on them.
Rgb pureColor(double hue) {
    constexpr double third = 33.3334;
    constexpr double twoThirds = 66.6667;
    if (hue < third) {
        const int t = nearest(hue / third * 100);
        return t < 51 ? Rgb{255, rising(t), 0} : Rgb{falling(t), 255, 0};
    }
    if (hue < twoThirds) {
        const int t = nearest((hue - third) / third * 100);
        return t < 51 ? Rgb{0, 255, rising(t)} : Rgb{0, falling(t), 255};
    }
    const int t = nearest((hue - twoThirds) / third * 100);
    return t < 51 ? Rgb{rising(t), 0, 255} : Rgb{255, 0, falling(t)};
}

QImage makeField(int width, int height, bool eightBit) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double grey = static_cast<double>(y) / image.height() * 100;
        for (int x = 0; x < image.width(); ++x) {
            const Rgb c = HueToBaseColor(static_cast<double>(x) / image.width() * 100, grey);
            line[x] = qRgb(c.red, c.green, c.blue);
        }
    }
    if (eightBit)
        return image.convertToFormat(QImage::Format_Indexed8, Qt::OrderedDither);
    return image;
}

} // namespace

int32_t rgbValue(const Rgb& c) {
    return c.red + 256 * c.green + 65536 * c.blue;
}

Rgb splitColor(int32_t color) {
    return Rgb{color & 0xFF, (color & 0xFF00) / 256, (color & 0xFF0000) / 65536};
}

int channelFromText(const QString& text) {
    return std::clamp(nearest(val(text)), 0, 255);
}

ColorPosition positionOf(const Rgb& c) {
    const int r = c.red;
    const int g = c.green;
    const int b = c.blue;
    ColorPosition pos;
    // The lowest channel picks a pair of sectors; within it the two others
    // are taken in the order of the hue circle.
    struct Pair {
        int low, first, second, sector;
    };
    const Pair pair = b <= g && b <= r   ? Pair{b, r, g, 0}
                      : r <= b && r <= g ? Pair{r, g, b, 2}
                                         : Pair{g, b, r, 4};
    const int minimum = pair.low;
    int maximum = 0;
    // Odd sectors measure the falling channel against 255, not against the
    // colour's own span; for colours that do not reach 255 and 0 that
    // places them a little differently from a textbook hue.
    if (pair.first - pair.low >= pair.second - pair.low) {
        maximum = pair.first;
        pos.sector = pair.sector;
        pos.fraction = pair.first == pair.low
                           ? 0.0
                           : static_cast<double>(pair.second - pair.low) / (pair.first - pair.low);
    } else {
        maximum = pair.second;
        pos.sector = pair.sector + 1;
        pos.fraction = (255.0 - pair.first) / 255;
    }
    pos.hue = (pos.sector * 0.16666667 + pos.fraction / 6) * 100;

    const int lightness = nearest(maximum - (maximum - minimum) / 2.0);
    if (lightness == 0)
        pos.grey = 100;
    else if (minimum < 255 - maximum)
        pos.grey = static_cast<double>(minimum) / lightness * 100;
    else if (lightness == 255)
        pos.grey = 100;
    else
        pos.grey = 100 - static_cast<double>(maximum - lightness) / (255 - lightness) * 100;

    pos.level = nearest(100 - (maximum + minimum) / 510.0 * 100);
    return pos;
}

Rgb HueToBaseColor(double hue, double grey) {
    const double k = clampPercent(grey) / 100;
    const Rgb pure = pureColor(clampPercent(hue));
    const auto toGrey = [k](int channel) { return nearest(channel - (channel - 127) * k); };
    return Rgb{toGrey(pure.red), toGrey(pure.green), toGrey(pure.blue)};
}

int ShadeChannel(int channel, int level) {
    if (level < 50)
        return nearest(255 - (255 - channel) * (2.0 * level) / 100);
    return nearest(channel - channel * (2.0 * (level - 50)) / 100);
}

Rgb shade(const Rgb& base, int level) {
    return Rgb{ShadeChannel(base.red, level), ShadeChannel(base.green, level),
               ShadeChannel(base.blue, level)};
}

int clampLevel(int level) {
    return std::clamp(level, 0, 100);
}

std::vector<Band> brightnessBands(int height, int width) {
    const int band = nearest(height / 100.0 + height / 100.0);
    std::vector<Band> bands;
    bands.reserve(51);
    for (int level = 0; level <= 100; level += 2)
        bands.push_back(Band{level, QRect(0, nearest(level / 100.0 * height), width, band)});
    return bands;
}

int levelFromBar(double y, double barScaleHeight) {
    if (barScaleHeight <= 0)
        return 0;
    return nearest(y / barScaleHeight * 100);
}

int levelFromArrowStrip(double yTwips, int stripWidthTwips, double barScaleHeightTwips) {
    return levelFromBar(yTwips - stripWidthTwips, barScaleHeightTwips);
}

std::array<QPoint, 3> arrowTriangle(int level, int barHeightTwips, int stripWidthTwips, int tppx,
                                    int tppy) {
    level = clampLevel(level);
    const int w = nearest(stripWidthTwips - 25.0);
    const int y = nearest(barHeightTwips / 100.0 * level + stripWidthTwips);
    const int y1 = nearest(y - w / 2.0);
    const int y2 = nearest(w / 2.0 + y);
    const int baseX = nearest(static_cast<double>(w) / tppx);
    return {QPoint(0, nearest(static_cast<double>(y) / tppy)),
            QPoint(baseX, nearest(static_cast<double>(y1) / tppy)),
            QPoint(baseX, nearest(static_cast<double>(y2) / tppy))};
}

QPoint markerPoint(int hue, int grey, int fieldWidth, int fieldHeight) {
    return QPoint(nearest(std::clamp(hue, 0, 100) / 100.0 * fieldWidth),
                  nearest(std::clamp(grey, 0, 100) / 100.0 * fieldHeight));
}

std::array<QRect, 4> markerArms(QPoint at) {
    const int x = at.x();
    const int y = at.y();
    return {QRect(x - 10, y - 1, 8, 3), QRect(x - 1, y - 10, 3, 8), QRect(x + 3, y - 1, 8, 3),
            QRect(x - 1, y + 3, 3, 8)};
}

const QImage& colorField(int width, int height, bool eightBit) {
    static std::map<std::tuple<int, int, bool>, QImage> made;
    const auto key = std::make_tuple(width, height, eightBit);
    auto it = made.find(key);
    if (it == made.end())
        it = made.emplace(key, makeField(width, height, eightBit)).first;
    return it->second;
}

} // namespace ColorMath
