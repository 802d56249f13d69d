#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The colour picker's arithmetic, apart from its controls.
//
// The picker works in a model of its own: a field whose horizontal axis is
// the hue (0 to 100) and whose vertical axis runs from the saturated colour
// at the top (grey 0) to a middle grey at the bottom (grey 100); a
// brightness level from 0 (white) through 50 (the field colour itself) to
// 100 (black). Every fractional value becomes an integer by rounding to the
// nearest, halves to the even neighbour.
namespace ColorMath {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives
// 2, 3.5 gives 4). Values beyond the 16-bit range are held at its ends.
int nearest(double value);

// The program's colour value: red in the low byte, then green, then blue.
int32_t rgbValue(const Rgb& c);
Rgb splitColor(int32_t color);

// One colour part as typed into a box: the number the text begins with,
// rounded, kept within 0..255 (a pasted "-5" is 0, "300" is 255).
int channelFromText(const QString& text);

// Where a colour sits in the picker's model.
struct ColorPosition {
    int sector = 0;        // 0..5, red-yellow, yellow-green, ... magenta-red
    double fraction = 0.0; // how far along its sector
    double hue = 0.0;      // 0 up to 100
    double grey = 0.0;     // 0 saturated .. 100 grey
    int level = 0;         // brightness level, 0 white .. 100 black
};
ColorPosition positionOf(const Rgb& c);

// The field colour at a hue and grey (each clamped to 0..100): the pure
// colour of that hue, mixed toward 127 grey by grey percent.
Rgb HueToBaseColor(double hue, double grey);

// One channel of a base colour at a brightness level: toward white below
// 50, the channel itself at 50, toward black above.
int ShadeChannel(int channel, int level);
Rgb shade(const Rgb& base, int level);

// A brightness level kept within 0..100.
int clampLevel(int level);

// The bar: 51 bands, one per even level, each about 2% of its height, in
// the bar's own units (height h, width w).
struct Band {
    int level = 0;
    QRect box;
};
std::vector<Band> brightnessBands(int height, int width);

// The level a point of the bar stands for (y and the height in the same
// units), and the level of a point of the arrow strip, which begins one
// strip width above the bar (all in twips).
int levelFromBar(double y, double barScaleHeight);
int levelFromArrowStrip(double yTwips, int stripWidthTwips, double barScaleHeightTwips);

// The arrow at a level: its tip on the bar's edge at the level's height,
// its base to the right, in pixels of the strip. Bar height and strip width
// are in twips; tppx and tppy the screen's twips per pixel.
std::array<QPoint, 3> arrowTriangle(int level, int barHeightTwips, int stripWidthTwips, int tppx,
                                    int tppy);

// The marker's position in the field for a hue and grey (each clamped to
// 0..100), and the four arms of its cross-hair around that point: each 8
// pixels long and 3 thick, leaving a 5 x 5 gap.
QPoint markerPoint(int hue, int grey, int fieldWidth, int fieldHeight);
std::array<QRect, 4> markerArms(QPoint at);

// The colour field: hue across, grey down, every pixel the base colour of
// its position. With eightBit, the same field reduced to a palette of 256
// colours, for screens of 8 bits per pixel. Made once per size and kind.
const QImage& colorField(int width, int height, bool eightBit);

} // namespace ColorMath
