#pragma once

#include "editors/CropGeometry.h"
#include "editors/frmCrop.h"
#include "tests/engine/test_magiclist_helpers.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Readable failures for the crop dialog's values.
inline void PrintTo(const CropSelection& s, std::ostream* os) {
    *os << (s.shown ? "shown " : "hidden ") << s.left << "," << s.top << " " << s.width << "x"
        << s.height;
}

// Picks an item of the crop dialog's list as the user does.
inline void chooseCropType(frmCrop& d, const QString& caption) {
    const int i = d.cmbCropType->findText(caption);
    ASSERT_GE(i, 0) << caption.toStdString();
    d.cmbCropType->setCurrentIndex(i);
    emit d.cmbCropType->activated(i);
}

inline CropSelection sel(double left, double top, double width, double height) {
    return CropSelection{true, left, top, width, height};
}

// The fixed-size dialog's inputs for a 1024 x 768 picture, and what each
// gives: a message (with its buttons and the box at fault) or the size kept.
struct FixedSizeCase {
    const char* width;
    const char* height;
    QString message; // empty: accepted
    int16_t buttons;
    bool heightAtFault;
    QSize stored;
};

inline const std::vector<FixedSizeCase>& fixedSizeCases() {
    static const QString widthZero = QStringLiteral("The crop area width must be greater than 0");
    static const QString heightZero = QStringLiteral("The crop area height must be greater than 0");
    static const QString widthMore =
        QStringLiteral("The crop area width cannot be more than the image width of 1024 pixels.");
    static const QString heightMore =
        QStringLiteral("The crop area height cannot be more than the image height of 768 pixels.");
    static const std::vector<FixedSizeCase> cases = {
        {"1024", "768", {}, 0, false, {1024, 768}},
        {"1025", "768", widthMore, 0, false, {}},
        {"", "", widthZero, 48, false, {}},
        {"300", "", heightZero, 48, true, {}},
        {"300px", " 200", {}, 0, false, {300, 200}},
        {"100.5", "50", {}, 0, false, {100, 50}},
        {"101.5", "50", {}, 0, false, {102, 50}},
        {"1023.5", "50", {}, 0, false, {1024, 50}},
        {"1024.5", "50", widthMore, 0, false, {}},
        {"200", "769", heightMore, 0, true, {}},
        {"-3", "50", widthZero, 48, false, {}},
        {"abc", "50", widthZero, 48, false, {}},
        // Rounded to 0 would be a crop area of nothing.
        {"0.5", "50", widthZero, 48, false, {}},
        {"50", "0.4", heightZero, 48, true, {}},
        {"0.6", "50", {}, 0, false, {1, 50}},
        // Both sides above 0 before either is compared with the picture.
        {"0", "2000", widthZero, 48, false, {}},
        {"2000", "0", heightZero, 48, true, {}},
    };
    return cases;
}
