#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Starts another program and leaves it running. The arguments are handed
// over as they are, without a shell, so blanks can't split them. Ends this
// one when another is to take its place.
class Launcher {
public:
    virtual ~Launcher() = default;
    // False when the program could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // Ends this program's event loop: the program ends once its caller
    // returns to it.
    virtual void endThisProgram() = 0;
};

class SystemLauncher final : public Launcher {
public:
    bool start(const QString& program, const QStringList& arguments) override;
    void endThisProgram() override;
};

// Notes what it is asked to start and answers as told; notes an end
// instead of ending.
class RecordingLauncher final : public Launcher {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };
    bool start(const QString& program, const QStringList& arguments) override {
        started.append(Start{program, arguments});
        return succeed;
    }
    void endThisProgram() override { ++ends; }
    QList<Start> started;
    bool succeed = true;
    int ends = 0;
};
