#include "platform/AtomicFile.h"
#include "platform/ComposedWallpaper.h"
#include "platform/FileRegistry.h"
#include "platform/ImageBox.h"
#include "runtime/RuntimeError.h"
#include "tests/common/SmallFilesystem.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

// The old content every failed write must leave, byte for byte.
const QByteArray kOld = QByteArray("old content\n").repeated(37);

class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!disk.mounted())
            GTEST_SKIP() << disk.why().toStdString();
    }
    SmallFilesystem disk{1024};
};

TEST_F(FullDiskTest, AReplacementThatDoesNotFitKeepsTheOldFileAndSaysSo) {
    const QString file = disk.file(QStringLiteral("MList1.MLS"));
    ASSERT_TRUE(putFile(file, kOld));
    ASSERT_TRUE(disk.fill());
    QString reason;
    EXPECT_EQ(replaceFileContent(file, QByteArray(500, 'n'), &reason), ENOSPC);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(fileBytes(file), kOld);
    EXPECT_EQ(filesIn(disk.path()), QStringList{QStringLiteral("MList1.MLS")});

    // With room again, the same write goes through.
    disk.unfill();
    EXPECT_EQ(replaceFileContent(file, QByteArray(500, 'n')), 0);
    EXPECT_EQ(fileBytes(file), QByteArray(500, 'n'));
}

TEST_F(FullDiskTest, ABitmapThatDoesNotFitKeepsTheOldBitmap) {
    const QString bitmap = disk.file(QStringLiteral("ZOZ.bmp"));
    ASSERT_TRUE(putFile(bitmap, kOld));
    ASSERT_TRUE(disk.fill());
    ImageBox box;
    box.create(40, 30);
    EXPECT_EQ(box.save(bitmap), vberr::DiskFull);
    EXPECT_EQ(fileBytes(bitmap), kOld);
    EXPECT_EQ(filesIn(disk.path()), QStringList{QStringLiteral("ZOZ.bmp")});
}

TEST_F(FullDiskTest, ASettingThatDoesNotFitKeepsEveryOtherSetting) {
    FileRegistry::Locations where;
    where.currentUserFile = disk.file(QStringLiteral("HKEY_CURRENT_USER.reg"));
    where.localMachineFile = disk.file(QStringLiteral("HKEY_LOCAL_MACHINE.reg"));
    where.autostartFile = disk.file(QStringLiteral("autostart/Tapestrel.desktop"));
    const QString key = QStringLiteral("Software\\Orlevane\\Tapestrel\\Options");
    QByteArray before;
    {
        FileRegistry reg(where);
        for (int i = 0; i < 20; ++i)
            ASSERT_EQ(reg.setValue(Hive::CurrentUser, key, QStringLiteral("v%1").arg(i),
                                   QStringLiteral("value %1").arg(i)),
                      0);
        before = fileBytes(where.currentUserFile);
        ASSERT_TRUE(disk.fill());
        EXPECT_NE(
            reg.setValue(Hive::CurrentUser, key, QStringLiteral("big"), QStringLiteral("one more")),
            0);
        EXPECT_FALSE(reg.hiveFailure(Hive::CurrentUser).isEmpty());
    }
    EXPECT_EQ(fileBytes(where.currentUserFile), before);
    disk.unfill();
    FileRegistry again(where);
    EXPECT_EQ(again.value(Hive::CurrentUser, key, QStringLiteral("v19")),
              QStringLiteral("value 19"));
}

TEST_F(FullDiskTest, APictureForTheDesktopThatDoesNotFitIsNotHandedOver) {
    const QString bitmap = disk.file(QStringLiteral("ZOZ.bmp"));
    ASSERT_TRUE(QImage(8, 6, QImage::Format_RGB32).save(bitmap, "BMP"));
    ASSERT_TRUE(putFile(disk.file(QStringLiteral(".ZOZ-3.bmp")), kOld));
    ASSERT_TRUE(disk.fill());
    ComposedWallpaper composed([] { return singleMonitor(QSize(64, 48)); });
    DesktopValues values;
    values.wallpaperPath = values.bitmapPath = bitmap;
    const ComposedWallpaper::Result result = composed.prepare(values);
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(fileBytes(disk.file(QStringLiteral(".ZOZ-3.bmp"))), kOld);
    EXPECT_EQ(filesIn(disk.path()),
              (QStringList{QStringLiteral(".ZOZ-3.bmp"), QStringLiteral("ZOZ.bmp")}));
}

// Every step of a write that fails leaves the old file and no temporary
// file, and gives its error back.
class WriteStepTest : public ::testing::TestWithParam<WriteStep> {
protected:
    void TearDown() override { setWriteFaultHook({}); }
    QTemporaryDir dir;
};

TEST_P(WriteStepTest, AFailedStepLeavesTheOldFile) {
    const QString file = dir.path() + QStringLiteral("/settings.reg");
    ASSERT_TRUE(putFile(file, kOld));
    const WriteStep failing = GetParam();
    setWriteFaultHook([&](const QString& path, WriteStep step) {
        return path == file && step == failing ? EIO : 0;
    });
    EXPECT_EQ(replaceFileContent(file, QByteArray("new")), EIO);
    EXPECT_EQ(fileBytes(file), kOld);
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("settings.reg")});

    ImageBox box;
    box.create(4, 4);
    EXPECT_EQ(box.save(file), vberr::DeviceIO);
    EXPECT_EQ(fileBytes(file), kOld);
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("settings.reg")});
}

std::string stepName(const ::testing::TestParamInfo<WriteStep>& info) {
    static const char* const names[] = {"Open", "Write", "Sync", "Close", "Rename"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EachStep, WriteStepTest,
                         ::testing::Values(WriteStep::Open, WriteStep::Write, WriteStep::Sync,
                                           WriteStep::Close, WriteStep::Rename),
                         stepName);

TEST(AtomicFile, AReplacementKeepsTheFilesModeAndALinkStaysALink) {
    QTemporaryDir dir;
    const QString real = dir.path() + QStringLiteral("/real.reg");
    const QString link = dir.path() + QStringLiteral("/link.reg");
    ASSERT_TRUE(putFile(real, kOld));
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_EQ(replaceFileContent(link, QByteArray("new")), 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(real), QByteArray("new"));
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                                      QFile::WriteOther | QFile::ExeOwner;
    EXPECT_EQ(QFile::permissions(real) & (others | QFile::ReadOwner | QFile::WriteOwner),
              QFile::ReadOwner | QFile::WriteOwner);
}

TEST(AtomicFile, ANewFileNeverTakesTheNameOfOneThatExists) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/copy.jpg");
    ASSERT_TRUE(putFile(file, kOld));
    AtomicFileWriter writer(file, AtomicFileWriter::Mode::CreateNew);
    EXPECT_FALSE(writer.open() && writer.write(QByteArray("new")) && writer.commit());
    EXPECT_EQ(writer.error(), EEXIST);
    EXPECT_EQ(fileBytes(file), kOld);

    // Taken between the open and the end of the copy: still not replaced.
    const QString later = dir.path() + QStringLiteral("/later.jpg");
    AtomicFileWriter racing(later, AtomicFileWriter::Mode::CreateNew);
    ASSERT_TRUE(racing.open());
    ASSERT_TRUE(racing.write(QByteArray("mine")));
    ASSERT_TRUE(putFile(later, kOld));
    EXPECT_FALSE(racing.commit());
    EXPECT_EQ(racing.error(), EEXIST);
    EXPECT_EQ(fileBytes(later), kOld);
    EXPECT_EQ(filesIn(dir.path()),
              (QStringList{QStringLiteral("copy.jpg"), QStringLiteral("later.jpg")}));
}

} // namespace
