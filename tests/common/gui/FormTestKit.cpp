#include "tests/common/gui/FormTestKit.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEvent>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

QAction* findAction(const QObject* window, const QString& name) {
    return window->findChild<QAction*>(name);
}

void chooseMenuItem(const QObject* window, const QString& name) {
    QAction* a = findAction(window, name);
    ASSERT_NE(a, nullptr) << "no menu item " << name.toStdString();
    ASSERT_TRUE(a->isEnabled()) << "menu item disabled: " << name.toStdString();
    a->trigger();
}

void clickButton(QAbstractButton* button) {
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

QImage windowImage(QWidget* window) {
    return window->grab().toImage();
}

ModalAnswerer::ModalAnswerer() {
    qApp->installEventFilter(this);
}

ModalAnswerer::~ModalAnswerer() {
    qApp->removeEventFilter(this);
}

void ModalAnswerer::next(Answer answer) {
    answers_.append(std::move(answer));
}

bool ModalAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    if (!w->isWindow() || !w->isModal())
        return false;
    opened << w->objectName();
    QPointer<QWidget> window(w);
    if (answers_.isEmpty()) {
        ADD_FAILURE() << "a modal window opened with no answer queued: "
                      << w->objectName().toStdString();
        QTimer::singleShot(0, w, [window] {
            if (window)
                window->hide();
        });
        return false;
    }
    Answer answer = answers_.takeFirst();
    // The answer runs inside the window's modal loop, as a user would.
    QTimer::singleShot(0, w, [window, answer] {
        if (window)
            answer(window);
    });
    return false;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

void clearQuitRequest() {
    // QCoreApplication::exec clears the request before and after its loop;
    // the application's signals are held so that nothing takes it for the
    // program's own end.
    const QSignalBlocker quiet(qApp);
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}
