#pragma once

#include <QString>
#include <array>
#include <cstdint>

// The version record the update server publishes, the program's own
// version, and the arithmetic of the download: all without any window.

// The record: one line of fields separated by "|". Field 2 is the newest
// version, field 5 the installer's size in bytes, field 6 its address.
struct UpdateRecord {
    // Fields 1 to 6 as text (element 0 unused); 2 and 6 trimmed.
    std::array<QString, 7> fields;
    int32_t installerSize = 0;
    // Field 5 is a whole number of bytes above 0, written in digits alone:
    // only then can a download be checked against it.
    bool installerSizeUsable = false;
};

// Splits the record. More than 7 fields with text in them raise
// "Subscript out of range"; a field 5 that is no number raises "Type
// mismatch" (or "Overflow").
UpdateRecord parseUpdateRecord(const QString& text);

// Major, minor and revision, each at least two digits, joined by ".".
QString formatVersion(int major, int minor, int revision);
// This program's version in that form.
QString currentVersionText();
// Whether the offered version is newer: the texts compare character by
// character, by character code, as versions of equal form do.
bool updateIsNewer(const QString& current, const QString& offered);

// A number formatted "#.#" as the runtime writes it: no digit before the
// point for a value below 1, none after it for a whole number ("5.", ".5").
QString formatOneDecimal(double value);
// The installer's size as the window shows it: megabytes, "#.#", and
// " Megabytes".
QString sizeLabel(int32_t bytes);
// The size the progress bar measures against: the installer size in whole
// chunks of 2048 bytes, to the nearest chunk (halves to even). 0 for 1024
// bytes or less.
int64_t expectedDownloadSize(int32_t installerSize);
// The progress bar's value after `received` bytes: never above 100; with
// nothing to measure against, 100 once anything came.
int progressPercent(int64_t received, int64_t expected);
// Whether a finished download is the installer: a 2xx answer and exactly
// the record's size, which must be usable.
bool downloadCounts(int status, int64_t bytes, const UpdateRecord& record);

// Where the installer is saved: its name is the last part of the address's
// path, in `updatesFolder` (which ends in "/"). "" when the address may not
// be fetched or its name is no plain file name (empty, ".", "..", a
// separator or a control character in it).
QString installerTarget(const QString& updatesFolder, const QString& url);
