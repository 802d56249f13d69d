#include "editors/TextBoxEvents.h"

#include "engine/forms/FormKit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

TextBoxEvents::TextBoxEvents(QLineEdit* box) : QObject(box), box_(box) {
    box->installEventFilter(this);
}

bool TextBoxEvents::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (gotFocus)
            kit::guarded(gotFocus);
        return false;
    case QEvent::FocusOut:
        if (lostFocus)
            kit::guarded(lostFocus);
        return false;
    case QEvent::KeyPress: {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!keyPress || text.isEmpty())
            return false;
        // Character codes as the forms know them: one byte; anything
        // beyond Latin-1 reads as "?".
        const char16_t c = text.front().unicode();
        int16_t keyAscii = static_cast<int16_t>(c <= 0xFF ? c : u'?');
        bool refused = false;
        kit::guarded([&] {
            keyPress(keyAscii);
            refused = keyAscii == 0;
        });
        return refused;
    }
    default:
        return false;
    }
}

void selectWholeText(QLineEdit* box) {
    box->selectAll();
    QTimer::singleShot(0, box, [box = QPointer<QLineEdit>(box)] {
        if (box && box->hasFocus())
            box->selectAll();
    });
}
