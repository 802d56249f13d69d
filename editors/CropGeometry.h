#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

// The arithmetic of the crop dialog, apart from any control: the crop
// types and their sizes, fitting the picture into the dialog, the
// selection in display pixels and its way back to picture pixels, moving,
// drawing, growing and shrinking it. Picture pixels are those of the
// picture as the desktop shows it (camera orientation, then the entry's
// rotation); display pixels are those of the picture as the dialog shows
// it. Fractions become whole numbers by rounding halves to the even
// neighbour; integer divisions truncate.

namespace croptype {
constexpr int EntirePicture = 0;
constexpr int FreeHand = 1;
constexpr int Scaled = 2;
constexpr int FixedSize = 3;
constexpr int FirstPreset = 4; // the common screen sizes, then the screen's own
constexpr int SlotCount = 11;  // the last slot is never used
} // namespace croptype

// The items of the crop-type list and the size each stands for: slot i
// belongs to item i, whatever is removed before it.
struct CropTypes {
    QStringList captions;
    std::array<int32_t, croptype::SlotCount> TypeWidth{};
    std::array<int32_t, croptype::SlotCount> TypeHeight{};

    int count() const { return int(captions.size()); }
    QSize slot(int item) const;
    void setSlot(int item, QSize size);
    // Takes item i out; the slots of the items after it move down one place.
    void remove(int item);
};

// The list as the dialog opens: the four kinds, the common screen sizes
// 640 x 480 to 1600 x 1200, and the screen's size when it is none of them.
// The fixed size goes into its slot as the settings hold it.
CropTypes cropTypesFor(QSize screen, QSize fixedSize);
// Removes, from the last item down, every common or screen size that does
// not fit the picture, and fills slot 0 with the picture's size.
void fitTypesToPicture(CropTypes& types, QSize picture);
// The fixed size, each side limited to the picture's.
QSize fixedSizeWithin(QSize fixed, QSize picture);
// The largest rectangle of the screen's proportions inside the picture.
QSize scaledDimensions(QSize picture, QSize screen);
// Whether a rectangle has the screen's proportions, to a hundredth.
bool hasScreenShape(QSize size, QSize screen);
// The first item whose slot holds exactly this size; -1 for none.
int firstTypeOfSize(const CropTypes& types, QSize size);

// What the dialog says about each item (items from 4 up, and none chosen,
// say what item 0 says).
QString cropTypeHelpText(int item);
// " Crop Area: 1024 x 768"
QString cropAreaCaption(QSize size);

// How the picture is shown: fitted into the dialog's picture area, down or
// up, keeping its proportions; the side that fills the area is the area's,
// the other is rounded to whole pixels (never below 1). This is the rule of
// the renderer's best fit, so the dialog shows the picture as the desktop
// shows a best-fit wallpaper. The scale factors are display pixels per
// picture pixel, across and down.
struct DisplayFit {
    QSize picture;
    QSize displayed;
    double scaleX = 1;
    double scaleY = 1;
};
DisplayFit fitPicture(QSize picture, QSize area);

// The crop area as the dialog shows it, in display pixels.
struct CropSelection {
    bool shown = false;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    QRectF rect() const { return QRectF(left, top, width, height); }
    bool operator==(const CropSelection&) const = default;
};

// A selection of a type's size, centred on the displayed picture.
CropSelection centredSelection(QSize slot, const DisplayFit& fit);
// A stored crop rectangle where it was (not rounded).
CropSelection storedSelection(const QRect& crop, const DisplayFit& fit);

// The point of a mouse event (in twips) on the display pixel grid: rounded
// at a press, truncated during a move.
QPoint pressPixel(double xTwips, double yTwips, int twipsPerPixelX, int twipsPerPixelY);
QPoint movePixel(double xTwips, double yTwips, int twipsPerPixelX, int twipsPerPixelY);
// Whether a point (twips) lies in the shown selection; edges count.
bool InTheBox(const CropSelection& selection, double xTwips, double yTwips, int twipsPerPixelX,
              int twipsPerPixelY);
// The selection moved by (dx, dy) display pixels, stopped at the edges of
// the displayed picture; its size never changes.
CropSelection movedSelection(const CropSelection& selection, int dx, int dy, QSize displayed);

// A rectangle drawn by hand (width or height negative when drawn leftward
// or upward), turned right way round and cut to the displayed picture on
// all four sides, and its size in picture pixels. Nothing when that size
// rounds to 0 on either side: such a drawing keeps the previous selection.
struct DrawnArea {
    CropSelection selection;
    QSize size;
};
std::optional<DrawnArea> drawnArea(const QRectF& drawn, const DisplayFit& fit);

// One step of the "Scaled" size, up (+) or down (-): the width changes by
// 1 % (at least 1 pixel) and the height follows the screen's proportions.
// Nothing when the step is refused: down at a side of 10 pixels or less,
// up past the edge of the picture from the selection's corner.
std::optional<QSize> scaledStep(QSize slot, bool grow, const CropSelection& selection,
                                const DisplayFit& fit, QSize screen);

// The + and - buttons repeat: the first step 10 ms after the press, the
// second 700 ms after that, then one every 15 ms.
constexpr int kFirstRepeatInterval = 10;
int nextRepeatInterval(int interval);

// The crop rectangle in picture pixels for a shown selection of a type's
// size: its corner scaled back and kept on the picture, its size the
// type's.
QRect pictureRectangle(const CropSelection& selection, QSize slot, const DisplayFit& fit);

// The fixed-size dialog's checks on the two boxes, in their order. The
// rounded value must be above 0 and at most 32767 (what the settings can
// read back); the typed value must be at most the picture's side.
struct FixedSizeCheck {
    bool accepted = false;
    int32_t width = 0;  // when accepted
    int32_t height = 0; // when accepted
    QString message;    // when refused
    int16_t buttons = 0;
    bool heightAtFault = false;
};
FixedSizeCheck checkFixedCropSize(const QString& widthText, const QString& heightText,
                                  int32_t imageWidth, int32_t imageHeight);
