#include "tests/common/RerunTest.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

const QString kRerunVariable = QStringLiteral("TAPESTREL_TEST_RERUN");

} // namespace

bool isRerun() {
    return qEnvironmentVariableIsSet("TAPESTREL_TEST_RERUN");
}

RerunResult rerunThisTest(const QStringList& launcher, const QMap<QString, QString>& environment,
                          int timeoutMs) {
    RerunResult result;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info)
        return result;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kRerunVariable, QStringLiteral("1"));
    for (auto i = environment.cbegin(); i != environment.cend(); ++i)
        env.insert(i.key(), i.value());
    QStringList arguments = launcher;
    arguments << QCoreApplication::applicationFilePath()
              << QStringLiteral("--gtest_filter=%1.%2")
                     .arg(QString::fromLatin1(info->test_suite_name()),
                          QString::fromLatin1(info->name()));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(arguments.takeFirst(), arguments);
    if (!child.waitForStarted(10000))
        return result;
    result.started = true;
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished(5000);
    }
    result.output = QString::fromLocal8Bit(child.readAll());
    result.skipped = result.output.contains(QStringLiteral("[  SKIPPED ]"));
    result.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                    result.output.contains(QStringLiteral("[  PASSED  ] 1 test"));
    return result;
}
