#include "platform/AtomicFile.h"
#include "platform/FileRegistry.h"
#include "platform/InstalledPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RegistryFiles {
    QTemporaryDir dir;
    FileRegistry::Locations locations() const {
        FileRegistry::Locations l;
        l.currentUserFile = dir.path() + QStringLiteral("/config/Tapestrel/HKEY_CURRENT_USER.reg");
        l.localMachineFile = dir.path() + QStringLiteral("/program/HKEY_LOCAL_MACHINE.reg");
        l.autostartFile = dir.path() + QStringLiteral("/config/autostart/Tapestrel.desktop");
        l.executablePath = dir.path() + QStringLiteral("/program/tap estrel");
        return l;
    }
    QByteArray read(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& file, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

const QString kKey = QStringLiteral("Software\\Orlevane\\Tapestrel\\Options");

} // namespace

TEST(FileRegistry, valuesRoundTripThroughTheFile) {
    RegistryFiles files;
    const QStringList awkward = {QStringLiteral("plain"),
                                 QStringLiteral("a=b"),
                                 QStringLiteral("quote \" inside"),
                                 QStringLiteral("C:\\path\\with\\backslashes\\"),
                                 QStringLiteral("two\nlines\r\n"),
                                 QStringLiteral("Größe ☼ 東京"),
                                 QString(),
                                 QStringLiteral("\"=\\\"")};
    {
        FileRegistry reg(files.locations());
        for (int i = 0; i < awkward.size(); ++i)
            ASSERT_EQ(
                reg.setValue(Hive::CurrentUser, kKey, QStringLiteral("v%1").arg(i), awkward[i]), 0);
        ASSERT_EQ(reg.setValue(Hive::LocalMachine,
                               QStringLiteral("Software\\Orlevane\\Products\\7102"),
                               QStringLiteral("AutoRestart"), QStringLiteral("TRUE")),
                  0);
    }
    FileRegistry again(files.locations());
    for (int i = 0; i < awkward.size(); ++i)
        EXPECT_EQ(again.value(Hive::CurrentUser, kKey, QStringLiteral("v%1").arg(i)), awkward[i])
            << i;
    EXPECT_EQ(again.value(Hive::LocalMachine, QStringLiteral("software\\orlevane\\products\\7102"),
                          QStringLiteral("autorestart")),
              QStringLiteral("TRUE"));
    EXPECT_FALSE(again.value(Hive::LocalMachine, kKey, QStringLiteral("v0")).has_value());
    EXPECT_TRUE(again.takeProblems().isEmpty());

    const QByteArray text = files.read(files.locations().currentUserFile);
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n"));
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Orlevane\\Tapestrel\\Options]\n"));
    EXPECT_TRUE(text.contains("\"v3\"=\"C:\\\\path\\\\with\\\\backslashes\\\\\"\n"));
}

TEST(FileRegistry, namesCompareWithoutCaseAndKeepTheirFirstSpelling) {
    RegistryFiles files;
    FileRegistry reg(files.locations());
    reg.setValue(Hive::CurrentUser, kKey, QStringLiteral("ActiveList"), QStringLiteral("one"));
    reg.setValue(Hive::CurrentUser, kKey.toUpper(), QStringLiteral("ACTIVELIST"),
                 QStringLiteral("two"));
    EXPECT_EQ(reg.value(Hive::CurrentUser, kKey.toLower(), QStringLiteral("activelist")),
              QStringLiteral("two"));
    EXPECT_TRUE(reg.keyExists(Hive::CurrentUser,
                              QStringLiteral("software\\ORLEVANE\\tapestrel\\options\\")));
    const QByteArray text = files.read(files.locations().currentUserFile);
    EXPECT_EQ(text.count("ActiveList"), 1);
    EXPECT_TRUE(text.contains("\"ActiveList\"=\"two\""));
    EXPECT_EQ(reg.deleteValue(Hive::CurrentUser, kKey, QStringLiteral("activeLIST")), 0);
    EXPECT_FALSE(reg.value(Hive::CurrentUser, kKey, QStringLiteral("ActiveList")).has_value());
    EXPECT_NE(reg.deleteValue(Hive::CurrentUser, kKey, QStringLiteral("ActiveList")), 0);
}

TEST(FileRegistry, everyWriteReplacesTheFileWholeAndSeesOutsideChanges) {
    RegistryFiles files;
    FileRegistry reg(files.locations());
    reg.setValue(Hive::CurrentUser, kKey, QStringLiteral("A"), QStringLiteral("1"));
    const QString file = files.locations().currentUserFile;
    // Another writer (the user, a test) changes the file: the store reads it again.
    files.write(file,
                "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\X]\n\"B\"=\"2\"\n");
    {
        QFile touched(file);
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        touched.setFileTime(QDateTime::currentDateTime().addSecs(5),
                            QFileDevice::FileModificationTime);
    }
    EXPECT_EQ(reg.value(Hive::CurrentUser, QStringLiteral("X"), QStringLiteral("B")),
              QStringLiteral("2"));
    EXPECT_FALSE(reg.value(Hive::CurrentUser, kKey, QStringLiteral("A")).has_value());
    reg.setValue(Hive::CurrentUser, QStringLiteral("X"), QStringLiteral("C"), QStringLiteral("3"));
    // No temporary file is left beside the hive.
    const QStringList left = QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files);
    EXPECT_EQ(left, QStringList{QStringLiteral("HKEY_CURRENT_USER.reg")});
}

TEST(FileRegistry, aDamagedHiveIsKeptAsideReportedOnceAndStartsEmpty) {
    const QList<QByteArray> damaged = {
        "not a registry file",
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n\"A\"=\"unterminated\n",
        "Windows Registry Editor Version 5.00\n\n\"orphan\"=\"value\"\n",
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n\"A\"=\"\xff\xfe\"\n",
        "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n\"A\"=\"1\"\n",
    };
    for (const QByteArray& bytes : damaged) {
        RegistryFiles files;
        const QString file = files.locations().currentUserFile;
        files.write(file, bytes);
        FileRegistry reg(files.locations());
        EXPECT_FALSE(
            reg.value(Hive::CurrentUser, QStringLiteral("K"), QStringLiteral("A")).has_value());
        const QStringList problems = reg.takeProblems();
        ASSERT_EQ(problems.size(), 1) << bytes.constData();
        EXPECT_TRUE(problems[0].contains(QStringLiteral(".reg.bad")));
        EXPECT_TRUE(reg.takeProblems().isEmpty());
        EXPECT_EQ(files.read(file + QStringLiteral(".bad")), bytes);
        // The next write starts a fresh hive and leaves the damaged copy alone.
        EXPECT_EQ(reg.setValue(Hive::CurrentUser, QStringLiteral("K"), QStringLiteral("A"),
                               QStringLiteral("new")),
                  0);
        EXPECT_EQ(FileRegistry(files.locations())
                      .value(Hive::CurrentUser, QStringLiteral("K"), QStringLiteral("A")),
                  QStringLiteral("new"));
        EXPECT_EQ(files.read(file + QStringLiteral(".bad")), bytes);
    }
}

TEST(FileRegistry, eachDamagedHiveIsKeptAsideUnderANumberOfItsOwn) {
    RegistryFiles files;
    const QString file = files.locations().currentUserFile;
    const QList<QByteArray> damaged = {"first damage", "second damage", "third damage"};
    for (const QByteArray& bytes : damaged) {
        files.write(file, bytes);
        FileRegistry reg(files.locations());
        EXPECT_FALSE(reg.value(Hive::CurrentUser, QStringLiteral("K"), QStringLiteral("A")));
        ASSERT_EQ(reg.takeProblems().size(), 1);
    }
    EXPECT_EQ(files.read(file + QStringLiteral(".bad")), damaged[0]);
    EXPECT_EQ(files.read(file + QStringLiteral(".bad.2")), damaged[1]);
    EXPECT_EQ(files.read(file + QStringLiteral(".bad.3")), damaged[2]);
}

TEST(FileRegistry, aWriteRemovesTheTemporaryFilesAKilledWriteLeft) {
    RegistryFiles files;
    const QString file = files.locations().currentUserFile;
    const QString folder = QFileInfo(file).absolutePath();
    const QStringList left = {QStringLiteral("HKEY_CURRENT_USER.reg.aB3xYz"),
                              QStringLiteral("HKEY_CURRENT_USER.reg.Q1w2E3")};
    // Another copy's write in progress, and files that are no temporary ones.
    const QStringList kept = {
        QStringLiteral("HKEY_CURRENT_USER.reg.fresh1"), QStringLiteral("HKEY_CURRENT_USER.reg.bad"),
        QStringLiteral("HKEY_CURRENT_USER.reg.bad.2"), QStringLiteral("notes.reg.aB3xYz")};
    for (const QString& name : left + kept)
        files.write(folder + u'/' + name, "x");
    for (const QString& name : left) {
        QFile old(folder + u'/' + name);
        ASSERT_TRUE(old.open(QIODevice::ReadWrite));
        ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                    QFileDevice::FileModificationTime));
    }
    FileRegistry reg(files.locations());
    ASSERT_EQ(reg.setValue(Hive::CurrentUser, kKey, QStringLiteral("A"), QStringLiteral("1")), 0);
    QStringList expected = kept;
    expected << QStringLiteral("HKEY_CURRENT_USER.reg");
    expected.sort();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), expected);
}

TEST(FileRegistry, theFolderIsSyncedAfterEachWrite) {
    RegistryFiles files;
    FileRegistry reg(files.locations());
    const int before = folderSyncCount();
    ASSERT_EQ(reg.setValue(Hive::CurrentUser, kKey, QStringLiteral("A"), QStringLiteral("1")), 0);
    EXPECT_EQ(folderSyncCount(), before + 1);
}

TEST(FileRegistry, theRunValueIsMirroredAsAnAutostartEntry) {
    RegistryFiles files;
    FileRegistry reg(files.locations());
    const QString runKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    const QString autostart = files.locations().autostartFile;
    reg.setValue(Hive::CurrentUser, runKey, QStringLiteral("Other"), QStringLiteral("x"));
    EXPECT_FALSE(QFile::exists(autostart));
    ASSERT_EQ(
        reg.setValue(Hive::CurrentUser, runKey, QStringLiteral("Tapestrel"), QStringLiteral("cmd")),
        0);
    const QByteArray entry = files.read(autostart);
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(
        entry.contains(("Exec=\"" + files.locations().executablePath + "\" -SILENT\n").toUtf8()));
    reg.deleteValue(Hive::CurrentUser, runKey.toLower(), QStringLiteral("TAPESTREL"));
    EXPECT_FALSE(QFile::exists(autostart));
}

TEST(FileRegistry, autostartQuotesAwkwardExecutablePaths) {
    EXPECT_TRUE(
        FileRegistry::autostartEntry(QStringLiteral("/opt/a \"b\" $c\\d"))
            .contains(QStringLiteral("Exec=\"/opt/a \\\\\"b\\\\\" \\\\$c\\\\\\\\d\" -SILENT")));
}

TEST(FileRegistry, aHiveThatCannotBeWrittenGivesAnErrorAndKeepsItsValues) {
    RegistryFiles files;
    FileRegistry::Locations l = files.locations();
    // A file where the hive's folder should be makes every write fail.
    files.write(files.dir.path() + QStringLiteral("/blocked"), "x");
    l.localMachineFile = files.dir.path() + QStringLiteral("/blocked/HKEY_LOCAL_MACHINE.reg");
    FileRegistry reg(l);
    EXPECT_NE(reg.createKey(Hive::LocalMachine, QStringLiteral("K")), 0);
    EXPECT_NE(reg.setValue(Hive::LocalMachine, QStringLiteral("K"), QStringLiteral("A"),
                           QStringLiteral("1")),
              0);
    EXPECT_FALSE(reg.keyExists(Hive::LocalMachine, QStringLiteral("K")));
}

TEST(FileRegistry, theSystemInformationToolIsAnsweredFromTheProgramsInstalledAndNeverStored) {
    RegistryFiles files;
    const FileRegistry::Locations where = files.locations();
    FileRegistry reg(where);
    ListedPrograms programs;
    reg.setInstalledPrograms(&programs);
    const QString key = QStringLiteral("software\\microsoft\\shared tools\\msinfo");

    // Nothing installed: the value and its key are absent.
    EXPECT_FALSE(reg.value(Hive::LocalMachine, kSystemInformationKey, kSystemInformationValue));
    EXPECT_FALSE(reg.keyExists(Hive::LocalMachine, kSystemInformationKey));

    // The first of the list that is installed, whatever the order of installing.
    programs.installed[QStringLiteral("cpu-x")] = QStringLiteral("/usr/bin/cpu-x");
    programs.installed[QStringLiteral("hardinfo")] = QStringLiteral("/usr/bin/hardinfo");
    EXPECT_EQ(reg.value(Hive::LocalMachine, key, QStringLiteral("path")),
              QStringLiteral("/usr/bin/hardinfo"));
    EXPECT_TRUE(reg.keyExists(Hive::LocalMachine, key));
    programs.installed[QStringLiteral("kinfocenter")] = QStringLiteral("/opt/kde/bin/kinfocenter");
    EXPECT_EQ(reg.value(Hive::LocalMachine, kSystemInformationKey, kSystemInformationValue),
              QStringLiteral("/opt/kde/bin/kinfocenter"));

    // Only that value of the local machine.
    EXPECT_FALSE(reg.value(Hive::CurrentUser, kSystemInformationKey, kSystemInformationValue));
    EXPECT_FALSE(reg.value(Hive::LocalMachine, kSystemInformationKey, QStringLiteral("Other")));

    // Writing the machine hive leaves it out of the file; a value stored
    // there by hand is read as it stands.
    ASSERT_EQ(reg.setValue(Hive::LocalMachine, QStringLiteral("Software\\Orlevane\\Products\\7102"),
                           QStringLiteral("AutoRestart"), QStringLiteral("TRUE")),
              0);
    EXPECT_FALSE(files.read(where.localMachineFile).contains("MSINFO"));
    ASSERT_EQ(reg.setValue(Hive::LocalMachine, kSystemInformationKey, kSystemInformationValue,
                           QStringLiteral("/usr/local/bin/sysinfo")),
              0);
    EXPECT_EQ(reg.value(Hive::LocalMachine, kSystemInformationKey, kSystemInformationValue),
              QStringLiteral("/usr/local/bin/sysinfo"));
}

TEST(FileRegistry, looksForTheToolAlongTheSearchPathByDefault) {
    RegistryFiles files;
    const QString bin = files.dir.path() + QStringLiteral("/bin");
    QDir().mkpath(bin);
    const QString tool = bin + QStringLiteral("/hardinfo2");
    files.write(tool, "#!/bin/sh\n");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit());
    FileRegistry reg(files.locations());
    const std::optional<QString> found =
        reg.value(Hive::LocalMachine, kSystemInformationKey, kSystemInformationValue);
    qputenv("PATH", saved);
    EXPECT_EQ(found, tool);
}
