#include "tests/common/TestEnvironment.h"

#include "engine/FileRoutines.h"
#include "engine/INIFuncs.h"
#include "engine/Options.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnvironment::TestEnvironment() : saved_(services()) {
    const QString base = root.path();
    folders.program = base + QStringLiteral("/program");
    folders.programFile = folders.program + QStringLiteral("/tapestrel");
    folders.documents = base + QStringLiteral("/home/Documents");
    folders.cache = base + QStringLiteral("/home/.cache");
    folders.temp = base + QStringLiteral("/tmp");
    folders.runtime = base + QStringLiteral("/run");
    for (const QString& f :
         {folders.program, folders.documents, folders.cache, folders.temp, folders.runtime})
        QDir().mkpath(f);

    Services& s = services();
    s.clock = &clock;
    s.random = &random;
    s.registry = &registry;
    s.screen = &screen;
    s.beeper = &beeper;
    s.folders = &folders;
    s.drives = &drives;
    s.shell = &shell;
    setErrorPresenter(&errors);
    resetWriteAccessProbe();
    resetRegistryFailureReports();
    Options = OptionsRecord{};
    Options.PrivateMagicListPath = folders.documents + QStringLiteral("/My Magic Lists/");
    Options.PublicMagicListPath = folders.program + QStringLiteral("/Magic Lists/");
    Options.PublicImagesPath = folders.program + QStringLiteral("/Images/");
    Options.ListExtension = QStringLiteral("MLS");
    Options.LastUpdateTime = makeDateTime(2000, 1, 1, 12, 0, 0);
    Options.LastUpdate = Options.LastUpdateTime;
}

TestEnvironment::~TestEnvironment() {
    setErrorPresenter(nullptr);
    resetWriteAccessProbe();
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
