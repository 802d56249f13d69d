#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// Shared routines for files, folders and the system. Paths are native ("/").

int16_t GetWindowsVersion();
// The version table: the system family (1 the 9x family, 2 the NT family),
// major and minor numbers to the program's version code.
int16_t mapWindowsVersion(int platformId, int major, int minor);
QString GetLongFileName(const QString& path);
// Shortens text with an ellipsis in the middle of the path so that it fits
// the control; the full text goes to the tooltip when it was shortened.
QString FitTextToControl(QWidget* control, const QString& text);
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
QString GetImageFolderName(const QString& path, const QString& newName);
int32_t GetFileSizeOf(const QString& path);
int32_t GetFileChecksum(const QString& path);

// The path with one "/" at its end.
QString withSlash(const QString& folder);
