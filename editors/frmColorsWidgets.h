#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <array>
#include <optional>

// The drawing areas of the colour picker. Each keeps what it shows and
// draws it in its paint event, so a window that was covered comes back as
// it was. Mouse presses and drags are reported in the area's own pixels,
// measured from the inside of its border.
class ColorPictureBox : public QFrame {
    Q_OBJECT
public:
    // With a border: the sunken 2-pixel edge of the picker's boxes.
    ColorPictureBox(QWidget* parent, bool bordered);

    // The drawing area inside the border, in pixels.
    int scaleWidth() const { return contentsRect().width(); }
    int scaleHeight() const { return contentsRect().height(); }

signals:
    // Any button pressed.
    void mouseDown(Qt::MouseButton button, QPointF at);
    // The mouse moved while buttons are held.
    void mouseMove(Qt::MouseButtons buttons, QPointF at);

protected:
    // Draws the border, then points the painter at the drawing area, where
    // it stays.
    void paintInside(QPainter& painter);
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// The hue and grey field with its cross-hair marker. The field picture
// stays clean; the marker is drawn over it.
class ColorField final : public ColorPictureBox {
    Q_OBJECT
public:
    explicit ColorField(QWidget* parent);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    void setMarker(QPoint at);
    QPoint marker() const { return marker_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
    QPoint marker_{0, 0};
};

// The brightness bar: the base colour from white through itself to black.
class BrightnessBar final : public ColorPictureBox {
    Q_OBJECT
public:
    explicit BrightnessBar(QWidget* parent);
    void setBaseColor(QColor base);
    QColor baseColor() const { return base_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor base_{Qt::white};
};

// The strip beside the bar with the arrow that points at the level.
class BrightnessArrow final : public ColorPictureBox {
    Q_OBJECT
public:
    explicit BrightnessArrow(QWidget* parent);
    void setTriangle(const std::array<QPoint, 3>& corners);
    const std::array<QPoint, 3>& triangle() const { return corners_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QPoint, 3> corners_{};
    bool drawn_ = false;
};

// The sample: the chosen colour, or the chosen colour on the left and the
// one the picker started from on the right.
class ColorSample final : public ColorPictureBox {
    Q_OBJECT
public:
    explicit ColorSample(QWidget* parent);
    void setColors(QColor chosen, std::optional<QColor> original);
    QColor chosen() const { return chosen_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor chosen_{Qt::black};
    std::optional<QColor> original_;
};
