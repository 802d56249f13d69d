#pragma once

#include "panel/PaletteGeometry.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRectF>
#include <QWidget>
#include <cstdint>

// The control panel's own drawn controls.

// The preview: the rendered wallpaper scaled into a display rectangle and
// clipped, on the selection's colour. It keeps only the picture at the
// size shown, never the rendered wallpaper.
class PreviewImage final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget* parent = nullptr);

    void setBackColor(const QColor& colour);
    QColor backColor() const { return back_; }
    // Shows `rendered` in the rectangle `display` (this widget's pixels,
    // fractions allowed, larger than the widget allowed), painting only
    // inside `clip`.
    void setPicture(const QImage& rendered, const QRectF& display, const QRect& clip);
    void clearPicture();
    bool hasPicture() const { return !picture_.isNull(); }
    // The picture as it is shown, and where.
    const QImage& picture() const { return picture_; }
    QRectF displayRect() const { return display_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor back_;
    QImage picture_;
    QRectF display_;
    QRect clip_;
};

// A divider line of one colour, one pixel wide or high.
class DividerLine final : public QWidget {
    Q_OBJECT
public:
    DividerLine(QWidget* parent, const char* name, const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

// The palette of colour wells, drawn from its layout in twips.
class PaletteCanvas final : public QWidget {
    Q_OBJECT
public:
    explicit PaletteCanvas(QWidget* parent = nullptr);

    // The colours (&H00BBGGRR), the layout and the colour of the places
    // without a well.
    void setPalette(const QList<int32_t>& colours, const PaletteLayout& layout,
                    const QColor& blank);

signals:
    // Any mouse button, at a position in twips.
    void mouseDown(Qt::MouseButton button, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QList<int32_t> colours_;
    PaletteLayout layout_;
    QColor blank_;
};
