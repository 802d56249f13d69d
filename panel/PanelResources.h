#pragma once

#include <QIcon>
#include <QString>

// The control panel's pictures are compiled into this library. A static
// library's resources are registered only when something refers to them,
// so every user of a picture calls this before loading it; the first call
// registers them.
void initPanelResources();

// One of the panel's pictures by name ("cmdRotate", "Image1"), with its
// double-size drawing for screens that scale by 2.
QIcon panelPicture(const QString& name);
