#include "gui/forms/frmError.h"

#include "gui/FormHelpers.h"
#include "gui/forms/FormKit.h"
#include "gui/forms/WrappingLabel.h"
#include "platform/Beeper.h"
#include "platform/Screen.h"
#include "platform/Services.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

constexpr int kButtonLeft = 3960;
constexpr int kButtonWidth = 990;
constexpr int kButtonHeight = 375;
constexpr int kFormWidth = 5205;
constexpr int kFormHeight = 3180;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new WrappingLabel(text, parent);
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
    textArea = new QScrollArea(Picture1);
    textArea->setObjectName(QStringLiteral("textArea"));
    textArea->setFrameShape(QFrame::NoFrame);
    textArea->setWidgetResizable(true);
    textArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* texts = new QWidget;
    texts->setObjectName(QStringLiteral("texts"));
    auto* textColumn = new QVBoxLayout(texts);
    textColumn->setContentsMargins(0, 0, 0, 0);
    lblError = makeLabel(texts, "lblError", QStringLiteral("Error Message"));
    lblQuestion = makeLabel(texts, "lblQuestion", QStringLiteral("Question"));
    auto line = [&](QWidget* parent, const char* name) {
        auto* l = new QFrame(parent);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::HLine);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    textColumn->addWidget(lblError);
    textColumn->addWidget(line(texts, "Line3"));
    textColumn->addWidget(lblQuestion);
    textColumn->addStretch(1);
    textArea->setWidget(texts);
    // The texts lie on the window's own background.
    textArea->viewport()->setAutoFillBackground(false);
    texts->setAutoFillBackground(false);
    column->addWidget(Label1);
    column->addWidget(line(Picture1, "Line1"));
    column->addWidget(textArea, 1);

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

void frmError::fitToText() {
    // Back to the design's size and places, then as much wider and taller
    // as the texts need, within the work area.
    const QSize design = kit::twipsSize(kFormWidth, kFormHeight);
    const QPoint undo(std::exchange(grownAcross_, 0), std::exchange(grownDown_, 0));
    // OK stays at the top of the column, the others at its bottom.
    cmdOK->move(cmdOK->x() - undo.x(), cmdOK->y());
    for (QPushButton* b : {cmdYes, cmdNo, cmdCancel})
        b->move(b->pos() - undo);
    const QRect designText = kit::twipsRect(120, 135, 3720, 2865);
    setFixedSize(design);
    Picture1->setGeometry(designText);
    Picture1->layout()->activate();

    // The work area holds the window with its title bar and frame, which
    // the window manager adds around it.
    const int decoration = std::max(style()->pixelMetric(QStyle::PM_TitleBarHeight), 24) + 16;
    const QRect work = services().screen->workArea();
    QWidget* texts = textArea->widget();
    const bool fitsAsDesigned =
        texts->heightForWidth(textArea->viewport()->width()) <= textArea->viewport()->height();
    const int widest = std::max(lblError->width(), lblQuestion->width());
    int wanted = 0;
    for (QLabel* label : {lblError, lblQuestion}) {
        if (auto* wrapping = qobject_cast<WrappingLabel*>(label); wrapping && !label->isHidden())
            wanted = std::max(wanted, wrapping->widestLine());
    }
    // Texts that do not fit as designed: lines as long as paths are read
    // more easily on a wider window, up to two and a half times the
    // design's width.
    const int widestWindow =
        std::max(design.width(), std::min(work.width() - 16, design.width() * 5 / 2));
    grownAcross_ =
        fitsAsDesigned ? 0 : std::clamp(wanted - widest, 0, widestWindow - design.width());
    setFixedSize(design.width() + grownAcross_, design.height());
    Picture1->resize(designText.width() + grownAcross_, designText.height());
    Picture1->layout()->activate();

    const int needed = texts->heightForWidth(textArea->viewport()->width());
    const int tallest = std::max(design.height(), work.height() - decoration);
    grownDown_ = std::clamp(needed - textArea->viewport()->height(), 0, tallest - design.height());
    // Texts that will scroll lose the scroll bar's width: the window gives
    // it back, so that their lines wrap no more than they would unscrolled.
    const bool scrolls = needed > textArea->viewport()->height() + grownDown_;
    // Only texts that scroll take the focus, for the keys that scroll them;
    // otherwise Tab goes from button to button as ever.
    textArea->setFocusPolicy(scrolls ? Qt::StrongFocus : Qt::NoFocus);
    if (scrolls) {
        const int bar = textArea->verticalScrollBar()->sizeHint().width();
        grownAcross_ = std::min(grownAcross_ + bar, widestWindow - design.width());
    }
    setFixedSize(design.width() + grownAcross_, design.height() + grownDown_);
    Picture1->resize(designText.width() + grownAcross_, designText.height() + grownDown_);
    cmdOK->move(cmdOK->x() + grownAcross_, cmdOK->y());
    for (QPushButton* b : {cmdYes, cmdNo, cmdCancel})
        b->move(b->pos() + QPoint(grownAcross_, grownDown_));

    CenterForm(this, 1);
    // Centred on the screen, a tall window may reach under a panel: it is
    // kept inside the work area, its title bar and frame included.
    int top = std::min(y(), work.bottom() + 1 - decoration - height());
    top = std::max(top, work.top());
    move(x(), top);
}

void frmError::showEvent(QShowEvent* event) {
    fitToText();
    QDialog::showEvent(event);
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
