#pragma once

#include <QList>
#include <cstdint>

// The preset background colours offered for entries (&H00BBGGRR).
class clsBackGroundColors {
public:
    clsBackGroundColors();
    void AddBackgroundColor(int32_t color);
    int16_t GetCount() const;
    int32_t GetColor(int16_t index) const;

private:
    QList<int32_t> Colors;
};
