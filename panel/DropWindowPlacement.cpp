#include "panel/DropWindowPlacement.h"

#include "runtime/Conversions.h"

DropWindowPlacement placeDropWindow(double twipsPerPixelX, double twipsPerPixelY,
                                    int dialogFramePixels, int borderPixels, int maximizedWidth,
                                    int maximizedHeight) {
    const int tx = cLng(twipsPerPixelX);
    const int ty = cLng(twipsPerPixelY);
    const int dlg = cLng(ty * double(dialogFramePixels));
    const int border = cLng(ty * double(borderPixels));
    const int maxW = cLng(tx * double(maximizedWidth));
    const int maxH = cLng(ty * double(maximizedHeight));

    DropWindowPlacement p;
    p.window = QRect(maxW - 1000 - 2 * dlg, maxH - 1000 - 7 * border, 1000, 1000);
    p.holder = QRect(tx, tx - 90, 1000 - 2 * ty - 2 * dlg, 1000 - 2 * tx);
    p.drop = QRect(3 * tx, 3 * ty + 90, p.holder.width() - 6 * tx, p.holder.height() - 6 * ty - 90);
    return p;
}
