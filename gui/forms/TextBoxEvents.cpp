#include "gui/forms/TextBoxEvents.h"

#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace kit {

TextBoxEvents::TextBoxEvents(QLineEdit* box, std::optional<DigitLimits> digits, EnterKey enter)
    : QObject(box), box_(box), digits_(digits), enter_(enter) {
    box->installEventFilter(this);
}

bool TextBoxEvents::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        selectWholeText(box_);
        return false;
    case QEvent::FocusOut:
        if (lostFocus)
            guarded(lostFocus);
        return false;
    case QEvent::KeyPress:
        return refuses(*static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

bool TextBoxEvents::refuses(const QKeyEvent& key) const {
    if (!digits_)
        return false;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    int16_t keyAscii = 0;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        if (enter_ == EnterKey::ToDialog)
            return false;
        keyAscii = 13;
    } else {
        const QString text = key.text();
        if (text.isEmpty() || key.key() == Qt::Key_Delete || text.front() == QChar(0x7F))
            return false;
        // Character codes as the forms know them: one byte; anything
        // beyond Latin-1 reads as "?".
        const char16_t c = text.front().unicode();
        keyAscii = static_cast<int16_t>(c <= 0xFF ? c : u'?');
    }
    int16_t kept = 0;
    guarded([&] {
        kept = FilterNumericKey(box_, keyAscii, digits_->integerDigits, digits_->decimalDigits);
    });
    return kept == 0;
}

void selectWholeText(QLineEdit* box) {
    box->selectAll();
    QTimer::singleShot(0, box, [box = QPointer<QLineEdit>(box)] {
        if (box && box->hasFocus())
            box->selectAll();
    });
}

} // namespace kit
