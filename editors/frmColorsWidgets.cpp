#include "editors/frmColorsWidgets.h"

#include "editors/ColorMath.h"
#include "runtime/Conversions.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace {

QColor toColor(const ColorMath::Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

ColorMath::Rgb toRgb(QColor c) {
    return ColorMath::Rgb{c.red(), c.green(), c.blue()};
}

int half(int width) {
    return static_cast<int>(roundHalfEven(width / 2.0));
}

} // namespace

ColorPictureBox::ColorPictureBox(QWidget* parent, bool bordered) : QFrame(parent) {
    if (bordered) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(2);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
}

void ColorPictureBox::paintInside(QPainter& painter) {
    drawFrame(&painter);
    const QRect inside = contentsRect();
    painter.setClipRect(inside);
    painter.translate(inside.topLeft());
}

void ColorPictureBox::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), event->position() - contentsRect().topLeft());
    event->accept();
}

void ColorPictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->buttons(), event->position() - contentsRect().topLeft());
    event->accept();
}

ColorField::ColorField(QWidget* parent) : ColorPictureBox(parent, true) {}

void ColorField::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ColorField::setMarker(QPoint at) {
    marker_ = at;
    update();
}

void ColorField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintInside(painter);
    painter.drawImage(QPoint(0, 0), picture_);
    for (const QRect& arm : ColorMath::markerArms(marker_))
        painter.fillRect(arm, Qt::black);
}

BrightnessBar::BrightnessBar(QWidget* parent) : ColorPictureBox(parent, true) {}

void BrightnessBar::setBaseColor(QColor base) {
    base_ = base;
    update();
}

void BrightnessBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintInside(painter);
    painter.fillRect(QRect(0, 0, scaleWidth(), scaleHeight()), Qt::white);
    const ColorMath::Rgb base = toRgb(base_);
    for (const ColorMath::Band& band : ColorMath::brightnessBands(scaleHeight(), scaleWidth()))
        painter.fillRect(band.box, toColor(ColorMath::shade(base, band.level)));
}

BrightnessArrow::BrightnessArrow(QWidget* parent) : ColorPictureBox(parent, false) {}

void BrightnessArrow::setTriangle(const std::array<QPoint, 3>& corners) {
    corners_ = corners;
    drawn_ = true;
    update();
}

void BrightnessArrow::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!drawn_)
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({corners_[0], corners_[1], corners_[2]}));
}

ColorSample::ColorSample(QWidget* parent) : ColorPictureBox(parent, true) {}

void ColorSample::setColors(QColor chosen, std::optional<QColor> original) {
    chosen_ = chosen;
    original_ = original;
    update();
}

void ColorSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintInside(painter);
    // The halves are measured on the sample's full width, as wide as it is
    // tall at least, so the two fills cover the whole inside.
    const int w = width();
    if (original_) {
        painter.fillRect(QRect(0, 0, half(w), w), chosen_);
        painter.fillRect(QRect(QPoint(half(w), 0), QPoint(w, w)), *original_);
    } else {
        painter.fillRect(QRect(0, 0, w, w), chosen_);
    }
}
