#include "panel/frmRename.h"

#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/MagicListCodec.h"
#include "platform/Beeper.h"
#include "platform/Services.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {

void beep() {
    services().beeper->beep();
}

} // namespace

bool fileNameCharAllowed(QChar c) {
    if (c.category() == QChar::Other_Control)
        return false;
    return !QStringLiteral("\\/:*?<>|.").contains(c);
}

bool isFileNameText(const QString& text) {
    return std::all_of(text.begin(), text.end(), fileNameCharAllowed);
}

bool isSafeFileName(const QString& text) {
    if (text.contains(QStringLiteral("..")))
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c == u'.' || fileNameCharAllowed(c); });
}

frmRename::frmRename(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmRename", QStringLiteral("Wallpaper Image File Name"));
    lblQuestion =
        kit::label(this, "lblQuestion", QStringLiteral("What would you like to name this image?"));
    txtName = kit::textBox(this, "txtName");
    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);

    lblQuestion->setGeometry(kit::twipsRect(240, 225, 4560, 255));
    txtName->setGeometry(kit::twipsRect(240, 570, 4560, 330));
    cmdOK->setGeometry(kit::twipsRect(2250, 1140, 1215, 375));
    cmdCancel->setGeometry(kit::twipsRect(3585, 1140, 1215, 375));
    setFixedSize(kit::px(5040), kit::pxY(1755));

    txtName->installEventFilter(this);
    kit::onCall(txtName, &QLineEdit::textEdited, this,
                [this](const QString& text) { txtName_Edited(text); });
    kit::on(cmdOK, &QPushButton::clicked, this, &frmRename::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmRename::cmdCancel_Click);
}

void frmRename::Form_Load() {
    Cancelled = true;
    fileNameMode_ = !ImagePath.isEmpty();
    if (fileNameMode_) {
        // The file's own name, without a trailing bracketed counter.
        QString folder, name, extension;
        MakeUniqueLabel(ImagePath, folder, name, extension, true);
        NewName = name;
    }
    txtName->setText(NewName);
    acceptedText_ = NewName;
    txtName->selectAll();
    txtName->setFocus();
}

bool frmRename::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtName) {
        if (event->type() == QEvent::FocusIn) {
            // The focus coming back from the box's own menu or from another
            // window is no move into the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                kit::guarded([this] { txtName_GotFocus(); });
        } else if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (text.size() == 1 && text[0].unicode() < 0x8000) {
                auto key = static_cast<int16_t>(text[0].unicode());
                kit::guarded([&] { txtName_KeyPress(key); });
                if (key == 0)
                    return true;
            }
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void frmRename::txtName_GotFocus() {
    // Coming back to the box starts again from the proposed name.
    txtName->setText(NewName);
    acceptedText_ = NewName;
    txtName->selectAll();
}

void frmRename::txtName_KeyPress(int16_t& KeyAscii) {
    if (!fileNameMode_ || KeyAscii < 32)
        return;
    if (!fileNameCharAllowed(QChar(KeyAscii))) {
        beep();
        KeyAscii = 0;
    }
}

void frmRename::txtName_Edited(const QString& text) {
    if (!fileNameMode_ || isFileNameText(text)) {
        acceptedText_ = text;
        return;
    }
    beep();
    const int cursor = txtName->cursorPosition();
    txtName->setText(acceptedText_);
    txtName->setCursorPosition(qMin(cursor, int(acceptedText_.size())));
}

void frmRename::cmdOK_Click() {
    const QString text = txtName->text();
    if (text.isEmpty() || (fileNameMode_ && !isSafeFileName(text))) {
        beep();
        return;
    }
    // A name the list file cannot hold would make every later save fail.
    if (!listfile::fitsInFile(text)) {
        ShowErrorMessage(listfile::tooLongMessage(text), 0, QString());
        return;
    }
    Cancelled = false;
    NewName = text;
    hide();
}

void frmRename::cmdCancel_Click() {
    Cancelled = true;
    hide();
}
