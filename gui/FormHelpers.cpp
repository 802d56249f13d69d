#include "gui/FormHelpers.h"

#include "platform/Screen.h"
#include "platform/Services.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QLocale>
#include <QWidget>

void CenterForm(QWidget* form, int16_t mode) {
    if (mode != 1)
        return;
    const Screen& screen = *services().screen;
    const QSize size = form->frameGeometry().size();
    const double left = (screen.widthPixels() - size.width()) / 2.0;
    const double top = (screen.heightPixels() - size.height()) / 2.0;
    form->move(static_cast<int>(left), static_cast<int>(top));
}

QChar decimalSeparator() {
    const QString text = QLocale::system().toString(2.5, 'f', 2);
    return text.size() > 1 ? text[1] : QChar(u'.');
}

int16_t FilterNumericKey(QLineEdit* textBox, int16_t& keyAscii, int16_t maxIntegerDigits,
                         int16_t maxDecimalDigits) {
    const int16_t k = keyAscii;
    const QChar ds = decimalSeparator();
    const QString text = textBox->text();
    const int selStart =
        textBox->hasSelectedText() ? textBox->selectionStart() : textBox->cursorPosition();
    const int selLength =
        textBox->hasSelectedText() ? static_cast<int>(textBox->selectedText().size()) : 0;

    if (k < 31) {
        if (k == 13) {
            keyAscii = 0;
            return 0;
        }
        if (k != 8)
            return k;
    } else {
        if (k >= 58 || (k >= 33 && k <= 47 && QChar(k) != ds))
            return 0;
        if (QChar(k) == ds) {
            if (maxDecimalDigits != -1 && maxDecimalDigits < 1)
                return 0;
            if (text.contains(ds))
                return textBox->selectedText().contains(ds) ? k : int16_t(0);
        }
    }

    QString after = text;
    int caret = selStart;
    if (selLength > 0) {
        after.remove(selStart, selLength);
    } else if (k == 8 && caret > 0) {
        after.remove(caret - 1, 1);
        --caret;
    }
    if (k != 8)
        after.insert(caret, QChar(k));

    const qsizetype point = after.indexOf(ds);
    const qsizetype integerDigits = point < 0 ? after.size() : point;
    const qsizetype decimalDigits = point < 0 ? 0 : after.size() - point - 1;
    const bool integerOk = maxIntegerDigits == -1 || integerDigits <= maxIntegerDigits;
    const bool decimalOk = maxDecimalDigits == -1 || decimalDigits <= maxDecimalDigits;
    return integerOk && decimalOk ? k : int16_t(0);
}

QString FitTextToControl(QWidget* control, const QString& text) {
    control->setProperty("Tag", text);
    const int width = static_cast<int>(control->width() * 0.96);
    const QFontMetrics metrics(control->font());
    QString shortened = text;
    if (metrics.horizontalAdvance(text) > width) {
        // Keep the last path component whole and cut the folders in the middle.
        const qsizetype cut = text.lastIndexOf(u'/');
        const QString tail = cut >= 0 ? text.mid(cut) : QString();
        QString head = cut >= 0 ? text.left(cut) : text;
        const QString ellipsis = QStringLiteral("...");
        shortened = head + ellipsis + tail;
        while (!head.isEmpty() && metrics.horizontalAdvance(shortened) > width) {
            head.chop(1);
            shortened = head + ellipsis + tail;
        }
        if (metrics.horizontalAdvance(shortened) > width)
            shortened = metrics.elidedText(ellipsis + tail, Qt::ElideRight, width);
    }
    if (shortened != text)
        control->setToolTip(text);
    return shortened;
}
