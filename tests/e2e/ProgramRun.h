#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <memory>

// How long a test waits for the program it started (a start under a
// virtual X server takes a while).
constexpr int kProgramWaitMs = 10000;

// One user's world for the program: a home of its own with a documents
// folder, a private runtime folder, and a program folder holding a copy of
// the built program. Copies started in it talk to the X display of the
// test and to nothing else (no session bus, no desktop settings).
class ProgramWorld {
public:
    ProgramWorld();

    bool ok() const { return root_.isValid() && !program_.isEmpty(); }
    QString home() const { return root_.path() + QStringLiteral("/home"); }
    QString documents() const { return home() + QStringLiteral("/Documents"); }
    QString privateLists() const { return documents() + QStringLiteral("/My Magic Lists/"); }
    QString programFolder() const { return root_.path() + QStringLiteral("/prog"); }
    QString userHive() const {
        return home() + QStringLiteral("/.config/Tapestrel/HKEY_CURRENT_USER.reg");
    }
    QString program() const { return program_; }
    // Copies are started through this path instead (an installed program).
    void useProgram(const QString& path) { program_ = path; }
    QProcessEnvironment environment() const;
    // Lays the built program's sample pictures beside the copy, as the
    // build lays them beside the program; their paths in the order an
    // empty list takes them. Empty when there are none.
    QStringList addSamples() const;

    // The X display copies are started on; empty for the test's own.
    QString display;
    // The session manager copies register with (SESSION_MANAGER); empty
    // for none.
    QString sessionManager;
    // More variables for the copies' environment.
    QMap<QString, QString> extraEnvironment;

private:
    QTemporaryDir root_;
    QString program_;
};

// One running copy; its standard error is collected as it comes.
class ProgramRun {
public:
    ProgramRun(const ProgramWorld& world, const QStringList& arguments);
    // Started through `program` (a link to the world's copy, say).
    ProgramRun(const ProgramWorld& world, const QString& program, const QStringList& arguments);
    ~ProgramRun();

    // Serves events until the copy has written `text`, or `ms` have passed.
    bool waitForLog(const QString& text, int ms = kProgramWaitMs);
    // Waits for the copy to end by itself; false if it is still running.
    bool waitForEnd(int ms = kProgramWaitMs);
    void signal(int number);
    int exitCode() const { return process_.exitCode(); }
    bool crashed() const { return process_.exitStatus() != QProcess::NormalExit; }
    QString log() const { return log_; }

private:
    QProcess process_;
    QString log_;
};

// An X server of the test's own, which the test can take away while a
// copy of the program is on it.
class OwnDisplay {
public:
    OwnDisplay();
    ~OwnDisplay();
    OwnDisplay(const OwnDisplay&) = delete;
    OwnDisplay& operator=(const OwnDisplay&) = delete;

    // ":n", or empty when no server could be started.
    QString name() const { return name_; }
    // Ends the server, as when the display goes away under a session.
    void end();

private:
    QProcess server_;
    QString name_;
};

// Whether a hive file holds `"name"="value"`.
bool hiveHas(const QString& hiveFile, const QString& name, const QString& value);
