#include "platform/ImageBox.h"

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "runtime/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QPainter>
#include <QTransform>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// Every usable picture decodes within the limit, also at 8 bytes a pixel
// (16 bits a channel); Qt's default of 256 MB would refuse large photos.
constexpr int kAllocationLimitMb = int(kMaxPicturePixels * 8 / (1024 * 1024)) + 1;

void raiseAllocationLimit() {
    static const bool done = [] {
        QImageReader::setAllocationLimit(kAllocationLimitMb);
        return true;
    }();
    Q_UNUSED(done);
}

// (x, y) -> (height - y, x): a clockwise quarter turn of a picture of that
// height, in continuous pixel-edge coordinates so that rectangles map exactly.
QTransform clockwiseQuarter(qreal height) {
    return QTransform(0, 1, -1, 0, height, 0);
}

// Maps the file's own pixel coordinates to those of the picture as shown
// (camera orientation) and then turned clockwise by `rotation`. `swapped`
// tells whether width and height trade places on the way.
QTransform fileToTurned(QSize fileSize, QImageIOHandler::Transformations orientation, int rotation,
                        bool& swapped) {
    QTransform m;
    qreal w = fileSize.width(), h = fileSize.height();
    swapped = false;
    if (orientation & QImageIOHandler::TransformationMirror)
        m *= QTransform(-1, 0, 0, 1, w, 0);
    if (orientation & QImageIOHandler::TransformationFlip)
        m *= QTransform(1, 0, 0, -1, 0, h);
    int turns = rotation / 90;
    if (orientation & QImageIOHandler::TransformationRotate90)
        ++turns;
    for (int i = 0; i < turns % 4; ++i) {
        m *= clockwiseQuarter(h);
        std::swap(w, h);
        swapped = !swapped;
    }
    return m;
}

int32_t readFailure(const QString& path, const QImageReader& reader) {
    if (!QFileInfo::exists(path))
        return imgerr::FileNotFound;
    const QSize size = reader.size();
    if (size.isValid() && !isUsablePictureSize(size))
        return imgerr::TooLarge;
    if (size.isValid() &&
        qint64(size.width()) * size.height() * 8 > qint64(kAllocationLimitMb) * 1024 * 1024)
        return vberr::OutOfMemory;
    return imgerr::InvalidFormat;
}

void putLittleEndian(char* at, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        at[i] = char((value >> (8 * i)) & 0xff);
}

} // namespace

bool isUsablePictureSize(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
           size.height() <= kMaxPictureSide &&
           qint64(size.width()) * size.height() <= kMaxPicturePixels;
}

int32_t quarterTurnOrZero(int32_t degrees) {
    return degrees == 90 || degrees == 180 || degrees == 270 ? degrees : 0;
}

QSize turnedSize(QSize picture, int32_t degrees) {
    const int32_t turn = quarterTurnOrZero(degrees);
    return turn == 90 || turn == 270 ? picture.transposed() : picture;
}

QImage normalisedImage(QImage image) {
    if (image.isNull())
        return image;
    if (!image.hasAlphaChannel())
        return image.format() == QImage::Format_RGB32
                   ? image
                   : std::move(image).convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::black);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

std::optional<QSize> ImageBox::orientedSize(const QString& path) {
    QFile file;
    if (!openRegularFile(file, path))
        return std::nullopt;
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    QSize size = reader.size();
    if (!size.isValid())
        return std::nullopt;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

int32_t ImageBox::load(const QString& path) {
    return load(path, ImageRequest{});
}

int32_t ImageBox::load(const QString& path, const ImageRequest& request) {
    raiseAllocationLimit();
    QFile file;
    if (!openRegularFile(file, path))
        return QFileInfo::exists(path) ? imgerr::InvalidFormat : imgerr::FileNotFound;
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const int rotation = quarterTurnOrZero(request.rotation);

    const QSize fileSize = reader.size();
    if (fileSize.isValid() && !isUsablePictureSize(fileSize))
        return imgerr::TooLarge;
    QSize wanted = request.size;
    if (fileSize.isValid() && (!request.region.isEmpty() || request.size.isValid())) {
        bool swapped = false;
        const QTransform toTurned =
            fileToTurned(fileSize, reader.transformation(), rotation, swapped);
        const QRect turnedWhole = toTurned.mapRect(QRectF(QPointF(0, 0), fileSize)).toRect();
        const QRect region =
            request.region.isEmpty() ? turnedWhole : request.region.intersected(turnedWhole);
        if (region.isEmpty())
            return vberr::InvalidCall;
        if (!wanted.isValid())
            wanted = region.size();
        const QRect fileRegion = toTurned.inverted().mapRect(QRectF(region)).toAlignedRect() &
                                 QRect(QPoint(0, 0), fileSize);
        if (fileRegion != QRect(QPoint(0, 0), fileSize))
            reader.setClipRect(fileRegion);
        // Decoding straight to the result's size is only a gain when it
        // shrinks; enlarging is done afterwards from the decoded pixels.
        if (wanted.width() <= region.width() && wanted.height() <= region.height() &&
            wanted != region.size())
            reader.setScaledSize(swapped ? wanted.transposed() : wanted);
    }

    QImage decoded = reader.read();
    if (decoded.isNull())
        return readFailure(path, reader);
    // A file whose header gave no size is judged by what it held.
    if (!isUsablePictureSize(decoded.size()))
        return imgerr::TooLarge;
    decoded = rotated(normalisedImage(std::move(decoded)), rotation);
    if (!fileSize.isValid() && !request.region.isEmpty()) {
        const QRect region = request.region.intersected(decoded.rect());
        if (region.isEmpty())
            return vberr::InvalidCall;
        decoded = decoded.copy(region);
        if (!wanted.isValid())
            wanted = region.size();
    }
    if (wanted.isValid() && decoded.size() != wanted)
        decoded = decoded.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (decoded.isNull())
        return vberr::OutOfMemory;
    image_ = std::move(decoded);
    return 0;
}

int32_t ImageBox::save(const QString& path) const {
    if (image_.isNull())
        return vberr::InvalidCall;
    const QImage source = normalisedImage(image_);
    const quint32 width = quint32(source.width()), height = quint32(source.height());
    const quint32 rowBytes = (width * 3 + 3) & ~3u;
    const quint64 pixelBytes = quint64(rowBytes) * height;
    if (pixelBytes + 54 > 0xffffffffull)
        return vberr::Overflow;

    QByteArray header(54, '\0');
    char* h = header.data();
    h[0] = 'B';
    h[1] = 'M';
    putLittleEndian(h + 2, quint32(pixelBytes + 54), 4);
    putLittleEndian(h + 10, 54, 4);    // where the pixels start
    putLittleEndian(h + 14, 40, 4);    // BITMAPINFOHEADER
    putLittleEndian(h + 18, width, 4); // positive height: rows bottom-up
    putLittleEndian(h + 22, height, 4);
    putLittleEndian(h + 26, 1, 2);  // planes
    putLittleEndian(h + 28, 24, 2); // bits per pixel
    putLittleEndian(h + 34, quint32(pixelBytes), 4);
    putLittleEndian(h + 38, 2835, 4); // 72 dots per inch
    putLittleEndian(h + 42, 2835, 4);

    // Written whole or not at all: a full disk leaves the old bitmap.
    AtomicFileWriter file(path);
    if (!file.open() || !file.write(header))
        return errorNumberFromErrno(file.error());
    QByteArray row(int(rowBytes), '\0');
    for (int y = int(height) - 1; y >= 0; --y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        char* out = row.data();
        for (quint32 x = 0; x < width; ++x) {
            const QRgb c = in[x];
            *out++ = char(qBlue(c));
            *out++ = char(qGreen(c));
            *out++ = char(qRed(c));
        }
        if (!file.write(row))
            return errorNumberFromErrno(file.error());
    }
    if (!file.commit())
        return errorNumberFromErrno(file.error());
    return 0;
}

QImage ImageBox::rotated(const QImage& image, int degrees) {
    if (quarterTurnOrZero(degrees) == 0 || image.isNull())
        return image;
    return image.transformed(QTransform().rotate(degrees));
}

void ImageBox::rotate(int degrees) {
    image_ = rotated(image_, degrees);
}

void ImageBox::crop(const QRect& rect) {
    const QRect kept = rect.intersected(image_.rect());
    if (!kept.isEmpty() && kept != image_.rect())
        image_ = image_.copy(kept);
}

void ImageBox::resize(int32_t width, int32_t height) {
    const QSize size(qMax(1, width), qMax(1, height));
    if (!image_.isNull() && image_.size() != size)
        image_ = image_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ImageBox::create(int32_t width, int32_t height) {
    image_ = QImage(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    image_.fill(Qt::black);
}

void ImageBox::combine(int32_t x, int32_t y, int32_t width, int32_t height, const QImage& source,
                       int32_t sx, int32_t sy) {
    if (image_.isNull() || source.isNull())
        return;
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(x, y), source, QRect(sx, sy, width, height));
}

QRgb ImageBox::pixel(int32_t x, int32_t y) const {
    return image_.valid(x, y) ? image_.pixel(x, y) : 0;
}

void ImageBox::setPixel(int32_t x, int32_t y, QRgb colour) {
    if (image_.valid(x, y))
        image_.setPixel(x, y, colour | 0xff000000u);
}

void ImageBox::setImage(QImage image) {
    image_ = normalisedImage(std::move(image));
}

QImage ImageBox::takeImage() {
    return std::exchange(image_, QImage());
}
