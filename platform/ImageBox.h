#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>

// Codes of the picture loader; other failures use the runtime's numbers.
namespace imgerr {
constexpr int32_t InvalidFormat = 20009;
constexpr int32_t FileNotFound = 20010;
constexpr int32_t TooLarge = 20011;
} // namespace imgerr

// The one idea of a picture the program can use, the same for the
// preview, the wallpaper, the crop dialog and rotation: at most this many
// pixels a side (what a crop in the list file can reach) and in all. A
// picture over them is refused with imgerr::TooLarge from its header
// alone, before anything is decoded.
constexpr int kMaxPictureSide = 32767;
constexpr qint64 kMaxPicturePixels = 200'000'000;
bool isUsablePictureSize(QSize size);

// 90, 180 and 270 stay; every other angle counts as 0.
int32_t quarterTurnOrZero(int32_t degrees);
// A picture's size once turned: a quarter turn either way swaps the sides,
// every other angle keeps them.
QSize turnedSize(QSize picture, int32_t degrees);

// What to take from a picture file: the picture turned clockwise by
// `rotation` (0, 90, 180 or 270), the `region` of it (in the turned
// picture's pixels; empty for all of it), smoothly scaled to `size` (empty
// for the region's own size). The loader decodes at reduced size whenever
// the result is smaller than the region, so a large photo never has to be
// held at full size.
struct ImageRequest {
    int rotation = 0;
    QRect region;
    QSize size;
};

// The program's one picture loader and editor. It holds one picture, always
// opaque 32-bit RGB: formats are taken from the file's content, the
// camera's orientation is applied, transparent pixels are flattened onto
// black.
class ImageBox {
public:
    // The size of the picture in a file as it will be shown (orientation
    // applied), without decoding it; nothing when it cannot be read.
    static std::optional<QSize> orientedSize(const QString& path);

    // 0 when loaded, imgerr::FileNotFound, imgerr::InvalidFormat,
    // imgerr::TooLarge, or 7 (out of memory) when the decoder's memory runs
    // out. A failed load keeps the previous picture.
    int32_t load(const QString& path);
    int32_t load(const QString& path, const ImageRequest& request);

    // Writes a 24-bit Windows bitmap, replacing the file atomically; 0 or
    // the runtime's error number.
    int32_t save(const QString& path) const;

    bool isNull() const { return image_.isNull(); }
    int32_t width() const { return image_.width(); }
    int32_t height() const { return image_.height(); }
    // The picture is held as 24-bit colour whatever the file had.
    int16_t bitsPerPixel() const { return isNull() ? 0 : 24; }

    // Clockwise, in whole quarter turns; other angles leave the picture.
    void rotate(int degrees);
    // Keeps the part of the rectangle that lies on the picture; nothing
    // happens when none of it does.
    void crop(const QRect& rect);
    // Smooth scaling to exactly that size (each side at least 1 pixel).
    void resize(int32_t width, int32_t height);
    // A new black picture of that size.
    void create(int32_t width, int32_t height);
    // Draws the source's rectangle (sx, sy, width, height) in unchanged at
    // (x, y); whatever falls outside this picture is cut off.
    void combine(int32_t x, int32_t y, int32_t width, int32_t height, const QImage& source,
                 int32_t sx, int32_t sy);
    // Outside the picture pixel() gives 0 and setPixel() does nothing.
    QRgb pixel(int32_t x, int32_t y) const;
    void setPixel(int32_t x, int32_t y, QRgb colour);

    const QImage& image() const { return image_; }
    // Takes a picture in (normalised to opaque RGB), or hands this one over
    // and is left empty.
    void setImage(QImage image);
    QImage takeImage();

    // The picture turned clockwise by quarter turns; others give it back.
    static QImage rotated(const QImage& image, int degrees);

private:
    QImage image_;
};

// Opaque 32-bit RGB, transparent pixels flattened onto black.
QImage normalisedImage(QImage image);
