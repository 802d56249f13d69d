#pragma once

#include "engine/ErrorWindow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Records every error window the code asks for and answers questions from
// a queue (`otherwise` when the queue is empty, No unless a test says). A
// test can act while a question is open, as the minute timer and the tray
// can: `duringQuestion` runs after the question is recorded, before it is
// answered.
class ScriptedErrorPresenter final : public ErrorPresenter {
public:
    struct Call {
        QString message;
        QString question; // empty for a plain message
        int16_t buttons;
        QString title;
        bool isQuestion;
    };

    void showMessage(const QString& message, int16_t buttons, const QString& title) override {
        calls.append(Call{message, QString(), buttons, title, false});
    }
    int16_t askQuestion(const QString& message, const QString& question, int16_t buttons,
                        const QString& title) override {
        calls.append(Call{message, question, buttons, title, true});
        if (duringQuestion)
            duringQuestion();
        return answers.isEmpty() ? otherwise : answers.takeFirst();
    }

    QStringList messages() const {
        QStringList out;
        for (const Call& c : calls)
            out << c.message;
        return out;
    }

    qsizetype questions() const {
        qsizetype n = 0;
        for (const Call& c : calls)
            n += c.isQuestion ? 1 : 0;
        return n;
    }

    QList<Call> calls;
    QList<int16_t> answers;
    int16_t otherwise = answer::No;
    std::function<void()> duringQuestion;
};
