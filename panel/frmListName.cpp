#include "panel/frmListName.h"

#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/MagicListCodec.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/FormHelpers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kFormWidth = 6150;
constexpr int kFormHeight = 3225;
constexpr int kShortFormHeight = 2745;
constexpr int kFrameHeight = 2700;
constexpr int kShortFrameHeight = 2220;
constexpr int kButtonsTop = 1980;
constexpr int kShortButtonsTop = 1500;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
// The window heights above count the title bar and frame, which the
// window manager draws outside the window here.
constexpr int kTitleBarHeight = 405;

} // namespace

int listNameProblem(const QString& name, const QString& renamedListPath) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return 1;
    if (!listfile::fitsInFile(wanted))
        return 3;
    for (int16_t i = 1; i <= ListIndexCount; ++i) {
        const ListIndexEntry& row = ListIndexEntries[i];
        if (!renamedListPath.isEmpty() && row.ListPath == renamedListPath)
            continue;
        if (row.ListName.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return 2;
    }
    return 0;
}

frmListName::frmListName(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmListName", QStringLiteral("Magic List Name"));
    Frame1 = kit::frame(this, "Frame1");
    lblQuestion = kit::label(Frame1, "lblQuestion",
                             QStringLiteral("What is the name of this Tapestrel Magic list?"));
    lblExample = kit::label(Frame1, "lblExample", QStringLiteral("Example:  Our Vacation"));
    txtListName = kit::textBox(Frame1, "txtListName");
    chkPublic =
        kit::checkBox(Frame1, "chkPublic",
                      QStringLiteral("Make this list available to other users on this computer"));
    cmdOK = kit::button(Frame1, "cmdOK", QStringLiteral("OK"));
    cmdCancel = kit::button(Frame1, "cmdCancel", QStringLiteral("Cancel"));
    setDefaultButton(cmdOK);
    setCancelButton(cmdCancel);

    lblQuestion->setGeometry(kit::twipsRect(240, 300, kFormWidth - 720, 255));
    lblExample->setGeometry(kit::twipsRect(240, 600, kFormWidth - 720, 255));
    txtListName->setGeometry(kit::twipsRect(240, 930, kFormWidth - 720, 330));
    chkPublic->setGeometry(kit::twipsRect(240, 1440, kFormWidth - 720, 300));
    layOut(true);

    kit::on(chkPublic, &QCheckBox::clicked, this, &frmListName::chkPublic_Click);
    kit::on(cmdOK, &QPushButton::clicked, this, &frmListName::cmdOK_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmListName::cmdCancel_Click);
}

void frmListName::layOut(bool withPublic) {
    const int buttonsTop = withPublic ? kButtonsTop : kShortButtonsTop;
    Frame1->setGeometry(
        kit::twipsRect(120, 60, kFormWidth - 240, withPublic ? kFrameHeight : kShortFrameHeight));
    cmdCancel->setGeometry(
        kit::twipsRect(kFormWidth - 480 - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight));
    cmdOK->setGeometry(kit::twipsRect(kFormWidth - 600 - 2 * kButtonWidth, buttonsTop, kButtonWidth,
                                      kButtonHeight));
    setFixedSize(kit::px(kFormWidth),
                 kit::pxY((withPublic ? kFormHeight : kShortFormHeight) - kTitleBarHeight));
}

void frmListName::Form_Load() {
    Cancelled = true;
    txtListName->setText(ListName);
    chkPublic->setChecked(ListIsPublic);
    // Only a user who may write beside the program can make a list public.
    if (!HasWriteAccess() || !Options.IsNTPlatform) {
        chkPublic->hide();
        layOut(false);
        CenterForm(this, 1);
    }
    txtListName->setFocus();
}

void frmListName::chkPublic_Click() {
    ListIsPublic = chkPublic->isChecked();
}

void frmListName::cmdOK_Click() {
    ListName = txtListName->text();
    switch (listNameProblem(ListName, RenamedListPath)) {
    case 1:
        ShowErrorMessage(QStringLiteral("You must provide a name for the Magic List."), 64,
                         QStringLiteral("Missing Name"));
        txtListName->setFocus();
        return;
    case 2:
        ShowErrorMessage(QStringLiteral("Sorry, but a Magic List with that name already exists.  "
                                        "Please select a different name."),
                         64, QStringLiteral("Name already in use"));
        txtListName->setFocus();
        return;
    case 3:
        ShowErrorMessage(listfile::tooLongMessage(ListName.trimmed()), 64, QString());
        txtListName->setFocus();
        return;
    default:
        break;
    }
    Cancelled = false;
    hide();
}

void frmListName::cmdCancel_Click() {
    Cancelled = true;
    hide();
}
