#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

class QWidget;
class QLineEdit;

// Mode 1 centres the window on the screen; any other mode leaves it.
void CenterForm(QWidget* form, int16_t mode);
// Decides whether a key typed into a numeric text box is kept: returns the
// key, or 0 when refused. A limit of -1 means any number of digits.
int16_t FilterNumericKey(QLineEdit* textBox, int16_t& keyAscii, int16_t maxIntegerDigits,
                         int16_t maxDecimalDigits);
// The decimal separator of the user's locale, "." or ",".
QChar decimalSeparator();
// Shortens text with an ellipsis in the middle of the path so that it fits
// the control; the full text goes to the tooltip when it was shortened.
QString FitTextToControl(QWidget* control, const QString& text);
