#pragma once

#include "editors/CropGeometry.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <cstdint>

// A picture for the crop dialog, read once at the size it is shown at.
struct CropPictureFile {
    int32_t code = 0; // 0, or the loader's code (imgerr::, a run-time error number)
    DisplayFit fit;   // the picture's size (orientation and rotation applied) and its fit
    QImage shown;     // the picture at fit.displayed
};

// Reads the picture as the desktop shows it (the camera's orientation, then
// the entry's quarter turns) and fits it into `area`. A large photo is
// decoded straight at the reduced size; only its header is read for the
// full size. A picture without a side is refused as an invalid format.
CropPictureFile loadCropPicture(const QString& path, int32_t rotation, QSize area);

// The crop dialog's picture control: it shows the picture at its displayed
// size with the selection over it, draws a new selection by hand while free
// drawing is on, and reports the mouse in twips as the dialog's handlers
// take it. The dialog owns the selection's rules; this control only shows
// what it is given and what the user draws.
class CropPicture final : public QWidget {
    Q_OBJECT
public:
    explicit CropPicture(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    void setBackColor(const QColor& colour);

    const CropSelection& selection() const { return selection_; }
    void setSelection(const CropSelection& selection);
    void setSelectionShown(bool shown);

    // While on, a press and drag draws a new selection, which may have a
    // negative width or height; selectionDrawn follows the release.
    void setFreeDrawing(bool on) { freeDrawing_ = on; }
    bool freeDrawing() const { return freeDrawing_; }
    // A drawing is under way (a button is still down).
    bool drawing() const { return drawing_; }

    // 0 the arrow, 2 the cross, 5 the four-way move pointer.
    void setMousePointer(int pointer);
    int mousePointer() const { return mousePointer_; }

signals:
    // button: 1 left, 2 right, 4 middle (for moves, the buttons held);
    // shift: 1 Shift, 2 Ctrl, 4 Alt; x and y in twips.
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    void selectionDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF inside(QPointF p) const;
    void emitMouse(void (CropPicture::*signal)(int, int, float, float), int button,
                   const QMouseEvent* event);

    QImage picture_;
    CropSelection selection_;
    bool freeDrawing_ = false;
    bool drawing_ = false;
    QPointF drawStart_;
    QPointF drawEnd_;
    int mousePointer_ = 0;
};
