#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The list file's primitives: little-endian integers without padding and
// counted strings (a 16-bit byte count, then the bytes).

namespace listfile {

constexpr int kHeaderSize = 55;
constexpr int kMaxStringBytes = 32767;
// The smallest entry record: two empty counted strings and 28 bytes.
constexpr qsizetype kMinEntrySize = 2 + 2 + 28;
constexpr qsizetype kScheduleSize = 32;

// Whether the text fits in a counted string of the file.
bool fitsInFile(const QString& text);
// What the user is told of a text that does not fit.
QString tooLongMessage(const QString& text);
// The longest start of the text that fits, cut between two characters.
QString fittingStart(const QString& text);

// Text as a counted string's bytes: ASCII and valid UTF-8 are taken as
// UTF-8; anything else is a file made on Windows, read as Windows-1252.
QString decodeText(const char* data, qsizetype size);

// Reads a file image from the start; every read past its end raises
// "Input past end of file" (62) and leaves the position where it was.
class Reader {
public:
    Reader(const char* data, qsizetype size) : data_(data), size_(size) {}

    int16_t int16();
    int32_t int32();
    QString fixedText(qsizetype size);
    QString countedString();
    qsizetype remaining() const { return size_ - pos_; }

private:
    const char* need(qsizetype bytes);

    const char* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
};

// Builds a file image. A string too long for its 16-bit count raises an
// error instead of writing a count that would misread the rest.
class Writer {
public:
    void int16(int16_t value);
    void int32(int32_t value);
    void raw(const QByteArray& bytes) { bytes_.append(bytes); }
    void countedString(const QString& text);
    const QByteArray& bytes() const { return bytes_; }
    void reserve(qsizetype size) { bytes_.reserve(size); }

private:
    QByteArray bytes_;
};

} // namespace listfile
