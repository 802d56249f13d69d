// Where the program finds itself: its folder through its resolved path,
// the path a later start should run (the one the user started, a link
// included), and where an installed copy writes the files of its folder.

#include "platform/FileRegistry.h"
#include "platform/Folders.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// An installed layout: <root>/usr/lib/tapestrel/tapestrel, a link to it in
// <root>/usr/bin, another program of the same name elsewhere, and the
// machine settings linked into <root>/var/lib/tapestrel.
struct Installed {
    Installed() {
        for (const QString& f : {program(), bin(), other(), data()})
            QDir().mkpath(f);
        writeProgram(executable());
        writeProgram(other() + QStringLiteral("/tapestrel"));
        QFile::link(QStringLiteral("../lib/tapestrel/tapestrel"), link());
        QFile::link(QStringLiteral("../../../var/lib/tapestrel/HKEY_LOCAL_MACHINE.reg"),
                    program() + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
    }
    static void writeProgram(const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    QString root() const { return dir.path(); }
    QString program() const { return root() + QStringLiteral("/usr/lib/tapestrel"); }
    QString executable() const { return program() + QStringLiteral("/tapestrel"); }
    QString bin() const { return root() + QStringLiteral("/usr/bin"); }
    QString link() const { return bin() + QStringLiteral("/tapestrel"); }
    QString other() const { return root() + QStringLiteral("/opt/other"); }
    QString data() const { return root() + QStringLiteral("/var/lib/tapestrel"); }

    QTemporaryDir dir;
};

TEST(Folders, TheStartedProgramIsThePathTheUserRanWhileItLeadsToTheProgram) {
    Installed in;
    const QString path = in.other() + u':' + in.bin();
    const struct {
        const char* what;
        QString argument, working, searchPath, expected;
    } cases[] = {
        {"the link, by its full path", in.link(), in.root(), path, in.link()},
        {"the link, from its folder", QStringLiteral("./tapestrel"), in.bin(), path, in.link()},
        {"the link, by a path with dots", QStringLiteral("usr/bin/../bin/tapestrel"), in.root(),
         path, in.link()},
        {"the name, found on the search path past another program", QStringLiteral("tapestrel"),
         in.root(), in.bin(), in.link()},
        {"the name, where the search path has another program first", QStringLiteral("tapestrel"),
         in.root(), path, in.executable()},
        {"the name, in the working folder for an empty entry", QStringLiteral("tapestrel"),
         in.bin(), QStringLiteral(":/nonexistent"), in.link()},
        {"the program itself", in.executable(), in.root(), path, in.executable()},
        {"another program", in.other() + QStringLiteral("/tapestrel"), in.root(), path,
         in.executable()},
        {"a path that leads nowhere", QStringLiteral("/nonexistent/tapestrel"), in.root(), path,
         in.executable()},
        {"no argument", QString(), in.root(), path, in.executable()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(startedProgramPath(c.argument, c.working, c.searchPath, in.executable()),
                  c.expected)
            << c.what;
}

TEST(Folders, TheMachineSettingsOfAnInstalledCopyLieWhereItsLinkLeads) {
    Installed in;
    // The link leads into a folder that has nothing in it yet.
    EXPECT_EQ(machineDataFolderOf(in.program()), QDir::cleanPath(in.data()));
    // A program folder with the file itself (a build) keeps it.
    QTemporaryDir plain;
    EXPECT_EQ(machineDataFolderOf(plain.path()), plain.path());
}

// The start-at-logon file names what the user started, a link included,
// so that the next logon runs the same command.
TEST(Folders, TheStartAtLogonFileNamesTheProgramThatWasStarted) {
    Installed in;
    FileRegistry::Locations where = FileRegistry::standardLocations(
        machineDataFolderOf(in.program()),
        startedProgramPath(QStringLiteral("tapestrel"), in.root(), in.bin(), in.executable()));
    where.currentUserFile = in.root() + QStringLiteral("/home/HKEY_CURRENT_USER.reg");
    where.autostartFile = in.root() + QStringLiteral("/home/autostart/Tapestrel.desktop");
    FileRegistry registry(where);
    ASSERT_EQ(registry.setValue(Hive::CurrentUser,
                                QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                                QStringLiteral("Tapestrel"),
                                u'"' + in.link() + QStringLiteral("\" -SILENT")),
              0);
    QFile entry(where.autostartFile);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains(("\nExec=\"" + in.link() + "\" -SILENT\n").toUtf8()));
}

// Replacing the machine settings of an installed copy writes the file the
// link leads to: the link stays, and nothing is written in the program's
// folder.
TEST(Folders, MachineSettingsAreWrittenThroughTheLinkNotOverIt) {
    Installed in;
    FileRegistry::Locations where =
        FileRegistry::standardLocations(machineDataFolderOf(in.program()), in.executable());
    where.currentUserFile = in.root() + QStringLiteral("/home/HKEY_CURRENT_USER.reg");
    where.autostartFile.clear();
    FileRegistry registry(where);
    const QStringList before = QDir(in.program()).entryList(QDir::AllEntries | QDir::System);
    for (const char* value : {"1", "2"})
        ASSERT_EQ(registry.setValue(Hive::LocalMachine, QStringLiteral("Software\\Orlevane"),
                                    QStringLiteral("A"), QString::fromLatin1(value)),
                  0);
    const QFileInfo link(in.program() + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
    EXPECT_TRUE(link.isSymLink());
    EXPECT_EQ(QDir(in.program()).entryList(QDir::AllEntries | QDir::System), before);
    QFile written(in.data() + QStringLiteral("/HKEY_LOCAL_MACHINE.reg"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("\"A\"=\"2\""));
}

} // namespace
