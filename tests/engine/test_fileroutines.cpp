#include "engine/FileRoutines.h"
#include "engine/Options.h"
#include "engine/PictureCopies.h"
#include "engine/ProgramState.h"
#include "runtime/RuntimeError.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(FileRoutines, versionTable) {
    const struct {
        int platform, major, minor;
        int16_t code;
    } cases[] = {{1, 4, 0, 1},  {1, 4, 10, 2}, {1, 4, 90, 3}, {1, 4, 5, 0},
                 {2, 3, 51, 4}, {2, 4, 0, 5},  {2, 5, 0, 6},  {2, 5, 1, 7},
                 {2, 5, 2, 7},  {2, 6, 0, 0},  {0, 0, 0, 1},  {3, 0, 0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(mapWindowsVersion(c.platform, c.major, c.minor), c.code)
            << c.platform << "." << c.major << "." << c.minor;
    EXPECT_EQ(GetWindowsVersion(), 7);
}

TEST(FileRoutines, uniqueLabelSplitsTheLastComponent) {
    const struct {
        const char* path;
        bool strip;
        const char* folder;
        const char* name;
        const char* ext;
    } cases[] = {
        {"/pics/sunset[3].jpg", true, "/pics/", "sunset", "jpg"},
        {"/pics/sunset[3].jpg", false, "/pics/", "sunset[3]", "jpg"},
        {"/pics/readme", true, "/pics/", "readme", ""},
        {"photo[2].jpg", true, "<unset>", "photo", "jpg"},
        {"[1].jpg", true, "<unset>", "", "jpg"},
        {"a[b].jpg", true, "<unset>", "a[b]", "jpg"},
        {"x].jpg", true, "<unset>", "x]", "jpg"},
        {"12].jpg", true, "<unset>", "12]", "jpg"},
        {"pic[1][2].jpg", true, "<unset>", "pic[1]", "jpg"},
        {"/my.pics/readme", true, "/my.pics/", "readme", ""},
        {"/a/b.tar.gz", true, "/a/", "b.tar", "gz"},
    };
    for (const auto& c : cases) {
        QString folder = QStringLiteral("<unset>"), name, ext;
        MakeUniqueLabel(QString::fromLatin1(c.path), folder, name, ext, c.strip);
        EXPECT_EQ(folder, QString::fromLatin1(c.folder)) << c.path;
        EXPECT_EQ(name, QString::fromLatin1(c.name)) << c.path;
        EXPECT_EQ(ext, QString::fromLatin1(c.ext)) << c.path;
    }
}

TEST(FileRoutines, checksumIsTheByteSumWithOverflowToZero) {
    TestEnvironment env;
    EXPECT_EQ(
        GetFileChecksum(env.writeFile(QStringLiteral("three"), QByteArray("\x01\x02\x03", 3))), 6);
    EXPECT_EQ(GetFileChecksum(env.writeFile(QStringLiteral("empty"), QByteArray())), 0);
    EXPECT_EQ(GetFileChecksum(env.path(QStringLiteral("missing"))), 0);
    EXPECT_EQ(GetFileChecksum(env.writeFile(QStringLiteral("max"), QByteArray(8421504, '\xff'))),
              2147483520);
    EXPECT_EQ(GetFileChecksum(env.writeFile(QStringLiteral("over"), QByteArray(8421505, '\xff'))),
              0);
    EXPECT_EQ(GetFileSizeOf(env.path(QStringLiteral("three"))), 3);
    EXPECT_EQ(GetFileSizeOf(env.path(QStringLiteral("missing"))), 0);
}

TEST(FileRoutines, specialAndTemporaryFolders) {
    TestEnvironment env;
    EXPECT_EQ(GetSpecialFolderPath(0, 5), env.folders.documents + u'/');
    EXPECT_EQ(GetSpecialFolderPath(0, 32), env.folders.cache + u'/');
    EXPECT_EQ(GetSpecialFolderPath(0, 9999), QString());
    EXPECT_EQ(GetTempFolder(), env.folders.temp + u'/');
    env.folders.temp.clear();
    EXPECT_EQ(GetTempFolder(), env.folders.program + u'/');
    EXPECT_EQ(GetLongFileName(QStringLiteral("/a/B~1/c")), QStringLiteral("/a/B~1/c"));
}

TEST(FileRoutines, writeProbeRunsOnceAndNeverTouchesAFileItDidNotMake) {
    TestEnvironment env;
    const QString probeFile = env.folders.program + QStringLiteral("/KVLTMP.$$$");
    EXPECT_TRUE(HasWriteAccess());
    EXPECT_FALSE(QFile::exists(probeFile));
    QDir(env.folders.program).removeRecursively();
    EXPECT_TRUE(HasWriteAccess()); // answered from memory

    resetWriteAccessProbe();
    EXPECT_FALSE(HasWriteAccess()); // the folder is gone

    resetWriteAccessProbe();
    env.writeFile(QStringLiteral("program/KVLTMP.$$$"), "someone's data");
    EXPECT_TRUE(HasWriteAccess());
    QFile kept(probeFile);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("someone's data"));
}

TEST(FileRoutines, openWebPageReportsItsTwoFailures) {
    TestEnvironment env;
    OpenWebPage(QStringLiteral("https://example.org/"));
    EXPECT_EQ(env.shell.opened, QStringList{QStringLiteral("https://example.org/")});
    env.shell.succeed = false;
    OpenWebPage(QStringLiteral("https://example.org/"));
    env.shell.browser = false;
    OpenWebPage(QStringLiteral("https://example.org/"));
    EXPECT_EQ(env.errors.messages(),
              (QStringList{QStringLiteral("Error Opening Web Page"),
                           QStringLiteral("No Internet Browser Available")}));
    EXPECT_EQ(env.errors.calls[0].buttons, 48);
}

class ImageFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        Options.PrivateMagicListPath = env.path(QStringLiteral("private/"));
        env.drives.fallback = drive::Fixed;
        env.drives.prefixes[env.path(QStringLiteral("cd"))] = drive::CdRom;
        env.drives.prefixes[env.path(QStringLiteral("stick"))] = drive::Removable;
        env.drives.prefixes[env.path(QStringLiteral("net"))] = drive::Network;
        env.drives.prefixes[env.path(QStringLiteral("odd"))] = drive::Unknown;
    }
    QByteArray contents(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TestEnvironment env;
};

TEST_F(ImageFolderTest, eachDriveTypeGoesToItsFolder) {
    const QString cd = env.writeFile(QStringLiteral("cd/photo.jpg"), "cd picture");
    const QString stick = env.writeFile(QStringLiteral("stick/sun[1].jpg"), "stick picture");
    const QString odd = env.writeFile(QStringLiteral("odd/x.png"), "odd");
    const QString net = env.writeFile(QStringLiteral("net/n.jpg"), "net");
    const QString local = env.writeFile(QStringLiteral("home/pics/a.jpg"), "local");
    const QString cached = env.writeFile(QStringLiteral("home/.cache/web/a[1].jpg"), "cached");
    const QString priv = Options.PrivateMagicListPath;

    EXPECT_EQ(GetImageFolderName(cd, QString()), priv + QStringLiteral("CD Images/photo.jpg"));
    EXPECT_EQ(GetImageFolderName(cd, QString()), priv + QStringLiteral("CD Images/photo[1].jpg"));
    EXPECT_EQ(GetImageFolderName(cd, QString()), priv + QStringLiteral("CD Images/photo[2].jpg"));
    EXPECT_EQ(contents(priv + QStringLiteral("CD Images/photo[2].jpg")), QByteArray("cd picture"));
    EXPECT_EQ(GetImageFolderName(cd, QStringLiteral("Beach")),
              priv + QStringLiteral("CD Images/Beach.jpg"));
    EXPECT_EQ(GetImageFolderName(stick, QString()), priv + QStringLiteral("Other Images/sun.jpg"));
    EXPECT_EQ(GetImageFolderName(odd, QString()), priv + QStringLiteral("Other Images/x.png"));
    EXPECT_EQ(GetImageFolderName(net, QString()), net);
    EXPECT_EQ(GetImageFolderName(local, QString()), local);
    QString upperCache = cached;
    upperCache.replace(QStringLiteral("/.cache/"), QStringLiteral("/.CACHE/"));
    QDir().rename(env.path(QStringLiteral("home/.cache")), env.path(QStringLiteral("home/.CACHE")));
    EXPECT_EQ(GetImageFolderName(upperCache, QString()),
              priv + QStringLiteral("Internet Images/a.jpg"));
    EXPECT_EQ(GetImageFolderName(QStringLiteral("//server/share/p.jpg"), QString()),
              QStringLiteral("//server/share/p.jpg"));
}

TEST_F(ImageFolderTest, aTypedNameStaysInsideTheCopyFolder) {
    const QString cd = env.writeFile(QStringLiteral("cd/photo.jpg"), "cd picture");
    const QString folder = Options.PrivateMagicListPath + QStringLiteral("CD Images/");
    const struct {
        const char* typed;
        const char* copy;
    } cases[] = {{"../../../etc/evil", "etcevil.jpg"},
                 {"..", "photo.jpg"},
                 {"a\\b/c", "abc.jpg"},
                 {"tab\tand\nnewline", "tabandnewline.jpg"},
                 {"sea...side", "sea.side.jpg"},
                 {"Ünïcødé 写真", "Ünïcødé 写真.jpg"}};
    for (const auto& c : cases)
        EXPECT_EQ(GetImageFolderName(cd, QString::fromUtf8(c.typed)),
                  folder + QString::fromUtf8(c.copy))
            << c.typed;
    EXPECT_EQ(QDir(Options.PrivateMagicListPath).entryList(QDir::Files), QStringList());
}

TEST_F(ImageFolderTest, anUnknownCacheFolderMatchesNothing) {
    env.folders.cache.clear();
    const QString local = env.writeFile(QStringLiteral("home/pics/a.jpg"), "local");
    EXPECT_EQ(GetImageFolderName(local, QString()), local);
}

TEST_F(ImageFolderTest, theCopyNeverOverwritesAPicture) {
    const QString cd = env.writeFile(QStringLiteral("cd/p.jpg"), "new");
    const QString folder = Options.PrivateMagicListPath + QStringLiteral("CD Images/");
    env.writeFile(QStringLiteral("private/CD Images/p.jpg"), "old");
    for (int k = 1; k <= 50; ++k)
        env.writeFile(QStringLiteral("private/CD Images/p[%1].jpg").arg(k), "old");
    EXPECT_EQ(GetImageFolderName(cd, QString()), folder + QStringLiteral("p[51].jpg"));
    EXPECT_EQ(contents(folder + QStringLiteral("p.jpg")), QByteArray("old"));
    EXPECT_EQ(contents(folder + QStringLiteral("p[51].jpg")), QByteArray("new"));
}

TEST_F(ImageFolderTest, theCopyKeepsThePicturesPermissions) {
    const QString cd = env.writeFile(QStringLiteral("cd/private.jpg"), "mine");
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(cd, ownerOnly));
    const QString copy = GetImageFolderName(cd, QString());
    const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                     QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                     QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(QFile::permissions(copy) & all, ownerOnly);
    EXPECT_EQ(contents(copy), QByteArray("mine"));
}

TEST_F(ImageFolderTest, aMissingPictureRaisesAnErrorForTheCaller) {
    try {
        GetImageFolderName(env.path(QStringLiteral("cd/gone.jpg")), QString());
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
}
