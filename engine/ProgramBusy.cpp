#include "engine/ProgramBusy.h"

#include "engine/ProgramState.h"

#include <QCoreApplication>

namespace {

constexpr qint64 kServeEveryMs = 40;

} // namespace

bool ProgramIsBusy() {
    return BusyWorkDepth > 0;
}

BusyWork::BusyWork() {
    ++BusyWorkDepth;
    sinceServed_.start();
}

BusyWork::~BusyWork() {
    --BusyWorkDepth;
}

void BusyWork::serveEvents() {
    if (sinceServed_.elapsed() < kServeEveryMs)
        return;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceServed_.restart();
}
