#include "engine/ErrorWindow.h"

#include <cstdio>

namespace {

// Without windows nobody can answer: the message is written where a
// person who started the program can read it.
class StandardErrorOutput final : public ErrorPresenter {
public:
    void showMessage(const QString& message, int16_t, const QString&) override {
        std::fprintf(stderr, "Tapestrel: %s\n", qPrintable(message));
    }
    int16_t askQuestion(const QString& message, const QString& question, int16_t,
                        const QString&) override {
        std::fprintf(stderr, "Tapestrel: %s %s\n", qPrintable(message), qPrintable(question));
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

} // namespace

void setErrorPresenter(ErrorPresenter* presenter) {
    installed = presenter;
}

void setErrorWindow(ErrorPresenter* presenter) {
    window = presenter;
}

void ShowErrorMessage(const QString& message, int16_t buttons, const QString& title) {
    presenter().showMessage(message, buttons, title);
}

int16_t AskErrorQuestion(const QString& message, const QString& question, int16_t buttons,
                         const QString& title) {
    return presenter().askQuestion(message, question, buttons, title);
}
