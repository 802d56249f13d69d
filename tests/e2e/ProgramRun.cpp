#include "tests/e2e/ProgramRun.h"

#include "tests/common/EndProcess.h"
#include "tests/common/gui/FormTestKit.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <functional>
#include <sys/types.h>

ProgramWorld::ProgramWorld() {
    if (!root_.isValid())
        return;
    for (const QString& f : {documents(), programFolder(), root_.path() + QStringLiteral("/run")})
        QDir().mkpath(f);
    QFile::setPermissions(root_.path() + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString copy = programFolder() + QStringLiteral("/tapestrel");
    if (QFile::copy(QStringLiteral(TAPESTREL_PROGRAM), copy))
        program_ = copy;
}

QStringList ProgramWorld::addSamples() const {
    const QDir built(QFileInfo(QStringLiteral(TAPESTREL_PROGRAM)).path() +
                     QStringLiteral("/Images/Samples"));
    const QString target = programFolder() + QStringLiteral("/Images/Samples/");
    QDir().mkpath(target);
    QStringList paths;
    for (const QString& name : built.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (!QFile::copy(built.filePath(name), target + name))
            return {};
        paths << target + name;
    }
    return paths;
}

QProcessEnvironment ProgramWorld::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                             "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE", "DESKTOP_SESSION",
                             "WAYLAND_DISPLAY", "GSETTINGS_BACKEND", "SESSION_MANAGER"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), home());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root_.path() + QStringLiteral("/run"));
    // No bus: the tray then has no host, and nothing is started on demand.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
               QStringLiteral("unix:path=") + root_.path() + QStringLiteral("/no-bus"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("tapestrel.life.info=true"));
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    if (!sessionManager.isEmpty())
        env.insert(QStringLiteral("SESSION_MANAGER"), sessionManager);
    for (auto it = extraEnvironment.begin(); it != extraEnvironment.end(); ++it)
        env.insert(it.key(), it.value());
    return env;
}

ProgramRun::ProgramRun(const ProgramWorld& world, const QStringList& arguments)
    : ProgramRun(world, world.program(), arguments) {}

ProgramRun::ProgramRun(const ProgramWorld& world, const QString& program,
                       const QStringList& arguments) {
    process_.setProcessEnvironment(world.environment());
    process_.setWorkingDirectory(world.home());
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    QObject::connect(&process_, &QProcess::readyReadStandardError,
                     [this] { log_ += QString::fromLocal8Bit(process_.readAllStandardError()); });
    process_.start(program, arguments);
    process_.waitForStarted(5000);
}

ProgramRun::~ProgramRun() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished(5000);
}

bool ProgramRun::waitForLog(const QString& text, int ms) {
    return waitFor([&] { return log_.contains(text); }, ms);
}

bool ProgramRun::waitForEnd(int ms) {
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(ms))
        return false;
    log_ += QString::fromLocal8Bit(process_.readAllStandardError());
    return true;
}

void ProgramRun::signal(int number) {
    if (process_.processId() > 0)
        ::kill(static_cast<pid_t>(process_.processId()), number);
}

OwnDisplay::OwnDisplay() {
    // The server picks a free display number and writes it out.
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("640x480x24"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp")});
    if (!server_.waitForStarted(5000))
        return;
    QDeadlineTimer deadline(10000);
    while (!server_.canReadLine() && !deadline.hasExpired())
        server_.waitForReadyRead(100);
    const QByteArray number = server_.readLine().trimmed();
    if (!number.isEmpty())
        name_ = u':' + QString::fromLatin1(number);
}

OwnDisplay::~OwnDisplay() {
    end();
}

void OwnDisplay::end() {
    endProcess(server_);
}

bool hiveHas(const QString& hiveFile, const QString& name, const QString& value) {
    QFile f(hiveFile);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QString escaped = value;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    const QString line = u'"' + name + QStringLiteral("\"=\"") + escaped + u'"';
    for (const QString& l : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (l.trimmed() == line)
            return true;
    }
    return false;
}
