#pragma once

#include <QProcess>

// Ends a helper process the tests started (a server, a bus, a desktop):
// asked politely first, killed when it does not go within five seconds.
inline void endProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}
