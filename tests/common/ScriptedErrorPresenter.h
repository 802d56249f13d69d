#pragma once

#include "engine/ErrorWindow.h"

#include <QList>
#include <QString>

// Records every error window the code asks for and answers questions from
// a queue (No when the queue is empty).
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
        return answers.isEmpty() ? answer::No : answers.takeFirst();
    }

    QStringList messages() const {
        QStringList out;
        for (const Call& c : calls)
            out << c.message;
        return out;
    }

    QList<Call> calls;
    QList<int16_t> answers;
};
