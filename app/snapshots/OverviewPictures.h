#pragma once

#include <QString>

class ShowcaseWorld;

// Draws the overview's pictures from the program's own windows, shown in
// the showcase world: the control panel, parts of it, the drop window and
// the desktop the wallpaper routine composes, each framed as the page
// needs. Writes them into the folder as <name>.png, or <name>@2x.png when
// the screen scales by 2. Returns the number of pictures that could not be
// written.
int writeOverviewPictures(ShowcaseWorld& world, const QString& folder);
