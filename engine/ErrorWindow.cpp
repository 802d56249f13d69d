#include "engine/ErrorWindow.h"

#include "engine/ProgramState.h"
#include "engine/forms/frmError.h"

#include <QLabel>
#include <QPushButton>

#include <cstdio>

namespace {

ErrorPresenter* installed = nullptr;

bool isOdd(int16_t buttons) {
    return (buttons & 1) != 0;
}

QString captionFor(const QString& title) {
    return QStringLiteral("Tapestrel: ") + title;
}

} // namespace

void setErrorPresenter(ErrorPresenter* presenter) {
    installed = presenter;
}

namespace {

// A window nobody answers would keep the program from ending.
bool toStandardError(const QString& message, const QString& question = QString()) {
    if (!ThisRun.unattended)
        return false;
    ++ThisRun.unattendedReports;
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    if (!question.isEmpty())
        text += u' ' + question;
    std::fprintf(stderr, "Tapestrel: %s\n", qPrintable(text));
    std::fflush(stderr);
    return true;
}

} // namespace

void ShowErrorMessage(const QString& message, int16_t buttons, const QString& title) {
    if (toStandardError(message))
        return;
    if (installed) {
        installed->showMessage(message, buttons, title);
        return;
    }
    frmError form(false);
    form.lblError->setText(message);
    form.lblQuestion->hide();
    if (!isOdd(buttons))
        form.cmdCancel->hide();
    if (!title.isEmpty())
        form.setWindowTitle(captionFor(title));
    form.exec();
}

int16_t AskErrorQuestion(const QString& message, const QString& question, int16_t buttons,
                         const QString& title) {
    if (toStandardError(message, question))
        return answer::Closed;
    if (installed)
        return installed->askQuestion(message, question, buttons, title);
    frmError form(true);
    form.lblError->setText(message);
    form.lblQuestion->setText(question);
    if (!isOdd(buttons)) {
        // Yes and No move down to the bottom of the column.
        form.cmdCancel->hide();
        form.placeButton(form.cmdYes, 2130);
        form.placeButton(form.cmdNo, 2625);
        form.cmdYes->setDefault(true);
        form.escapeButton = form.cmdNo;
    }
    if (!title.isEmpty())
        form.setWindowTitle(captionFor(title));
    form.exec();
    return form.MessageResult;
}
