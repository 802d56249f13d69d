#include "gui/StartUp.h"

#include "engine/DisplayEntry.h"
#include "engine/ErrorWindow.h"
#include "engine/INIFuncs.h"
#include "engine/Internet.h"
#include "engine/LifeLog.h"
#include "engine/ListIndex.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/MainForm.h"
#include "gui/forms/frmEndProg.h"
#include "gui/forms/frmSplash.h"
#include "platform/Clock.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Signals are only noted in the handler; the byte wakes the event loop,
// which runs the stop where it is safe to.
int signalPipe[2] = {-1, -1};

void noteSignal(int) {
    const char byte = 1;
    const int saved = errno;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

int currentSecond() {
    return services().clock->now().time().second();
}

// What the session keeps of a run: the list, the start-at-logon value as
// the user chose it, and the settings.
void saveSession() {
    ActiveMagicList.Save();
    UpdateStartAtLogon();
    Options.ActiveList = ActiveMagicList.GetFilePath();
    SaveOptions();
}

// From here on nobody may be there to answer: what fails goes to standard
// error, and each settings file that fails is told again, once.
void beginUnattended() {
    if (ThisRun.unattended)
        return;
    ThisRun.unattended = true;
    ThisRun.userHiveFailureReported = false;
    ThisRun.machineHiveFailureReported = false;
}

// Runs when the process ends through exit() without the program's own
// stop, as Qt does when the connection to the X server breaks. Plain file
// writes only.
void saveOnTheWayOut() {
    if (ThisRun.ending || !MainForm)
        return;
    ThisRun.ending = true;
    beginUnattended();
    saveSession();
    qCInfo(lcLife) << "saved on the way out";
}

// EndProgram after its question: the Run value, the drop window, the
// settings and the main form, then `quit` ends the event loop.
void finishProgram(void (*quit)() = [] { QCoreApplication::quit(); }) {
    ThisRun.ending = true;
    // The box may have been ticked again after a start without restart.
    UpdateStartAtLogon();
    if (DropWindow)
        delete DropWindow.data();
    Options.ActiveList = ActiveMagicList.GetFilePath();
    SaveOptions();
    if (MainForm) {
        MainForm->Form_Unload();
        // The exit may come from the form's own menu or from inside one of
        // its ticks: it goes once they have returned.
        MainForm->deleteLater();
        MainForm = nullptr;
    }
    if (SingleInstance* instance = services().instance)
        instance->release();
    qCInfo(lcLife) << "ended";
    // A signal can come in the middle of a question: the window goes, and
    // the code that waited for it finds the program ending.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isModal() && w->isVisible())
            w->hide();
    }
    quit();
}

// Logout and signals: everything Exit does, without asking and without
// waiting for anyone. What could not be saved is on standard error, and
// the program's status says so.
void endWithoutQuestion() {
    if (ThisRun.ending)
        return;
    if (!MainForm) {
        // Nothing is loaded yet, so nothing can be lost by waiting.
        ThisRun.endPending = true;
        return;
    }
    beginUnattended();
    ActiveMagicList.Save();
    finishProgram([] { QCoreApplication::exit(ThisRun.unattendedReports > 0 ? 1 : 0); });
}

} // namespace

bool ProgramEnding() {
    return ThisRun.ending;
}

bool isSilentStart(const QStringList& arguments) {
    return arguments.join(u' ').toUpper() == QStringLiteral("-SILENT");
}

bool splashTimeIsUp(int16_t& startSecond, int second) {
    if (second < startSecond)
        startSecond -= 60;
    return second - 3 > startSecond;
}

void waitOutSplash(int16_t startSecond) {
    // The clock is only read again when something happens, so a timer makes
    // sure something does.
    QTimer wake;
    wake.start(100);
    while (!ThisRun.ending && !splashTimeIsUp(startSecond, currentSecond()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

frmMain* createMainForm() {
    auto* form = new frmMain;
    QObject::connect(form, &frmMain::exitChosen, form, [] { EndProgram(true); });
    return form;
}

bool Main(const QStringList& arguments) {
    if (SingleInstance* instance = services().instance) {
        if (!instance->claim({mainmsg::TrayCallback, 0, mainmsg::ShowPanelParam})) {
            qCInfo(lcLife) << "a copy already runs; handed over";
            return false;
        }
    }
    // Only noted here: the state is read from what the system already knows.
    InternetState = IsInternetConnected();
    LoadOptions();

    bool silent = isSilentStart(arguments);
    QPointer<frmSplash> splash;
    bool splashShown = false;
    int16_t startSecond = 0;
    if (!silent) {
        splash = new frmSplash;
        splash->show();
        splash->repaint();
        startSecond = static_cast<int16_t>(currentSecond());
        splashShown = true;
    }

    delete MainForm;
    MainForm = createMainForm();
    BackgroundColors = clsBackGroundColors();
    ActiveMagicList = clsMagicList();

    BuildMagicListIndex();
    LoadActiveMagicList();
    MainForm->Form_Load();
    if (ThisRun.endPending) {
        delete splash.data();
        endWithoutQuestion();
        return false;
    }

    const int16_t n = ActiveMagicList.GetCount();
    if (n > 0) {
        int16_t index = ActiveMagicList.GetActiveEntry();
        if (ActiveMagicList.IsTimeToAutoUpdate(Options.LastUpdateTime))
            index = neighbourEntry(index, n, 1);
        bool stamp = true;
        DisplayListEntry(ActiveMagicList, index, stamp);
    } else if (Options.ShowEmptyDialog) {
        // An empty list opens the panel even on a start for the tray.
        silent = false;
    }

    if (splashShown && !ThisRun.ending)
        waitOutSplash(startSecond);
    if (splash) {
        splash->hide();
        delete splash.data();
    }
    if (ThisRun.ending)
        return false;

    qCInfo(lcLife) << "started";
    if (!silent)
        MainForm->ShowControlPanel();
    return true;
}

void EndProgram(bool askFirst) {
    if (ThisRun.ending)
        return;
    ActiveMagicList.Save();
    if (askFirst) {
        frmEndProg question;
        question.exec();
        // A logout or a signal may have ended the program meanwhile.
        if (ThisRun.ending || question.Cancelled)
            return;
    }
    finishProgram();
}

void EndProgramForInstaller() {
    if (ThisRun.ending)
        return;
    finishProgram([] { services().launcher->endThisProgram(); });
}

void installSessionEndHandlers() {
    if (signalPipe[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
            return;
        auto* notifier =
            new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
            char bytes[16];
            while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            qCInfo(lcLife) << "asked to stop";
            endWithoutQuestion();
        });
        struct sigaction action = {};
        action.sa_handler = noteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
        // The terminal or the session that started the program has gone.
        sigaction(SIGHUP, &action, nullptr);
        // A peer that went away (the X server, a later copy) is an error
        // on the write, not the end of the program.
        std::signal(SIGPIPE, SIG_IGN);
        std::atexit(saveOnTheWayOut);
    }
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The session manager asks for the data before it ends the session;
        // whatever ends the program afterwards, nothing is lost. It is never
        // to bring the program back itself: the start-at-logon entry is the
        // one way in at logon, with its switch, and only while the user
        // wants it.
        QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                         [](QSessionManager& manager) {
                             manager.setRestartHint(QSessionManager::RestartNever);
                             if (ThisRun.ending || !MainForm)
                                 return;
                             // The session is going: nobody waits for a window.
                             beginUnattended();
                             saveSession();
                             ThisRun.unattended = false;
                         });
        QObject::connect(app, &QGuiApplication::saveStateRequest, app,
                         [](QSessionManager& manager) {
                             manager.setRestartHint(QSessionManager::RestartNever);
                         });
    }
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     QCoreApplication::instance(), [] { endWithoutQuestion(); });
}
