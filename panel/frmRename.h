#pragma once

#include "gui/forms/FormKit.h"

#include <QString>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the name of a picture: an entry's display name (the caller sets
// NewName), or the name under which a dropped picture is kept (the caller
// sets ImagePath; the dialog proposes the file's own name and takes only
// names that can be a file name). The caller reads Cancelled and, when it
// is False, NewName.
class frmRename : public FormDialog {
    Q_OBJECT
public:
    explicit frmRename(QWidget* parent = nullptr);

    bool Cancelled = true;
    QString ImagePath;
    QString NewName;

    QLabel* lblQuestion;
    QLineEdit* txtName;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    void txtName_GotFocus();
    void txtName_KeyPress(int16_t& KeyAscii);
    void cmdOK_Click();
    void cmdCancel_Click();

    // True while the dialog names a dropped picture's file.
    bool fileNameMode() const { return fileNameMode_; }

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A pasted text must pass the same check as typed keys.
    void txtName_Edited(const QString& text);

    bool fileNameMode_ = false;
    QString acceptedText_;
};

// Whether a character may be typed into a picture's file name: not one of
// \ / : * ? < > | nor the full stop (the extension stays), nor a control
// character.
bool fileNameCharAllowed(QChar c);
// Whether every character of the text may be typed into a file name.
bool isFileNameText(const QString& text);
// Whether the text can name a file in the copy folder and nowhere else: no
// separator, no ".", none of : * ? < > |, no control character. A single
// full stop (in a proposed name) is fine.
bool isSafeFileName(const QString& text);
