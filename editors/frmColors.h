#pragma once

#include "editors/ColorMath.h"
#include "editors/frmColorsWidgets.h"
#include "gui/forms/FormKit.h"

#include <QRect>
#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The colour picker: the user picks any colour in a hue and grey field, on
// a brightness bar, or by typing its red, green and blue parts. The caller
// sets UseOriginalColor and OriginalColor (or Red, Green and Blue), shows
// it modally, and reads Cancelled and SelectedColor.
class frmColors final : public FormDialog {
    Q_OBJECT
public:
    explicit frmColors(QWidget* parent = nullptr);

    int16_t Red = 0;
    int16_t Green = 0;
    int16_t Blue = 0;
    bool UseOriginalColor = false;
    int32_t OriginalColor = 0;
    bool Cancelled = false;
    int32_t SelectedColor = 0;

    QGroupBox* Frame1;
    std::array<QLabel*, 3> Label1;
    QLineEdit* txtRed;
    QLineEdit* txtGreen;
    QLineEdit* txtBlue;
    QLabel* lblTheColor;
    ColorSample* picSample;
    QLabel* lblNew;
    QLabel* lblOrig;
    ColorField* picColor;
    BrightnessBar* picBrightness;
    BrightnessArrow* picArrow;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void cmdOK_Click();
    void cmdCancel_Click();
    void picColor_MouseDown(Qt::MouseButton button, QPointF at);
    void picColor_MouseMove(Qt::MouseButtons buttons, QPointF at);
    void picBrightness_MouseDown(Qt::MouseButton button, QPointF at);
    void picBrightness_MouseMove(Qt::MouseButtons buttons, QPointF at);
    void picArrow_MouseDown(Qt::MouseButton button, QPointF at);
    void picArrow_MouseMove(Qt::MouseButtons buttons, QPointF at);
    // What the three boxes share: a change typed or pasted by the user.
    // The focus selects a box's text and typed keys go through the numeric
    // filter (kit::TextBoxEvents).
    void txtColor_Change(QLineEdit* box);

    // The picker's state as its controls show it.
    int16_t brightnessLevel() const { return BrightnessLevel; }
    ColorMath::Rgb baseColor() const { return {BaseRed, BaseGreen, BaseBlue}; }

protected:
    void Form_Load() override;

private:
    void LoadOriginalColor();
    // A part given as -1 is read from its box.
    void SetColorFromRGB(int red, int green, int blue);
    void DrawColorMarker(int hue, int grey);
    void HueToBaseColor(double hue, double grey);
    void DrawBrightnessBar(int red, int green, int blue);
    void DrawBrightnessArrow(int level);
    void UpdateColorBoxes(bool fromBase);
    void writeBoxes(int red, int green, int blue);
    ColorMath::Rgb boxesColor() const;
    // The bar level a point of the bar stands for, then as a click on it.
    void moveArrowTo(int level);

    int16_t BrightnessLevel = 0;
    int BaseRed = 0;
    int BaseGreen = 0;
    int BaseBlue = 0;

    // Where the load steps place the drawing areas, in twips.
    QRect fieldTwips_;
    QRect barTwips_;
    QRect stripTwips_;
};
