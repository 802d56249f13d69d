#include "platform/ProcessRunner.h"

#include <QProcess>
#include <QStandardPaths>

ProcessRunner::Result SystemProcessRunner::run(const QString& program, const QStringList& arguments,
                                               int timeoutMs) {
    Result result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return result;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return result;
    }
    result.output = process.readAllStandardOutput();
    result.errors = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}

bool SystemProcessRunner::available(const QString& program) const {
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QString ProcessRunner::runChecked(const QString& program, const QStringList& arguments,
                                  QByteArray* output, int timeoutMs) {
    const Result result = run(program, arguments, timeoutMs);
    if (result.exitCode != 0) {
        const QString said = QString::fromLocal8Bit(result.errors).trimmed();
        return QStringLiteral("\"%1 %2\" failed%3")
            .arg(program, arguments.join(u' '),
                 said.isEmpty() ? QString() : QStringLiteral(": ") + said);
    }
    if (output)
        *output = result.output;
    return {};
}
