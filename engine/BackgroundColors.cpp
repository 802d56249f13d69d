#include "engine/BackgroundColors.h"

namespace {

constexpr int32_t kPresets[] = {
    0xFFFFFF, 0x808080, 0x0,      0xFF,   0xC0,     0x80,     0xFF0000, 0xC00000,
    0x800000, 0xFF00,   0xC000,   0x8000, 0xC0FFFF, 0x80FFFF, 0x8080,   0xFFC0FF,
    0xFF00FF, 0x800080, 0xC0E0FF, 0x80FF, 0x4080,   0xFFFFC0, 0xFFFF00, 0x808000,
};

} // namespace

clsBackGroundColors::clsBackGroundColors() {
    for (int32_t c : kPresets)
        AddBackgroundColor(c);
}

void clsBackGroundColors::AddBackgroundColor(int32_t color) {
    if (!Colors.contains(color))
        Colors.append(color);
}

int16_t clsBackGroundColors::GetCount() const {
    return static_cast<int16_t>(Colors.size());
}

int32_t clsBackGroundColors::GetColor(int16_t index) const {
    if (index < 0 || index >= Colors.size())
        return 0;
    return Colors[index];
}
