#include "tests/common/TestEnvironment.h"

#include "engine/FileRoutines.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnvironment::TestEnvironment() : saved_(services()) {
    const QString base = root.path();
    folders = FixedFolders::under(base);

    Services& s = services();
    s.clock = &clock;
    s.random = &random;
    s.registry = &registry;
    s.screen = &screen;
    s.beeper = &beeper;
    s.folders = &folders;
    s.drives = &drives;
    s.shell = &shell;
    s.launcher = &launcher;
    s.help = &help;
    s.fileDialog = &fileDialog;
    s.desktop = &desktop;
    setErrorPresenter(&errors);
    resetProgramState();
    setListFolders();
    Options.LastUpdateTime = makeDateTime(2000, 1, 1, 12, 0, 0);
    Options.LastUpdate = Options.LastUpdateTime;
}

TestEnvironment::~TestEnvironment() {
    setErrorPresenter(nullptr);
    resetProgramState();
    services() = saved_;
}

QString TestEnvironment::path(const QString& relative) const {
    return root.path() + u'/' + relative;
}

QString TestEnvironment::writeFile(const QString& relative, const QByteArray& bytes) const {
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return file;
}
