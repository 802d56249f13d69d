#include "tests/xvfb/OwnXvfb.h"

#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <X11/Xlib.h>

#include "tests/common/EndProcess.h"

OwnXvfb::OwnXvfb(QSize size) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
        why_ = QStringLiteral("Xvfb is not installed");
        return;
    }
    // A display number nobody holds.
    int number = 140;
    while (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) && number < 400)
        ++number;
    const QString display = QStringLiteral(":%1").arg(number);
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.start(QStringLiteral("Xvfb"),
                  {display, QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                   QStringLiteral("-noreset"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_.waitForStarted(5000)) {
        why_ = QStringLiteral("Xvfb did not start");
        return;
    }
    const QByteArray name = display.toLocal8Bit();
    for (int i = 0; i < 100 && server_.state() == QProcess::Running; ++i) {
        if (Display* d = XOpenDisplay(name.constData())) {
            XCloseDisplay(d);
            display_ = display;
            return;
        }
        QThread::msleep(50);
    }
    why_ = QStringLiteral("Xvfb did not take connections on %1").arg(display);
}

OwnXvfb::~OwnXvfb() {
    endProcess(server_);
}

QString OwnXvfb::xrandr(const QStringList& arguments) const {
    if (QStandardPaths::findExecutable(QStringLiteral("xrandr")).isEmpty())
        return QStringLiteral("xrandr is not installed");
    QProcess tool;
    tool.start(QStringLiteral("xrandr"), QStringList{QStringLiteral("-d"), display_} + arguments);
    if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0)
        return QStringLiteral("xrandr %1 failed: %2")
            .arg(arguments.join(u' '), QString::fromLocal8Bit(tool.readAllStandardError()));
    return {};
}
