#include "editors/CropGeometry.h"

#include "engine/WallpaperPlacement.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<QSize, 5> kPresets = {QSize(640, 480), QSize(800, 600), QSize(1024, 768),
                                           QSize(1280, 1024), QSize(1600, 1200)};

// A "Scaled" step down must leave both sides above 10 pixels.
constexpr int32_t kScaledFloor = 10;
// The largest crop size the settings and the list can hold.
constexpr double kLargestSide = 32767;

// Sums of display values may land a hair past an edge they reach exactly.
constexpr double kEdgeTolerance = 1e-6;

int32_t whole(double value) {
    return int32_t(roundHalfEven(value));
}

QString sizeCaption(QSize size) {
    return QString::number(size.width()) + QStringLiteral(" x ") + QString::number(size.height());
}

} // namespace

QSize CropTypes::slot(int item) const {
    if (item < 0 || item >= croptype::SlotCount)
        return QSize(0, 0);
    return QSize(TypeWidth[size_t(item)], TypeHeight[size_t(item)]);
}

void CropTypes::setSlot(int item, QSize size) {
    if (item < 0 || item >= croptype::SlotCount)
        return;
    TypeWidth[size_t(item)] = size.width();
    TypeHeight[size_t(item)] = size.height();
}

void CropTypes::remove(int item) {
    if (item < 0 || item >= count())
        return;
    captions.removeAt(item);
    for (int i = item; i + 1 < croptype::SlotCount; ++i)
        setSlot(i, slot(i + 1));
    setSlot(croptype::SlotCount - 1, QSize(0, 0));
}

CropTypes cropTypesFor(QSize screen, QSize fixedSize) {
    CropTypes types;
    types.captions = {QStringLiteral("Entire Picture"), QStringLiteral("Free Hand"),
                      QStringLiteral("Scaled"), QStringLiteral("Fixed Size")};
    types.setSlot(croptype::FixedSize, fixedSize);
    bool screenIsPreset = false;
    int item = croptype::FirstPreset;
    for (const QSize preset : kPresets) {
        types.setSlot(item++, preset);
        types.captions << sizeCaption(preset);
        screenIsPreset = screenIsPreset || preset == screen;
    }
    if (!screenIsPreset) {
        types.setSlot(item, screen);
        types.captions << sizeCaption(screen);
    }
    return types;
}

void fitTypesToPicture(CropTypes& types, QSize picture) {
    types.setSlot(croptype::EntirePicture, picture);
    for (int i = types.count() - 1; i >= croptype::FirstPreset; --i) {
        const QSize s = types.slot(i);
        if (picture.width() < s.width() || picture.height() < s.height())
            types.remove(i);
    }
}

QSize fixedSizeWithin(QSize fixed, QSize picture) {
    return QSize(std::min(fixed.width(), picture.width()),
                 std::min(fixed.height(), picture.height()));
}

QSize scaledDimensions(QSize picture, QSize screen) {
    const double screenRatio = double(screen.width()) / screen.height();
    const double pictureRatio = double(picture.width()) / picture.height();
    if (pictureRatio <= screenRatio)
        return QSize(picture.width(), whole(picture.width() / screenRatio));
    return QSize(whole(picture.height() * screenRatio), picture.height());
}

bool hasScreenShape(QSize size, QSize screen) {
    if (size.height() == 0 || screen.height() == 0)
        return false;
    return std::floor(100.0 * size.width() / size.height()) ==
           std::floor(100.0 * screen.width() / screen.height());
}

int firstTypeOfSize(const CropTypes& types, QSize size) {
    for (int i = 0; i < types.count(); ++i) {
        if (types.slot(i) == size)
            return i;
    }
    return -1;
}

QString cropTypeHelpText(int item) {
    switch (item) {
    case croptype::FreeHand:
        return QStringLiteral("Click and drag the mouse within the image to select an area to "
                              "use for your wallpaper.");
    case croptype::Scaled:
        return QStringLiteral(
            "Use the + and - buttons to increase or decrease the size of the selected area.");
    case croptype::FixedSize:
        return QStringLiteral(
            "Click the Change Size button to select a new size for the crop area.");
    default:
        return QStringLiteral(
            "Use the box below the image to select the cropping method to use on this picture.");
    }
}

QString cropAreaCaption(QSize size) {
    return QStringLiteral(" Crop Area: ") + sizeCaption(size);
}

DisplayFit fitPicture(QSize picture, QSize area) {
    DisplayFit fit;
    fit.picture = picture;
    fit.displayed =
        bestFitSize(picture, AvailableArea{std::max(1, area.width()), std::max(1, area.height())});
    fit.scaleX = double(fit.displayed.width()) / picture.width();
    fit.scaleY = double(fit.displayed.height()) / picture.height();
    return fit;
}

CropSelection centredSelection(QSize slot, const DisplayFit& fit) {
    int32_t w = whole(slot.width() * fit.scaleX);
    int32_t h = whole(slot.height() * fit.scaleY);
    w = std::min(w, fit.displayed.width());
    h = std::min(h, fit.displayed.height());
    CropSelection s;
    s.shown = true;
    s.width = w;
    s.height = h;
    s.left = (fit.displayed.width() - w) / 2;
    s.top = (fit.displayed.height() - h) / 2;
    return s;
}

CropSelection storedSelection(const QRect& crop, const DisplayFit& fit) {
    CropSelection s;
    s.shown = true;
    s.left = crop.x() * fit.scaleX;
    s.top = crop.y() * fit.scaleY;
    s.width = crop.width() * fit.scaleX;
    s.height = crop.height() * fit.scaleY;
    return s;
}

QPoint pressPixel(double xTwips, double yTwips, int twipsPerPixelX, int twipsPerPixelY) {
    return QPoint(whole(xTwips / twipsPerPixelX), whole(yTwips / twipsPerPixelY));
}

QPoint movePixel(double xTwips, double yTwips, int twipsPerPixelX, int twipsPerPixelY) {
    return QPoint(whole(xTwips) / twipsPerPixelX, whole(yTwips) / twipsPerPixelY);
}

bool InTheBox(const CropSelection& selection, double xTwips, double yTwips, int twipsPerPixelX,
              int twipsPerPixelY) {
    if (!selection.shown)
        return false;
    const QPoint p = pressPixel(xTwips, yTwips, twipsPerPixelX, twipsPerPixelY);
    if (!(selection.left <= p.x() && selection.left + selection.width >= p.x()))
        return false;
    return selection.top <= p.y() && selection.top + selection.height >= p.y();
}

CropSelection movedSelection(const CropSelection& selection, int dx, int dy, QSize displayed) {
    const CropSelection& s = selection;
    if (s.left + s.width + dx > displayed.width())
        dx = whole(displayed.width() - s.width - s.left);
    if (s.top + s.height + dy > displayed.height())
        dy = whole(displayed.height() - s.height - s.top);
    if (s.left + dx < 0)
        dx = whole(-s.left);
    if (s.top + dy < 0)
        dy = whole(-s.top);
    CropSelection moved = s;
    moved.left = s.left + dx;
    moved.top = s.top + dy;
    return moved;
}

std::optional<DrawnArea> drawnArea(const QRectF& drawn, const DisplayFit& fit) {
    const double w = fit.displayed.width(), h = fit.displayed.height();
    const double x1 = std::clamp(drawn.x(), 0.0, w);
    const double x2 = std::clamp(drawn.x() + drawn.width(), 0.0, w);
    const double y1 = std::clamp(drawn.y(), 0.0, h);
    const double y2 = std::clamp(drawn.y() + drawn.height(), 0.0, h);
    DrawnArea area;
    area.selection.shown = true;
    area.selection.left = std::min(x1, x2);
    area.selection.top = std::min(y1, y2);
    area.selection.width = std::fabs(x2 - x1);
    area.selection.height = std::fabs(y2 - y1);
    area.size =
        QSize(whole(area.selection.width / fit.scaleX), whole(area.selection.height / fit.scaleY));
    if (area.size.width() <= 0 || area.size.height() <= 0)
        return std::nullopt;
    return area;
}

std::optional<QSize> scaledStep(QSize slot, bool grow, const CropSelection& selection,
                                const DisplayFit& fit, QSize screen) {
    // Both sides rounded on their own would stop changing below about 50
    // pixels and drift from the screen's shape; the width leads instead.
    const int32_t step = std::max(1, whole(slot.width() * 0.01));
    const int32_t newW = grow ? slot.width() + step : slot.width() - step;
    const int32_t newH = whole(double(newW) * screen.height() / screen.width());
    if (grow) {
        if (newW > fit.picture.width() || newH > fit.picture.height())
            return std::nullopt;
        if (selection.left + newW * fit.scaleX > fit.displayed.width() + kEdgeTolerance ||
            selection.top + newH * fit.scaleY > fit.displayed.height() + kEdgeTolerance)
            return std::nullopt;
    } else if (newW <= kScaledFloor || newH <= kScaledFloor) {
        return std::nullopt;
    }
    return QSize(newW, newH);
}

int nextRepeatInterval(int interval) {
    if (interval <= kFirstRepeatInterval)
        return 700;
    if (interval == 700)
        return 15;
    return interval;
}

QRect pictureRectangle(const CropSelection& selection, QSize slot, const DisplayFit& fit) {
    // The corner comes back through the scale factors, and rounding can put
    // it a pixel past the edge; the rectangle stays on the picture.
    const int32_t left = whole(selection.left / fit.scaleX);
    const int32_t top = whole(selection.top / fit.scaleY);
    return QRect(std::clamp(left, 0, std::max(0, fit.picture.width() - slot.width())),
                 std::clamp(top, 0, std::max(0, fit.picture.height() - slot.height())),
                 slot.width(), slot.height());
}

FixedSizeCheck checkFixedCropSize(const QString& widthText, const QString& heightText,
                                  int32_t imageWidth, int32_t imageHeight) {
    const double w = val(widthText), h = val(heightText);
    // A value that rounds to 0 would become a crop area of nothing.
    const double roundedW = roundHalfEven(w), roundedH = roundHalfEven(h);
    FixedSizeCheck check;
    auto refuse = [&check](const QString& message, int16_t buttons, bool height) {
        check.message = message;
        check.buttons = buttons;
        check.heightAtFault = height;
        return check;
    };
    if (!(roundedW > 0))
        return refuse(QStringLiteral("The crop area width must be greater than 0"), 48, false);
    if (!(roundedH > 0))
        return refuse(QStringLiteral("The crop area height must be greater than 0"), 48, true);
    if (w > imageWidth)
        return refuse(
            QStringLiteral("The crop area width cannot be more than the image width of ") +
                QString::number(imageWidth) + QStringLiteral(" pixels."),
            0, false);
    if (h > imageHeight)
        return refuse(
            QStringLiteral("The crop area height cannot be more than the image height of ") +
                QString::number(imageHeight) + QStringLiteral(" pixels."),
            0, true);
    // The settings read the fixed size back as a 16-bit number.
    if (roundedW > kLargestSide)
        return refuse(standardErrorText(vberr::Overflow), 0, false);
    if (roundedH > kLargestSide)
        return refuse(standardErrorText(vberr::Overflow), 0, true);
    check.accepted = true;
    check.width = int32_t(roundedW);
    check.height = int32_t(roundedH);
    return check;
}
