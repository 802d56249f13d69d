#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs a helper program and waits for it, with a time limit.
class ProcessRunner {
public:
    struct Result {
        int exitCode = -1; // -1: could not start, crashed or timed out
        QByteArray output; // standard output
        QByteArray errors; // standard error
    };
    virtual ~ProcessRunner() = default;
    virtual Result run(const QString& program, const QStringList& arguments,
                       int timeoutMs = 10000) = 0;
    // Whether the program can be found on PATH.
    virtual bool available(const QString& program) const = 0;

    // Runs the program and gives an empty text when it succeeded, else what
    // to tell the user: the command and what it said on standard error.
    // The standard output goes to `output` when one is given.
    QString runChecked(const QString& program, const QStringList& arguments,
                       QByteArray* output = nullptr, int timeoutMs = 10000);
};

class SystemProcessRunner final : public ProcessRunner {
public:
    Result run(const QString& program, const QStringList& arguments, int timeoutMs) override;
    bool available(const QString& program) const override;
};
