#pragma once

#include <QRect>

// The background-colour palette: wells four to a row with a "Custom" button
// below them, inside a holder that shows part of it and scrolls the rest.
// Everything is in twips, as the palette is laid out.

struct PaletteLayout {
    int rows = 0;      // rows of wells
    int cell = 0;      // the grid's pitch across and down
    int customTop = 0; // the "Custom" button
    int customLeft = 25;
    int customWidth = 0;
    int height = 0;       // the whole palette, button included
    int scrollMax = 0;    // scroll units of 100 twips
    bool scrolls = false; // false: the palette fits its holder
};

// Rows for a number of colours: four colours to a row, the last row partly
// filled when needed.
int paletteRows(int colours);

// The layout for a palette as wide as its holder.
PaletteLayout paletteLayout(int colours, int width, int holderHeight, int customHeight);

// The well of colour `index` (row by row, left to right): a margin of 25 at
// the left and top and a gap of 25 between wells.
QRect paletteWell(int index, int cell);

// The colour under a click at (x, y), as an index; -1 for none. The hit
// grid splits the whole width into four columns and the height above the
// button into the rows, so a click in a margin or a gap takes a
// neighbouring well.
int paletteHit(int colours, double x, double y, int width, int height, int customHeight);

// The palette's top inside its holder for a scroll bar value: 100 twips a
// unit, and at the end of the bar its bottom on the holder's bottom.
int paletteTop(int value, const PaletteLayout& layout, int holderHeight);
