#pragma once

#include <QPixmap>
#include <QString>

// The overview's pictures are compiled into this library. A static
// library's resources are registered only when something refers to them,
// so every user of a picture calls this before loading it; the first call
// registers them.
void initOverviewResources();

// One of the overview's pictures by name ("Image1", "ImageList3"), at its
// own size, drawn for the screen's scale (its double-size drawing on a
// screen that scales by 2).
QPixmap overviewPixmap(const QString& name);
