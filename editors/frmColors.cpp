#include "editors/frmColors.h"

#include "engine/ProgramState.h"
#include "gui/forms/TextBoxEvents.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using ColorMath::nearest;
using ColorMath::Rgb;

namespace {

constexpr int kStripWidth = 150; // the arrow strip, twips
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;

int twipsPerPixelX() {
    return services().screen->twipsPerPixelX();
}

int twipsPerPixelY() {
    return services().screen->twipsPerPixelY();
}

QColor toColor(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    QLabel* l = kit::label(parent, name, text);
    l->adjustSize();
    l->move(kit::px(left), kit::pxY(top));
    return l;
}

} // namespace

frmColors::frmColors(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmColors", QStringLiteral("Color"), 9);
    setFixedSize(kit::twipsSize(5040, 3636));

    Frame1 = kit::frame(this, "Frame1", QStringLiteral("RGB Value:"));
    Frame1->setGeometry(kit::twipsRect(90, 135, 1590, 1230));
    const QString labelTexts[] = {QStringLiteral("Red:"), QStringLiteral("Green:"),
                                  QStringLiteral("Blue:")};
    const int labelTops[] = {270, 585, 900};
    for (int i = 0; i < 3; ++i)
        Label1[i] = placedLabel(Frame1, kit::indexedName("Label1", i).constData(), labelTexts[i],
                                180, labelTops[i]);
    txtRed = kit::textBox(Frame1, "txtRed");
    txtGreen = kit::textBox(Frame1, "txtGreen");
    txtBlue = kit::textBox(Frame1, "txtBlue");
    const int boxTops[] = {225, 540, 855};
    int i = 0;
    for (QLineEdit* box : {txtRed, txtGreen, txtBlue}) {
        box->setGeometry(kit::twipsRect(900, boxTops[i++], 555, 285));
        // Enter belongs to the default button.
        new kit::TextBoxEvents(box, kit::DigitLimits{3, 0}, kit::EnterKey::ToDialog);
        kit::onCall(box, &QLineEdit::textEdited, this,
                    [this, box](const QString&) { txtColor_Change(box); });
    }

    lblTheColor = placedLabel(this, "lblTheColor", QStringLiteral("The Color:"), 135, 1800);
    picSample = kit::make<ColorSample>(this, "picSample");
    picSample->setGeometry(kit::twipsRect(90, 2070, 1590, 915));
    lblNew = placedLabel(this, "lblNew", QStringLiteral("New:"), 135, 3015);
    lblOrig = placedLabel(this, "lblOrig", QStringLiteral("Original:"), 1080, 3015);
    lblNew->hide();
    lblOrig->hide();

    // The field, the bar and the strip get their sizes when the window loads.
    picColor = kit::make<ColorField>(this, "picColor");
    picBrightness = kit::make<BrightnessBar>(this, "picBrightness");
    picArrow = kit::make<BrightnessArrow>(this, "picArrow");
    const auto connectArea = [this](ColorPictureBox* area,
                                    void (frmColors::*down)(Qt::MouseButton, QPointF),
                                    void (frmColors::*move)(Qt::MouseButtons, QPointF)) {
        kit::onCall(area, &ColorPictureBox::mouseDown, this,
                    [this, down](Qt::MouseButton b, QPointF at) { (this->*down)(b, at); });
        kit::onCall(area, &ColorPictureBox::mouseMove, this,
                    [this, move](Qt::MouseButtons b, QPointF at) { (this->*move)(b, at); });
    };
    connectArea(picColor, &frmColors::picColor_MouseDown, &frmColors::picColor_MouseMove);
    connectArea(picBrightness, &frmColors::picBrightness_MouseDown,
                &frmColors::picBrightness_MouseMove);
    connectArea(picArrow, &frmColors::picArrow_MouseDown, &frmColors::picArrow_MouseMove);

    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    kit::on(cmdOK, &QPushButton::clicked, this, &frmColors::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmColors::cmdCancel_Click);
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);

    setTabOrder(txtRed, txtGreen);
    setTabOrder(txtGreen, txtBlue);
    setTabOrder(txtBlue, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
}

void frmColors::Form_Load() {
    const int tppx = twipsPerPixelX();
    const int tppy = twipsPerPixelY();

    // At 8 bits per pixel the field shows a version reduced to a palette of
    // its own, which the display can show without dithering it afresh.
    const bool eightBit = ColorDepth == 8;

    // The field is 178 x 190 screen pixels at any resolution.
    fieldTwips_ = QRect(1845, 135, tppx * 178, tppy * 190);
    picColor->setGeometry(kit::twipsRect(fieldTwips_.x(), fieldTwips_.y(), fieldTwips_.width(),
                                         fieldTwips_.height()));
    picColor->setPicture(
        ColorMath::colorField(picColor->scaleWidth(), picColor->scaleHeight(), eightBit));

    barTwips_ = QRect(fieldTwips_.x() + fieldTwips_.width() + 75, 135, 240, fieldTwips_.height());
    picBrightness->setGeometry(
        kit::twipsRect(barTwips_.x(), barTwips_.y(), barTwips_.width(), barTwips_.height()));

    // One strip width above and below the bar leaves room for the arrow at
    // the bar's ends.
    stripTwips_ = QRect(barTwips_.x() + barTwips_.width(), barTwips_.y() - kStripWidth, kStripWidth,
                        2 * kStripWidth + barTwips_.height());
    picArrow->setGeometry(kit::twipsRect(stripTwips_.x(), stripTwips_.y(), stripTwips_.width(),
                                         stripTwips_.height()));

    const int buttonTop = fieldTwips_.y() + fieldTwips_.height() + 100;
    cmdCancel->setGeometry(kit::twipsRect(fieldTwips_.x(), buttonTop, kButtonWidth, kButtonHeight));
    cmdOK->setGeometry(kit::twipsRect(fieldTwips_.x() + kButtonWidth + 100, buttonTop, kButtonWidth,
                                      kButtonHeight));

    LoadOriginalColor();
    BrightnessLevel = 50;
    DrawBrightnessArrow(BrightnessLevel);
    writeBoxes(Red, Green, Blue);
    SetColorFromRGB(-1, -1, -1);
    // Without a colour to start from, the arrow waits in the middle for the
    // first pick, whatever level the boxes' colour has.
    if (!UseOriginalColor) {
        BrightnessLevel = 50;
        DrawBrightnessArrow(BrightnessLevel);
    }
}

void frmColors::LoadOriginalColor() {
    if (!UseOriginalColor)
        return;
    lblNew->show();
    lblOrig->show();
    const Rgb c = ColorMath::splitColor(OriginalColor);
    Red = static_cast<int16_t>(c.red);
    Green = static_cast<int16_t>(c.green);
    Blue = static_cast<int16_t>(c.blue);
    writeBoxes(Red, Green, Blue);
}

void frmColors::writeBoxes(int red, int green, int blue) {
    txtRed->setText(QString::number(red));
    txtGreen->setText(QString::number(green));
    txtBlue->setText(QString::number(blue));
}

Rgb frmColors::boxesColor() const {
    return Rgb{ColorMath::channelFromText(txtRed->text()),
               ColorMath::channelFromText(txtGreen->text()),
               ColorMath::channelFromText(txtBlue->text())};
}

void frmColors::SetColorFromRGB(int red, int green, int blue) {
    const Rgb boxes = boxesColor();
    const Rgb c{red == -1 ? boxes.red : red, green == -1 ? boxes.green : green,
                blue == -1 ? boxes.blue : blue};
    const ColorMath::ColorPosition pos = ColorMath::positionOf(c);
    const int hue = nearest(pos.hue);
    const int grey = nearest(pos.grey);
    DrawColorMarker(hue, grey);
    HueToBaseColor(hue, grey);
    DrawBrightnessArrow(pos.level);
    UpdateColorBoxes(false);
}

void frmColors::DrawColorMarker(int hue, int grey) {
    picColor->setMarker(
        ColorMath::markerPoint(hue, grey, picColor->scaleWidth(), picColor->scaleHeight()));
}

void frmColors::HueToBaseColor(double hue, double grey) {
    const Rgb c = ColorMath::HueToBaseColor(hue, grey);
    DrawBrightnessBar(c.red, c.green, c.blue);
}

void frmColors::DrawBrightnessBar(int red, int green, int blue) {
    BaseRed = red;
    BaseGreen = green;
    BaseBlue = blue;
    picBrightness->setBaseColor(QColor(red, green, blue));
}

void frmColors::DrawBrightnessArrow(int level) {
    BrightnessLevel = static_cast<int16_t>(ColorMath::clampLevel(level));
    picArrow->setTriangle(ColorMath::arrowTriangle(BrightnessLevel, barTwips_.height(),
                                                   stripTwips_.width(), twipsPerPixelX(),
                                                   twipsPerPixelY()));
}

void frmColors::UpdateColorBoxes(bool fromBase) {
    Rgb c;
    if (fromBase) {
        c = ColorMath::shade(baseColor(), BrightnessLevel);
        writeBoxes(c.red, c.green, c.blue);
    } else {
        c = boxesColor();
    }
    std::optional<QColor> original;
    if (UseOriginalColor)
        original = toColor(ColorMath::splitColor(OriginalColor));
    picSample->setColors(toColor(c), original);
}

void frmColors::cmdOK_Click() {
    const Rgb c = boxesColor();
    Red = static_cast<int16_t>(c.red);
    Green = static_cast<int16_t>(c.green);
    Blue = static_cast<int16_t>(c.blue);
    Cancelled = false;
    SelectedColor = ColorMath::rgbValue(c);
    hide();
}

void frmColors::cmdCancel_Click() {
    Cancelled = true;
    hide();
}

void frmColors::picColor_MouseDown(Qt::MouseButton, QPointF at) {
    const double hue = at.x() / picColor->scaleWidth() * 100;
    const double grey = at.y() / picColor->scaleHeight() * 100;
    DrawColorMarker(nearest(hue), nearest(grey));
    HueToBaseColor(hue, grey);
    UpdateColorBoxes(true);
}

void frmColors::picColor_MouseMove(Qt::MouseButtons buttons, QPointF at) {
    if (buttons == Qt::LeftButton)
        picColor_MouseDown(Qt::LeftButton, at);
}

void frmColors::moveArrowTo(int level) {
    DrawBrightnessArrow(level);
    UpdateColorBoxes(true);
}

void frmColors::picBrightness_MouseDown(Qt::MouseButton, QPointF at) {
    moveArrowTo(ColorMath::levelFromBar(at.y(), picBrightness->scaleHeight()));
}

void frmColors::picBrightness_MouseMove(Qt::MouseButtons buttons, QPointF at) {
    if (buttons == Qt::LeftButton)
        picBrightness_MouseDown(Qt::LeftButton, at);
}

void frmColors::picArrow_MouseDown(Qt::MouseButton, QPointF at) {
    const int tppy = twipsPerPixelY();
    moveArrowTo(ColorMath::levelFromArrowStrip(at.y() * tppy, stripTwips_.width(),
                                               picBrightness->scaleHeight() * tppy));
}

void frmColors::picArrow_MouseMove(Qt::MouseButtons buttons, QPointF at) {
    if (buttons == Qt::LeftButton)
        picArrow_MouseDown(Qt::LeftButton, at);
}

// Only what the user types or pastes reaches here (the boxes report edits,
// not every change), so the dialog's own writes never feed back.
void frmColors::txtColor_Change(QLineEdit* box) {
    const QString text = box->text();
    if (!text.isEmpty() && val(text) > 255) {
        box->setText(QStringLiteral("255"));
        box->setCursorPosition(3);
    }
    SetColorFromRGB(-1, -1, -1);
}
