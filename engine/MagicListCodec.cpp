#include "engine/MagicListCodec.h"

#include "runtime/RuntimeError.h"

#include <QStringDecoder>
#include <QtEndian>
#include <array>
#include <cstring>

namespace listfile {

namespace {

// Windows-1252 code points for 0x80 .. 0x9F; the five unassigned bytes map
// to the C1 controls of the same value, as Windows itself does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const char* data, qsizetype size) {
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        out[i] = (byte >= 0x80 && byte <= 0x9F) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

bool isAscii(const char* data, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

bool fitsInFile(const QString& text) {
    // Each UTF-16 unit takes at most three bytes of UTF-8.
    return text.size() * 3 <= kMaxStringBytes || text.toUtf8().size() <= kMaxStringBytes;
}

QString tooLongMessage(const QString& text) {
    return QStringLiteral("The text '%1...' is longer than %2 bytes and cannot be stored in the "
                          "magic list.")
        .arg(text.left(40))
        .arg(kMaxStringBytes);
}

QString fittingStart(const QString& text) {
    if (fitsInFile(text))
        return text;
    qsizetype bytes = 0, end = 0;
    while (end < text.size()) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        const qsizetype size = QStringView(text).mid(end, units).toUtf8().size();
        if (bytes + size > kMaxStringBytes)
            break;
        bytes += size;
        end += units;
    }
    return text.left(end);
}

QString decodeText(const char* data, qsizetype size) {
    if (size == 0)
        return {};
    if (isAscii(data, size))
        return QString::fromLatin1(data, size);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(data, size));
    if (!utf8.hasError())
        return text;
    return decodeCp1252(data, size);
}

const char* Reader::need(qsizetype bytes) {
    if (bytes < 0 || bytes > size_ - pos_)
        raiseError(vberr::InputPastEnd);
    const char* at = data_ + pos_;
    pos_ += bytes;
    return at;
}

int16_t Reader::int16() {
    return qFromLittleEndian<qint16>(need(2));
}

int32_t Reader::int32() {
    return qFromLittleEndian<qint32>(need(4));
}

QString Reader::fixedText(qsizetype size) {
    return decodeText(need(size), size);
}

QString Reader::countedString() {
    const int16_t length = int16();
    // A negative count is damage, and need() refuses it like a short file.
    return fixedText(length);
}

void Writer::int16(int16_t value) {
    char bytes[2];
    qToLittleEndian<qint16>(value, bytes);
    bytes_.append(bytes, 2);
}

void Writer::int32(int32_t value) {
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    bytes_.append(bytes, 4);
}

void Writer::countedString(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > kMaxStringBytes)
        raiseError(vberr::Overflow, tooLongMessage(text));
    int16(static_cast<int16_t>(bytes.size()));
    bytes_.append(bytes);
}

} // namespace listfile
