#include "gui/ErrorWindowForm.h"

#include "gui/forms/frmError.h"

#include <QLabel>
#include <QPushButton>

namespace {

bool isOdd(int16_t buttons) {
    return (buttons & 1) != 0;
}

QString captionFor(const QString& title) {
    return QStringLiteral("Tapestrel: ") + title;
}

} // namespace

void useErrorWindowForm() {
    static ErrorWindowForm form;
    setErrorWindow(&form);
}

void ErrorWindowForm::showMessage(const QString& message, int16_t buttons, const QString& title) {
    frmError form(false);
    form.lblError->setText(message);
    form.lblQuestion->hide();
    if (!isOdd(buttons))
        form.cmdCancel->hide();
    if (!title.isEmpty())
        form.setWindowTitle(captionFor(title));
    form.exec();
}

int16_t ErrorWindowForm::askQuestion(const QString& message, const QString& question,
                                     int16_t buttons, const QString& title) {
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
