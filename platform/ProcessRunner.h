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

    // What to tell the user about a run that did not succeed: the command
    // and what it said on standard error.
    static QString failureText(const QString& program, const QStringList& arguments,
                               const Result& result);
};

class SystemProcessRunner final : public ProcessRunner {
public:
    Result run(const QString& program, const QStringList& arguments, int timeoutMs) override;
    bool available(const QString& program) const override;
};
