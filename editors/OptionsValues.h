#pragma once

#include <QString>
#include <cstdint>

class Screen;

// The largest border the options accept: half the smaller side of the
// screen in pixels (each half rounded as the runtime rounds, halves to the
// even neighbour).
int16_t maximumBorder(const Screen& screen);

// What the options say of a border above that limit.
QString borderTooLargeMessage(int16_t limit);
