#pragma once

#include "engine/ErrorWindow.h"

#include <QString>
#include <cstdio>

// The error window of the benchmarks and tools: nobody is there to click,
// so each message is printed to stderr and counted, and every question is
// answered No.
class PrintedErrors final : public ErrorPresenter {
public:
    void showMessage(const QString& message, int16_t, const QString&) override { note(message); }
    int16_t askQuestion(const QString& message, const QString&, int16_t, const QString&) override {
        note(message);
        return answer::No;
    }

    int count = 0;

private:
    void note(const QString& message) {
        ++count;
        std::fprintf(stderr, "error window: %s\n", qPrintable(message));
    }
};
