#include "panel/PanelWidgets.h"

#include "gui/forms/FormKit.h"
#include "panel/PanelColors.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent) {}

void PreviewImage::setBackColor(const QColor& colour) {
    back_ = colour;
    update();
}

void PreviewImage::setPicture(const QImage& rendered, const QRectF& display, const QRect& clip) {
    display_ = display;
    clip_ = clip;
    const qreal ratio = devicePixelRatioF();
    const QSize size(std::max(1, int(std::ceil(display.width() * ratio))),
                     std::max(1, int(std::ceil(display.height() * ratio))));
    picture_ = rendered.size() == size
                   ? rendered
                   : rendered.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture_.setDevicePixelRatio(ratio);
    update();
}

void PreviewImage::clearPicture() {
    picture_ = QImage();
    display_ = QRectF();
    update();
}

void PreviewImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back_.isValid() ? back_ : palette().color(QPalette::Button));
    if (picture_.isNull())
        return;
    p.setClipRect(clip_.intersected(rect()));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(display_, picture_);
}

DividerLine::DividerLine(QWidget* parent, const char* name, const QColor& colour)
    : QWidget(parent), colour_(colour) {
    setObjectName(QString::fromLatin1(name));
}

void DividerLine::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), colour_);
}

PaletteCanvas::PaletteCanvas(QWidget* parent) : QWidget(parent) {}

void PaletteCanvas::setPalette(const QList<int32_t>& colours, const PaletteLayout& layout,
                               const QColor& blank) {
    colours_ = colours;
    layout_ = layout;
    blank_ = blank;
    update();
}

void PaletteCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), blank_);
    const auto rgb = [](int32_t c) { return paintColor(c, QPalette()); };
    const int n = static_cast<int>(colours_.size());
    for (int i = 0; i < layout_.rows * 4; ++i) {
        const QRect tw = paletteWell(i, layout_.cell);
        const int x0 = kit::px(tw.left()), y0 = kit::pxY(tw.top());
        const int x1 = kit::px(tw.right()), y1 = kit::pxY(tw.bottom());
        if (i >= n) {
            // No colour here: the place shows no well.
            p.fillRect(QRect(QPoint(x0, y0), QPoint(x1, y1 - 1)), blank_);
            continue;
        }
        // A sunken well: dark above and to the left, light below and right.
        p.setPen(rgb(0x808080));
        p.drawLine(x0, y0, x1, y0);
        p.drawLine(x0, y0, x0, y1);
        p.setPen(rgb(0x303030));
        p.drawLine(x0 + 1, y0 + 1, x1 - 1, y0 + 1);
        p.drawLine(x0 + 1, y0 + 1, x0 + 1, y1 - 1);
        p.setPen(rgb(0xE8E8E8));
        p.drawLine(x0, y1, x1, y1);
        p.drawLine(x1, y0, x1, y1);
        p.setPen(rgb(0xF0F0F0));
        p.drawLine(x0 + 1, y1 - 1, x1 - 1, y1 - 1);
        p.drawLine(x1 - 1, y0 + 1, x1 - 1, y1 - 1);
        p.fillRect(QRect(QPoint(x0 + 2, y0 + 2), QPoint(x1 - 2, y1 - 2)), rgb(colours_[i]));
    }
}

void PaletteCanvas::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    emit mouseDown(event->button(), at.x() * kit::twipsX(1), at.y() * kit::twipsY(1));
}
