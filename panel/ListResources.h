#pragma once

#include <QIcon>
#include <QString>

// The pictures of the list dialogs and the drop window are compiled into
// the panel library. A static library's resources are registered only when
// something refers to them, so every user of one calls this first; the
// first call registers them.
void initListResources();

// One of those pictures, by its name ("drop-normal"), at 1x and 2x.
QIcon listPicture(const QString& name);
