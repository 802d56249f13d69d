#include "engine/FileRoutines.h"
#include "engine/INIFuncs.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "platform/FileRegistry.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kUserKey = QStringLiteral("Software\\Orlevane\\Tapestrel\\Options");

class OptionsTest : public ::testing::Test {
protected:
    std::optional<QString> user(const QString& name) const {
        return env.registry.value(Hive::CurrentUser, kUserKey, name);
    }
    std::optional<QString> machine(const QString& name) const {
        return env.registry.value(Hive::LocalMachine, kMachineProductKey, name);
    }
    void store(const QString& name, const QString& value) {
        env.registry.setValue(Hive::CurrentUser, kUserKey, name, value);
    }
    void storeMachine(const QString& name, const QString& value) {
        env.registry.setValue(Hive::LocalMachine, kMachineProductKey, name, value);
    }
    std::optional<QString> runValue() const {
        return env.registry.value(Hive::CurrentUser, kRunKey, kRunValueName);
    }

    TestEnvironment env;
};

} // namespace

TEST_F(OptionsTest, firstStartWithAnEmptyRegistry) {
    LoadOptions();
    const QString program = env.folders.program + u'/';
    const QString privateFolder = env.folders.documents + QStringLiteral("/My Magic Lists/");
    EXPECT_EQ(Options.ListExtension, QStringLiteral("MLS"));
    EXPECT_EQ(Options.PrivateMagicListPath, privateFolder);
    EXPECT_EQ(Options.PublicMagicListPath, program + QStringLiteral("Magic Lists/"));
    EXPECT_EQ(Options.PublicImagesPath, program + QStringLiteral("Images/"));
    EXPECT_EQ(Options.LastUpdateTime, makeDateTime(2000, 1, 1, 12, 0, 0));
    EXPECT_EQ(Options.LastUpdate, makeDateTime(2000, 1, 1, 12, 0, 0));
    EXPECT_TRUE(Options.DisplayMMessage); // the flag's read default wins over the preset
    EXPECT_TRUE(Options.AutoRestart);
    EXPECT_EQ(Options.Border, 0);
    EXPECT_EQ(Options.FixedCropWidth, 100);
    EXPECT_EQ(ProgramHelpFile, program + QStringLiteral("help/contents.html"));
    EXPECT_TRUE(QFileInfo(privateFolder).isDir());
    EXPECT_TRUE(QFileInfo(Options.PublicMagicListPath).isDir());
    EXPECT_TRUE(QFileInfo(Options.PublicImagesPath).isDir());

    EXPECT_EQ(user(QStringLiteral("PrivateMagicListPath")), privateFolder);
    EXPECT_EQ(user(QStringLiteral("SysWallPaperPath")), env.folders.program);
    EXPECT_EQ(user(QStringLiteral("Border")), QStringLiteral("0"));
    EXPECT_EQ(user(QStringLiteral("DisplayMMessage")), QStringLiteral("TRUE"));
    EXPECT_EQ(user(QStringLiteral("FixedCropHeight")), QStringLiteral("100"));
    for (const char* flag :
         {"ShowEmptyDialog", "ShowOverviewDialog", "MakeDroppedActive", "PromptForNameOnDrop"})
        EXPECT_EQ(user(QString::fromLatin1(flag)), QStringLiteral("TRUE")) << flag;
    EXPECT_FALSE(user(QStringLiteral("ActiveList")).has_value());
    EXPECT_FALSE(user(QStringLiteral("LastUpdateTime")).has_value());
    EXPECT_EQ(machine(QStringLiteral("AutoRestart")), QStringLiteral("TRUE"));
    EXPECT_EQ(machine(QStringLiteral("UpdateInterval")), QStringLiteral("0"));
    EXPECT_EQ(machine(QStringLiteral("LastUpdate")), QStringLiteral("01/01/2000"));
    EXPECT_EQ(machine(QStringLiteral("PublicMagicListPath")), Options.PublicMagicListPath);
    EXPECT_EQ(runValue(), u'"' + env.folders.programFile + QStringLiteral("\" -SILENT"));
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(OptionsTest, aFirstStartWithoutADocumentsFolderMakesEachFolderWithItsWholePath) {
    // A fresh home: no documents folder, and public folders set deeper down.
    ASSERT_TRUE(QDir(env.folders.documents).removeRecursively());
    storeMachine(QStringLiteral("PublicMagicListPath"),
                 env.folders.program + QStringLiteral("/shared/lists"));
    storeMachine(QStringLiteral("PublicImagesPath"),
                 env.folders.program + QStringLiteral("/shared/images"));
    LoadOptions();
    EXPECT_TRUE(env.errors.calls.isEmpty()) << env.errors.messages().join(u'|').toStdString();
    EXPECT_TRUE(QFileInfo(env.folders.documents).isDir()); // where the wallpaper bitmap goes
    EXPECT_TRUE(QFileInfo(Options.PrivateMagicListPath).isDir());
    EXPECT_TRUE(QFileInfo(Options.PublicMagicListPath).isDir());
    EXPECT_TRUE(QFileInfo(Options.PublicImagesPath).isDir());
}

TEST_F(OptionsTest, storedValuesAndTheirConversions) {
    store(QStringLiteral("PrivateMagicListPath"), env.path(QStringLiteral("lists")));
    store(QStringLiteral("ActiveList"), QStringLiteral("  /x/MList3.MLS  "));
    store(QStringLiteral("Border"), QStringLiteral(" 12 "));
    store(QStringLiteral("LastUpdateTime"), QStringLiteral("3/4/2024 10:05:00 AM"));
    store(QStringLiteral("DisplayMMessage"), QStringLiteral("fAlSe"));
    store(QStringLiteral("FixedCropWidth"), QStringLiteral("32767"));
    store(QStringLiteral("FixedCropHeight"), QStringLiteral("2.5"));
    store(QStringLiteral("ShowEmptyDialog"), QStringLiteral("no"));
    store(QStringLiteral("MakeDroppedActive"), QStringLiteral("FALSE"));
    storeMachine(QStringLiteral("PublicImagesPath"), env.path(QStringLiteral("images")));
    storeMachine(QStringLiteral("UpdateInterval"), QStringLiteral("7"));
    storeMachine(QStringLiteral("LastUpdate"), QStringLiteral("05/06/2023"));
    LoadOptions();
    EXPECT_EQ(Options.PrivateMagicListPath, env.path(QStringLiteral("lists/")));
    EXPECT_TRUE(QFileInfo(Options.PrivateMagicListPath).isDir());
    EXPECT_EQ(Options.ActiveList, QStringLiteral("/x/MList3.MLS"));
    EXPECT_EQ(Options.Border, 12);
    EXPECT_EQ(Options.LastUpdateTime, makeDateTime(2024, 3, 4, 10, 5, 0));
    EXPECT_FALSE(Options.DisplayMMessage);
    EXPECT_EQ(Options.FixedCropWidth, 32767);
    EXPECT_EQ(Options.FixedCropHeight, 2);
    EXPECT_TRUE(Options.ShowEmptyDialog);
    EXPECT_FALSE(Options.MakeDroppedActive);
    EXPECT_EQ(Options.PublicImagesPath, env.path(QStringLiteral("images/")));
    EXPECT_EQ(Options.UpdateInterval, 7);
    EXPECT_EQ(Options.LastUpdate, makeDateTime(2023, 5, 6));
    EXPECT_EQ(user(QStringLiteral("DisplayMMessage")), QStringLiteral("FALSE"));
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(OptionsTest, aBadValueIsReportedKeepsItsDefaultAndLoadingGoesOn) {
    store(QStringLiteral("Border"), QStringLiteral("abc"));
    store(QStringLiteral("FixedCropWidth"), QStringLiteral("40000"));
    store(QStringLiteral("LastUpdateTime"), QStringLiteral("NEVER"));
    store(QStringLiteral("DisplayMMessage"), QStringLiteral("FALSE"));
    LoadOptions();
    EXPECT_EQ(env.errors.messages(),
              (QStringList{QStringLiteral("Type mismatch"), QStringLiteral("Overflow")}));
    EXPECT_EQ(env.errors.calls[0].buttons, 0);
    EXPECT_EQ(env.errors.calls[0].title, QString());
    EXPECT_EQ(Options.Border, 0);
    EXPECT_EQ(Options.FixedCropWidth, 100);
    EXPECT_EQ(Options.LastUpdateTime, defaultStamp());
    EXPECT_FALSE(Options.DisplayMMessage); // read after the bad Border
}

TEST_F(OptionsTest, emptyFolderValuesCountAsAbsent) {
    store(QStringLiteral("PrivateMagicListPath"), QString());
    storeMachine(QStringLiteral("PublicMagicListPath"), QStringLiteral("   "));
    LoadOptions();
    EXPECT_EQ(Options.PrivateMagicListPath,
              env.folders.documents + QStringLiteral("/My Magic Lists/"));
    EXPECT_EQ(Options.PublicMagicListPath, env.folders.program + QStringLiteral("/Magic Lists/"));
}

TEST_F(OptionsTest, longValuesReadBack) {
    const QString longFolder = env.path(QString(300, u'd'));
    store(QStringLiteral("PrivateMagicListPath"), longFolder);
    store(QStringLiteral("ActiveList"), longFolder + QStringLiteral("/MList1.MLS"));
    LoadOptions();
    EXPECT_EQ(Options.PrivateMagicListPath, longFolder + u'/');
    EXPECT_EQ(Options.ActiveList, longFolder + QStringLiteral("/MList1.MLS"));
}

TEST_F(OptionsTest, startAtLogonFollowsAutoRestart) {
    storeMachine(QStringLiteral("AutoRestart"), QStringLiteral("FALSE"));
    env.registry.setValue(Hive::CurrentUser, kRunKey, kRunValueName, QStringLiteral("old"));
    LoadOptions();
    EXPECT_FALSE(Options.AutoRestart);
    EXPECT_FALSE(runValue().has_value());
    Options.AutoRestart = true;
    UpdateStartAtLogon();
    EXPECT_TRUE(runValue().has_value());
}

TEST_F(OptionsTest, withoutRestartAStartRemovesAnAutostartEntryLeftWithoutItsRunValue) {
    // After a damaged settings file was set aside, the entry for the logon
    // is still there but the value it stands for is gone.
    FileRegistry::Locations where;
    where.currentUserFile = env.path(QStringLiteral("config/Tapestrel/HKEY_CURRENT_USER.reg"));
    where.localMachineFile = env.folders.program + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
    where.autostartFile =
        env.writeFile(QStringLiteral("config/autostart/Tapestrel.desktop"),
                      FileRegistry::autostartEntry(env.folders.programFile).toUtf8());
    where.executablePath = env.folders.programFile;
    FileRegistry registry(where);
    registry.setValue(Hive::LocalMachine, kMachineProductKey, QStringLiteral("AutoRestart"),
                      QStringLiteral("FALSE"));
    services().registry = &registry;
    LoadOptions();
    services().registry = &env.registry;
    EXPECT_FALSE(Options.AutoRestart);
    EXPECT_FALSE(QFileInfo::exists(where.autostartFile));
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(OptionsTest, anUnwritableProgramFolderSavesNothingMachineWide) {
    env.folders.program = env.path(QStringLiteral("missing/program"));
    LoadOptions();
    EXPECT_FALSE(machine(QStringLiteral("AutoRestart")).has_value());
    EXPECT_FALSE(QFileInfo::exists(Options.PublicMagicListPath));
    EXPECT_TRUE(user(QStringLiteral("Border")).has_value());
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(OptionsTest, aFailingHiveIsReportedOncePerRun) {
    env.registry.failCreateCurrentUser = 5;
    for (int i = 0; i < 3; ++i)
        SaveRegString(QStringLiteral("Options"), QStringLiteral("Border"), QStringLiteral("5"),
                      false, REG_SZ);
    env.registry.failCreateCurrentUser = 0;
    env.registry.failWriteMachine = 112;
    SaveMachineRegString(kMachineProductKey, QStringLiteral("A"), QStringLiteral("1"));
    SaveMachineRegString(kMachineProductKey, QStringLiteral("B"), QStringLiteral("2"));
    ASSERT_EQ(env.errors.messages(),
              (QStringList{QStringLiteral("Error 5"), QStringLiteral("Error 112")}));
    EXPECT_EQ(env.errors.calls[0].buttons, 48);
    EXPECT_EQ(env.errors.calls[1].title, QString());
}

// The settings file of the user in a place where it cannot be used: one
// report naming the file and the reason, and whatever was there stays.
TEST_F(OptionsTest, aSettingsFileThatCannotBeUsedIsReportedOnceAndLeftAsItIs) {
    const struct {
        const char* what;
        std::function<QString()> make; // gives the hive's path
        const char* reason;
    } cases[] = {
        {"a folder in place of the file",
         [&] {
             const QString hive = env.path(QStringLiteral("config/HKEY_CURRENT_USER.reg"));
             QDir().mkpath(hive);
             return hive;
         },
         "not a file"},
        {"a file in place of its folder",
         [&] {
             env.writeFile(QStringLiteral("config"), "x");
             return env.path(QStringLiteral("config/HKEY_CURRENT_USER.reg"));
         },
         "could not be written"},
        {"a file that cannot be read",
         [&] {
             const QString hive = env.path(QStringLiteral("config/HKEY_CURRENT_USER.reg"));
             QDir().mkpath(env.path(QStringLiteral("config")));
             EXPECT_EQ(::mkfifo(QFile::encodeName(hive).constData(), 0600), 0);
             return hive;
         },
         "could not be read"},
    };
    for (const auto& c : cases) {
        QDir(env.path(QStringLiteral("config"))).removeRecursively();
        QFile::remove(env.path(QStringLiteral("config")));
        env.errors.calls.clear();
        ThisRun = RunFlags{};
        FileRegistry::Locations where;
        where.currentUserFile = c.make();
        where.localMachineFile = env.folders.program + QStringLiteral("/HKEY_LOCAL_MACHINE.reg");
        const QFileInfo before(where.currentUserFile);
        FileRegistry registry(where);
        services().registry = &registry;

        LoadOptions();
        SaveOptions();
        SaveRegString(QStringLiteral("Options"), QStringLiteral("ActiveList"), QStringLiteral("x"),
                      false, REG_SZ);
        services().registry = &env.registry;

        ASSERT_EQ(env.errors.calls.size(), 1) << c.what;
        const QString message = env.errors.calls[0].message;
        EXPECT_TRUE(message.startsWith(QStringLiteral("Error "))) << c.what;
        EXPECT_TRUE(message.contains(where.currentUserFile)) << c.what;
        EXPECT_TRUE(message.contains(QLatin1StringView(c.reason))) << message.toStdString();
        const QFileInfo after(where.currentUserFile);
        EXPECT_EQ(after.isDir(), before.isDir()) << c.what;
        EXPECT_EQ(after.isFile(), before.isFile()) << c.what;
        // The machine's settings still work.
        EXPECT_TRUE(QFileInfo(where.localMachineFile).isFile()) << c.what;
    }
}

TEST_F(OptionsTest, registryHelpers) {
    SaveRegString(QStringLiteral("Options"), QStringLiteral("Border"), QStringLiteral("5"), false,
                  REG_SZ);
    SaveRegString(QStringLiteral("Control Panel\\Desktop"), QStringLiteral("TileWallpaper"),
                  QStringLiteral("1"), true, REG_SZ);
    EXPECT_EQ(user(QStringLiteral("Border")), QStringLiteral("5"));
    EXPECT_EQ(env.registry.value(Hive::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                                 QStringLiteral("TileWallpaper")),
              QStringLiteral("1"));
    store(QStringLiteral("Padded"), QStringLiteral("  x  "));
    EXPECT_EQ(
        GetRegString(QStringLiteral("Options"), QStringLiteral("Padded"), QStringLiteral("d")),
        QStringLiteral("x"));
    EXPECT_EQ(
        GetRegString(QStringLiteral("Options"), QStringLiteral("Missing"), QStringLiteral("d")),
        QStringLiteral("d"));
    EXPECT_EQ(GetRegString(QStringLiteral("NoSuchSection"), QStringLiteral("Border"),
                           QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(
        GetMachineRegString(QStringLiteral("Nowhere"), QStringLiteral("A"), QStringLiteral("m")),
        QStringLiteral("m"));
    DeleteRegValue(QStringLiteral("Nowhere\\At\\All"), QStringLiteral("A"));
    DeleteRegValue(kUserKey, QStringLiteral("Missing"));
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_EQ(CutAtNull(QStringLiteral("ab") + QChar(0) + QStringLiteral("cd")),
              QStringLiteral("ab"));
    EXPECT_EQ(CutAtNull(QStringLiteral("abc")), QStringLiteral("abc"));
}
