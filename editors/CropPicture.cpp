#include "editors/CropPicture.h"

#include "engine/WallpaperPlacement.h"
#include "platform/ImageBox.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <optional>

CropPictureFile loadCropPicture(const QString& path, int32_t rotation, QSize area) {
    CropPictureFile file;
    const int32_t turn = quarterTurnOrZero(rotation);
    ImageBox box;
    const std::optional<QSize> oriented = ImageBox::orientedSize(path);
    if (oriented && !oriented->isEmpty()) {
        // The header gives the full size: decode once, at the shown size.
        file.fit = fitPicture(turnedSize(*oriented, turn), area);
        file.code = box.load(path, ImageRequest{turn, QRect(), file.fit.displayed});
    } else {
        // No size up front (or a picture without a side): the whole picture.
        file.code = box.load(path, ImageRequest{turn, QRect(), QSize()});
        if (file.code == 0 && (box.width() <= 0 || box.height() <= 0))
            file.code = imgerr::InvalidFormat;
        if (file.code == 0) {
            file.fit = fitPicture(QSize(box.width(), box.height()), area);
            box.resize(file.fit.displayed.width(), file.fit.displayed.height());
        }
    }
    if (file.code == 0)
        file.shown = box.takeImage();
    return file;
}

namespace {

int buttonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

// A dashed line in black over white shows on any picture.
void drawFrame(QPainter& painter, const QRectF& rect) {
    if (rect.width() < 1 || rect.height() < 1)
        return;
    const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(inner);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(inner);
}

} // namespace

CropPicture::CropPicture(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setMouseTracking(false);
}

void CropPicture::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void CropPicture::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

void CropPicture::setSelection(const CropSelection& selection) {
    selection_ = selection;
    update();
}

void CropPicture::setSelectionShown(bool shown) {
    selection_.shown = shown;
    update();
}

void CropPicture::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    switch (pointer) {
    case 2:
        setCursor(Qt::CrossCursor);
        break;
    case 5:
        setCursor(Qt::SizeAllCursor);
        break;
    default:
        unsetCursor();
        break;
    }
}

void CropPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull())
        painter.drawImage(QPoint(0, 0), picture_);
    if (drawing_)
        drawFrame(painter, QRectF(drawStart_, drawEnd_).normalized());
    else if (selection_.shown)
        drawFrame(painter, selection_.rect().normalized());
}

QPointF CropPicture::inside(QPointF p) const {
    return QPointF(std::clamp(p.x(), 0.0, double(width())),
                   std::clamp(p.y(), 0.0, double(height())));
}

void CropPicture::emitMouse(void (CropPicture::*signal)(int, int, float, float), int button,
                            const QMouseEvent* event) {
    const Screen& screen = *services().screen;
    const QPointF p = event->position();
    emit(this->*signal)(button, shiftCode(event->modifiers()),
                        float(p.x() * screen.twipsPerPixelX()),
                        float(p.y() * screen.twipsPerPixelY()));
}

void CropPicture::mousePressEvent(QMouseEvent* event) {
    emitMouse(&CropPicture::mouseDown, buttonCode(event->button()), event);
    if (freeDrawing_ && !drawing_) {
        drawing_ = true;
        drawStart_ = drawEnd_ = inside(event->position());
        update();
    }
}

void CropPicture::mouseMoveEvent(QMouseEvent* event) {
    if (drawing_) {
        drawEnd_ = inside(event->position());
        update();
    }
    emitMouse(&CropPicture::mouseMove, buttonCode(event->buttons()), event);
}

void CropPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (drawing_ && event->buttons() == Qt::NoButton) {
        drawing_ = false;
        drawEnd_ = inside(event->position());
        // Left as drawn: leftward or upward gives a negative side.
        selection_.left = drawStart_.x();
        selection_.top = drawStart_.y();
        selection_.width = drawEnd_.x() - drawStart_.x();
        selection_.height = drawEnd_.y() - drawStart_.y();
        update();
        emit selectionDrawn();
    }
    emitMouse(&CropPicture::mouseUp, buttonCode(event->button()), event);
}
