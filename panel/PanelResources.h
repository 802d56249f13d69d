#pragma once

#include <QIcon>
#include <QString>

// The panel library's pictures (the control panel's, and those of the list
// dialogs and the drop window) are compiled into it. A static library's
// resources are registered only when something refers to them, so every
// user of a picture calls this before loading it; the first call registers
// them all.
void initPanelResources();

// One of the control panel's pictures by name ("cmdRotate", "Image1"), with
// its double-size drawing for screens that scale by 2.
QIcon panelPicture(const QString& name);
// One of the pictures of the list dialogs and the drop window by name
// ("drop-normal"), at 1x and 2x likewise.
QIcon listPicture(const QString& name);
