#include "gui/forms/frmError.h"

#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"
#include "platform/Beeper.h"
#include "platform/Services.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kButtonLeft = 3960;
constexpr int kButtonWidth = 990;
constexpr int kButtonHeight = 375;
constexpr int kFormWidth = 5205;
constexpr int kFormHeight = 3180;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmError::frmError(bool yesNoMode, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      YesNoMode(yesNoMode) {
    setObjectName(QStringLiteral("frmError"));
    setWindowTitle(QStringLiteral("Tapestrel:  Error"));
    setFixedSize(kit::twipsSize(kFormWidth, kFormHeight));

    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setGeometry(kit::twipsRect(120, 135, 3720, 2865));
    auto* column = new QVBoxLayout(Picture1);
    Label1 = makeLabel(Picture1, "Label1", QStringLiteral("An Error has occurred ..."));
    lblError = makeLabel(Picture1, "lblError", QStringLiteral("Error Message"));
    lblQuestion = makeLabel(Picture1, "lblQuestion", QStringLiteral("Question"));
    auto line = [&](const char* name) {
        auto* l = new QFrame(Picture1);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    column->addWidget(Label1);
    column->addWidget(line("Line1"));
    column->addWidget(lblError, 1);
    column->addWidget(line("Line3"));
    column->addWidget(lblQuestion, 1);

    cmdOK = makeButton(this, "cmdOK", QStringLiteral("OK"));
    cmdYes = makeButton(this, "cmdYes", QStringLiteral("Yes"));
    cmdNo = makeButton(this, "cmdNo", QStringLiteral("No"));
    cmdCancel = makeButton(this, "cmdCancel", QStringLiteral("Cancel"));
    placeButton(cmdOK, 135);
    placeButton(cmdYes, 1635);
    placeButton(cmdNo, 2130);
    placeButton(cmdCancel, 2625);
    kit::on(cmdOK, &QPushButton::clicked, this, &frmError::cmdOK_Click);
    kit::on(cmdYes, &QPushButton::clicked, this, &frmError::cmdYes_Click);
    kit::on(cmdNo, &QPushButton::clicked, this, &frmError::cmdNo_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmError::cmdCancel_Click);

    Form_Load();
}

void frmError::placeButton(QPushButton* button, int topTwips) {
    button->setGeometry(kit::twipsRect(kButtonLeft, topTwips, kButtonWidth, kButtonHeight));
}

void frmError::Form_Load() {
    CenterForm(this, 1);
    if (!YesNoMode) {
        cmdYes->hide();
        cmdNo->hide();
        cmdOK->show();
        cmdOK->setDefault(true);
        cmdOK->setFocus();
    } else {
        cmdYes->show();
        cmdNo->show();
        Label1->setText(QStringLiteral("Tapestrel:"));
        cmdOK->hide();
        QFont plain = lblError->font();
        plain.setBold(false);
        lblError->setFont(plain);
        setWindowTitle(QStringLiteral("Tapestrel:"));
        cmdYes->setFocus();
    }
    services().beeper->beep();
}

void frmError::cmdOK_Click() {
    done(QDialog::Accepted);
}

void frmError::cmdYes_Click() {
    MessageResult = 6;
    hide();
}

void frmError::cmdNo_Click() {
    MessageResult = 7;
    hide();
}

void frmError::cmdCancel_Click() {
    MessageResult = 2;
    hide();
}

void frmError::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // Only a cancel button answers Escape; without one it does nothing.
        if (escapeButton && escapeButton->isVisible())
            escapeButton->click();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Without a default button (Yes, No and Cancel all shown) Enter
        // presses the button that has the focus, Yes when the window opens.
        const bool hasDefault = cmdYes->isDefault() || cmdOK->isDefault();
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        if (!hasDefault && focused && focused->isVisible()) {
            focused->click();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}
