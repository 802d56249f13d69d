#include "engine/ErrorWindow.h"

#include "engine/RunFlags.h"

#include <cstdio>

namespace {

// One line on standard error, where a person who started the program can
// read it.
void writeToStandardError(const QString& message, const QString& question = QString()) {
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    if (!question.isEmpty())
        text += u' ' + question;
    std::fprintf(stderr, "Tapestrel: %s\n", qPrintable(text));
    std::fflush(stderr);
}

// Without windows nobody can answer: the message goes to standard error
// and a question is answered as closed.
class StandardErrorOutput final : public ErrorPresenter {
public:
    void showMessage(const QString& message, int16_t, const QString&) override {
        writeToStandardError(message);
    }
    int16_t askQuestion(const QString& message, const QString& question, int16_t,
                        const QString&) override {
        writeToStandardError(message, question);
        return answer::Closed;
    }
};

StandardErrorOutput standardErrorOutput;
ErrorPresenter* installed = nullptr;
ErrorPresenter* window = nullptr;

ErrorPresenter& presenter() {
    if (installed)
        return *installed;
    return window ? *window : standardErrorOutput;
}

// A window nobody answers would keep the program from ending.
bool toStandardError(const QString& message, const QString& question = QString()) {
    if (!ThisRun.unattended)
        return false;
    ++ThisRun.unattendedReports;
    writeToStandardError(message, question);
    return true;
}

} // namespace

void setErrorPresenter(ErrorPresenter* presenter) {
    installed = presenter;
}

void setErrorWindow(ErrorPresenter* presenter) {
    window = presenter;
}

void ShowErrorMessage(const QString& message, int16_t buttons, const QString& title) {
    if (toStandardError(message))
        return;
    presenter().showMessage(message, buttons, title);
}

int16_t AskErrorQuestion(const QString& message, const QString& question, int16_t buttons,
                         const QString& title) {
    if (toStandardError(message, question))
        return answer::Closed;
    return presenter().askQuestion(message, question, buttons, title);
}
