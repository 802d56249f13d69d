#include "runtime/Conversions.h"

#include "runtime/RuntimeError.h"

#include <cfenv>
#include <cmath>
#include <limits>

double roundHalfEven(double value) {
    // nearbyint honours the current rounding mode, which is round-to-nearest,
    // ties-to-even unless someone changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return r;
}

int16_t cInt(double value) {
    if (std::isnan(value))
        raiseError(vberr::Overflow);
    const double r = roundHalfEven(value);
    if (r < -32768.0 || r > 32767.0)
        raiseError(vberr::Overflow);
    return static_cast<int16_t>(r);
}

int32_t cLng(double value) {
    if (std::isnan(value))
        raiseError(vberr::Overflow);
    const double r = roundHalfEven(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        raiseError(vberr::Overflow);
    return static_cast<int32_t>(r);
}

int16_t cInt(const QString& text) {
    return cInt(cDbl(text));
}
int32_t cLng(const QString& text) {
    return cLng(cDbl(text));
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Reads a radix-prefixed integer ("&H1F", "&O17") starting at pos; returns
// false when there is none.
bool readRadix(const QString& s, qsizetype& pos, double& out) {
    if (pos + 1 >= s.size() || s[pos] != u'&')
        return false;
    const QChar kind = s[pos + 1].toUpper();
    int base = 0;
    if (kind == u'H')
        base = 16;
    else if (kind == u'O')
        base = 8;
    else
        return false;
    qsizetype p = pos + 2;
    qint64 v = 0;
    qsizetype digits = 0;
    while (p < s.size()) {
        const int d = QString(s[p]).toInt(nullptr, base == 16 ? 16 : 8);
        const bool ok = (base == 16)
                            ? s[p].isDigit() || (s[p].toUpper() >= u'A' && s[p].toUpper() <= u'F')
                            : (s[p] >= u'0' && s[p] <= u'7');
        if (!ok)
            break;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL)
            raiseError(vberr::Overflow);
        ++p;
        ++digits;
    }
    if (digits == 0)
        return false;
    // Up to four hex digits are a 16-bit value, more a 32-bit one, as the
    // runtime reads them.
    if (digits <= 4 && base == 16 && v > 0x7FFF)
        v -= 0x10000;
    else if (v > 0x7FFFFFFFLL)
        v -= 0x100000000LL;
    out = static_cast<double>(v);
    pos = p;
    return true;
}

// Reads a decimal number at pos: sign, digits, one point, exponent. With
// skipBlanks, blanks inside the number are ignored (the leading-number reader).
bool readDecimal(const QString& s, qsizetype& pos, double& out, bool skipBlanks) {
    QString digits;
    qsizetype p = pos;
    auto skip = [&] {
        while (skipBlanks && p < s.size() && isBlank(s[p]))
            ++p;
    };
    skip();
    if (p < s.size() && (s[p] == u'+' || s[p] == u'-')) {
        digits += s[p];
        ++p;
        skip();
    }
    bool any = false;
    bool point = false;
    while (p < s.size()) {
        if (s[p].isDigit() && s[p].unicode() < 128) {
            digits += s[p];
            any = true;
        } else if (s[p] == u'.' && !point) {
            digits += u'.';
            point = true;
        } else {
            break;
        }
        ++p;
        skip();
    }
    if (!any)
        return false;
    if (p < s.size() && (s[p].toUpper() == u'E' || s[p].toUpper() == u'D')) {
        qsizetype q = p + 1;
        QString exp = QStringLiteral("e");
        if (q < s.size() && (s[q] == u'+' || s[q] == u'-'))
            exp += s[q++];
        bool expDigits = false;
        while (q < s.size() && s[q].isDigit() && s[q].unicode() < 128) {
            exp += s[q++];
            expDigits = true;
        }
        if (expDigits) {
            digits += exp;
            p = q;
        }
    }
    bool ok = false;
    out = digits.toDouble(&ok);
    if (!ok || std::isinf(out))
        raiseError(vberr::Overflow);
    pos = p;
    return true;
}

} // namespace

double cDbl(const QString& text) {
    const QString s = text.trimmed();
    if (s.isEmpty())
        raiseError(vberr::TypeMismatch);
    qsizetype pos = 0;
    double value = 0;
    if (readRadix(s, pos, value) || readDecimal(s, pos, value, false)) {
        if (pos == s.size())
            return value;
    }
    raiseError(vberr::TypeMismatch);
}

double val(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    double value = 0;
    if (readRadix(text, pos, value))
        return value;
    if (readDecimal(text, pos, value, true))
        return value;
    return 0;
}

QString numberText(double value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    QString t = QString::number(value, 'g', 15);
    return t;
}

QString trimBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}
