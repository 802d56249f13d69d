#pragma once

#include "platform/AtomicFile.h"

#include <QString>
#include <functional>

// The write seam for as long as the object lives: `atRename` runs just
// before a new content of `file` takes its name (what else is on disk at
// that moment shows the order of a command's steps), and a step chosen
// with `failAt` fails with that errno.
class WriteWatch {
public:
    explicit WriteWatch(QString file) : file_(std::move(file)) {
        setWriteFaultHook([this](const QString& path, WriteStep step) {
            if (path != file_)
                return 0;
            if (step == WriteStep::Rename && atRename)
                atRename();
            return step == failing_ ? error_ : 0;
        });
    }
    ~WriteWatch() { setWriteFaultHook({}); }
    WriteWatch(const WriteWatch&) = delete;
    WriteWatch& operator=(const WriteWatch&) = delete;

    void failAt(WriteStep step, int error) {
        failing_ = step;
        error_ = error;
    }
    void succeed() { error_ = 0; }

    std::function<void()> atRename;

private:
    QString file_;
    WriteStep failing_ = WriteStep::Rename;
    int error_ = 0;
};
