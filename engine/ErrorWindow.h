#pragma once

#include <QString>
#include <cstdint>

// Answers of the error window.
namespace answer {
constexpr int16_t Closed = 0;
constexpr int16_t Cancel = 2;
constexpr int16_t Yes = 6;
constexpr int16_t No = 7;
} // namespace answer

// Shows a message with OK (and Cancel for an odd buttons code).
void ShowErrorMessage(const QString& message, int16_t buttons, const QString& title);
// Shows a message and a question; 6 Yes, 7 No, 2 Cancel, 0 closed otherwise.
int16_t AskErrorQuestion(const QString& message, const QString& question, int16_t buttons,
                         const QString& title);

// Who puts the error window up. The program uses frmError (installed by
// the windows' library with setErrorWindow); tests put in a presenter that
// records each call and answers from a script.
class ErrorPresenter {
public:
    virtual ~ErrorPresenter() = default;
    virtual void showMessage(const QString& message, int16_t buttons, const QString& title) = 0;
    virtual int16_t askQuestion(const QString& message, const QString& question, int16_t buttons,
                                const QString& title) = 0;
};

// Installs a presenter; nullptr restores the window.
void setErrorPresenter(ErrorPresenter* presenter);
// The program's error window. Until one is set (a program or a test
// without windows), a message goes to standard error and a question is
// answered as closed.
void setErrorWindow(ErrorPresenter* window);
