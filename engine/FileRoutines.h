#pragma once

#include <QString>
#include <cstdint>

// Shared routines for files, folders and the system. Paths are native ("/").

int16_t GetWindowsVersion();
// The version table: the system family (1 the 9x family, 2 the NT family),
// major and minor numbers to the program's version code.
int16_t mapWindowsVersion(int platformId, int major, int minor);
QString GetLongFileName(const QString& path);
// Folder id 5 the documents, 32 the Internet cache; the path ends in "/",
// or "" when there is no such folder.
QString GetSpecialFolderPath(int32_t owner, int32_t folderId);
QString GetTempFolder();
void OpenWebPage(const QString& address);
bool HasWriteAccess();
// Forgets the probe's answer (tests only).
void resetWriteAccessProbe();
int16_t GetDriveTypeOfPath(const QString& path);
void MakeUniqueLabel(const QString& path, QString& folderPart, QString& namePart,
                     QString& extension, bool stripCounter);
// A name typed for a picture's copy, made safe to use as a file name in
// the copy folder: separators (/ and \), control characters and ".."
// are taken out, so the copy can't be placed anywhere else.
QString safeCopyName(const QString& name);
int32_t GetFileSizeOf(const QString& path);
int32_t GetFileChecksum(const QString& path);
// Adds the bytes to a file's running byte sum; false once the sum has
// passed the 32-bit range, where the checksum is 0.
bool addToByteSum(qint64& sum, const char* bytes, qint64 count);

// The path with one "/" at its end.
QString withSlash(const QString& folder);
