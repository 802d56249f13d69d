#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Runs the test case under way once more, in a process of its own: the same
// test executable, started through `launcher` when it is not empty (such as
// {"unshare", "-n"} for a network namespace of its own) and with
// `environment` added to this process's. The case tells which side it is on
// with `isRerun()`: the rerun does the work, the first run reports it.
struct RerunResult {
    bool started = false;
    bool passed = false;
    // The rerun skipped itself; its output says why.
    bool skipped = false;
    QString output;
};
RerunResult rerunThisTest(const QStringList& launcher, const QMap<QString, QString>& environment,
                          int timeoutMs = 90000);
bool isRerun();
