#pragma once

#include <QRect>

// Where the drop window and its two inner boxes go, in twips, from the
// screen's measures: twips per pixel across and down, the heights of a
// dialog frame and of a thin border and the size a maximized window takes
// (the right and bottom edges of the work area), all in pixels. The window
// is 1000 twips square in the bottom-right corner of the work area.
struct DropWindowPlacement {
    QRect window;
    QRect holder; // fraHolder, inside the window
    QRect drop;   // picDrop, inside fraHolder
};

DropWindowPlacement placeDropWindow(double twipsPerPixelX, double twipsPerPixelY,
                                    int dialogFramePixels, int borderPixels, int maximizedWidth,
                                    int maximizedHeight);
