#include "platform/DriveTypes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DriveTypes, mountClassification) {
    const struct {
        const char* type;
        const char* mount;
        bool removable;
        int16_t expected;
    } cases[] = {
        {"iso9660", "/mnt/cd", false, drive::CdRom},
        {"udf", "/mnt/dvd", false, drive::CdRom},
        {"nfs4", "/net", false, drive::Network},
        {"cifs", "/srv/share", false, drive::Network},
        {"fuse.sshfs", "/x", false, drive::Network},
        {"9p", "/mnt/host", false, drive::Network},
        {"tmpfs", "/tmp", false, drive::RamDisk},
        {"ramfs", "/r", false, drive::RamDisk},
        {"ext4", "/", false, drive::Fixed},
        {"vfat", "/boot/efi", true, drive::Removable},
        {"vfat", "/media/u/STICK", false, drive::Removable},
        {"exfat", "/run/media/u/CARD", false, drive::Removable},
        {"ext4", "/mediaserver", false, drive::Fixed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            classifyMount(QString::fromLatin1(c.type), QString::fromLatin1(c.mount), c.removable),
            c.expected)
            << c.type << " " << c.mount;
}

TEST(DriveTypes, theLongestMountHoldingThePathDecides) {
    QTemporaryDir dir;
    const QString info = dir.path() + QStringLiteral("/mountinfo");
    QFile f(info);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
            "30 22 0:5 / /tmp rw - tmpfs tmpfs rw\n"
            "31 22 11:0 / /mnt/my\\040cd ro - iso9660 /dev/sr0 ro\n"
            "32 22 0:50 / /home/u/net rw - nfs4 server:/x rw\n");
    f.close();
    MountDriveClassifier drives(info, dir.path() + QStringLiteral("/noblock"));
    EXPECT_EQ(drives.driveTypeOf(QStringLiteral("/home/u/pic.jpg")), drive::Fixed);
    EXPECT_EQ(drives.driveTypeOf(QStringLiteral("/tmp/a/b.png")), drive::RamDisk);
    EXPECT_EQ(drives.driveTypeOf(QStringLiteral("/mnt/my cd/photos/a.jpg")), drive::CdRom);
    EXPECT_EQ(drives.driveTypeOf(QStringLiteral("/mnt/my cdx/a.jpg")), drive::Fixed);
    EXPECT_EQ(drives.driveTypeOf(QStringLiteral("/home/u/net/a.jpg")), drive::Network);
    EXPECT_EQ(drives.driveTypeOf(QStringLiteral("relative/a.jpg")), drive::Unknown);
    EXPECT_EQ(drives.driveTypeOf(QString()), drive::Unknown);
}
