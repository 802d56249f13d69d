#pragma once

#include "engine/ErrorWindow.h"

// The error window the program shows: frmError, with OK (and Cancel for
// an odd buttons code) for a message, Yes and No (and Cancel) for a
// question.
class ErrorWindowForm final : public ErrorPresenter {
public:
    void showMessage(const QString& message, int16_t buttons, const QString& title) override;
    int16_t askQuestion(const QString& message, const QString& question, int16_t buttons,
                        const QString& title) override;
};

// Makes frmError the program's error window (setErrorWindow).
void useErrorWindowForm();
