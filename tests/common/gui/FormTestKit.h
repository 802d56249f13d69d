#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Helpers for driving the program's windows as a user would.

// The control of a window by its objectName; fails the test when there is
// none of that type.
template <class T> T* control(const QObject* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
    return found;
}

// A menu item of a window (in its menu bar or any of its menus) by name.
QAction* findAction(const QObject* window, const QString& name);
// Chooses an enabled menu item as a click would; fails the test when the
// item is missing or disabled.
void chooseMenuItem(const QObject* window, const QString& name);

// Clicks a button with the left mouse button.
void clickButton(QAbstractButton* button);

// The window as it is drawn now.
QImage windowImage(QWidget* window);

// Answers modal windows as they open. Each queued answer is given the next
// modal window that is shown, once its modal loop runs; a window that
// opens with no answer queued fails the test and is closed, so a test
// never hangs on a window nobody answers.
class ModalAnswerer final : public QObject {
public:
    using Answer = std::function<void(QWidget*)>;

    ModalAnswerer();
    ~ModalAnswerer() override;

    // Queues an answer for the next modal window.
    void next(Answer answer);
    // Queues an answer for the next modal window, which must be of type Form.
    template <class Form> void next(std::function<void(Form*)> answer) {
        next([answer](QWidget* w) {
            auto* form = qobject_cast<Form*>(w);
            ASSERT_NE(form, nullptr) << "another window opened: " << w->metaObject()->className();
            answer(form);
        });
    }
    // The answers not yet used.
    qsizetype pending() const { return answers_.size(); }
    // The objectNames of the modal windows seen, in order.
    QStringList opened;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<Answer> answers_;
};

// Runs the event loop until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

// A test that ended the program through QCoreApplication::exit without
// the application's loop running leaves every later loop told to quit at
// once (a modal window would close as it opens). This clears that, as a
// new process has it.
void clearQuitRequest();
