#pragma once

#include <QString>
#include <cstdint>

// The language runtime's numeric rules: fractions round to the even
// neighbour, out-of-range values raise "Overflow" (6), text that is not a
// number raises "Type mismatch" (13).

constexpr int16_t VbTrue = -1;
constexpr int16_t VbFalse = 0;
constexpr int16_t vbBool(bool b) {
    return b ? VbTrue : VbFalse;
}

double roundHalfEven(double value);

int16_t cInt(double value);
int16_t cInt(const QString& text);
int32_t cLng(double value);
int32_t cLng(const QString& text);

// Text to number as the runtime converts it: blanks around the number, a
// sign, decimals and an exponent, or "&H"/"&O" prefixes; anything else is a
// type mismatch.
double cDbl(const QString& text);

// The leading-number reader: blanks are skipped, reading stops at the first
// character that cannot continue a number; no number at all gives 0.
double val(const QString& text);

// Number to text as the runtime writes it: up to 15 significant digits,
// no exponent for ordinary magnitudes.
QString numberText(double value);

// Text with leading and trailing blanks (spaces only) removed.
QString trimBlanks(const QString& text);
