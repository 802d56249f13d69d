#pragma once

#include <QMap>
#include <QString>
#include <cstdint>

// Drive types as the system reports them: 0 unknown, 1 no such root,
// 2 removable, 3 fixed, 4 network, 5 CD-ROM, 6 RAM disk.
namespace drive {
constexpr int16_t Unknown = 0;
constexpr int16_t NoRoot = 1;
constexpr int16_t Removable = 2;
constexpr int16_t Fixed = 3;
constexpr int16_t Network = 4;
constexpr int16_t CdRom = 5;
constexpr int16_t RamDisk = 6;
} // namespace drive

class DriveClassifier {
public:
    virtual ~DriveClassifier() = default;
    // The type of the drive (mount) that holds the path.
    virtual int16_t driveTypeOf(const QString& path) const = 0;
};

// Classifies the mount holding a path from /proc/self/mountinfo.
class MountDriveClassifier final : public DriveClassifier {
public:
    explicit MountDriveClassifier(QString mountInfoPath = QStringLiteral("/proc/self/mountinfo"),
                                  QString sysBlockPath = QStringLiteral("/sys/class/block"));
    int16_t driveTypeOf(const QString& path) const override;

private:
    QString mountInfoPath_;
    QString sysBlockPath_;
};

// The mount table's verdict for one mount.
int16_t classifyMount(const QString& fsType, const QString& mountPoint, bool removableDevice);

// Answers from a table of folder prefixes; the longest matching prefix wins.
class FixedDriveClassifier final : public DriveClassifier {
public:
    int16_t driveTypeOf(const QString& path) const override;
    QMap<QString, int16_t> prefixes;
    int16_t fallback = drive::Fixed;
};
