#include "editors/frmOptions.h"

#include "editors/OptionsValues.h"
#include "engine/ErrorWindow.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "gui/forms/TextBoxEvents.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

frmOptions::frmOptions(QWidget* parent) : FormDialog(parent) {
    kit::initForm(this, "frmOptions", QStringLiteral("Tapestrel Options:"));
    kit::setHelpSection(this, QStringLiteral("options"));
    setFixedSize(kit::twipsSize(6075, 3435));

    TabStrip1 = kit::make<QTabWidget>(this, "TabStrip1");
    TabStrip1->setGeometry(kit::twipsRect(120, 90, 4680, 2895));
    TabStrip1->addTab(new QWidget, QStringLiteral("Display Options"));
    TabStrip1->tabBar()->setTabData(0, QStringLiteral("DO"));

    QGroupBox* page =
        kit::frame(this, "fraHolder(1)", QStringLiteral("Wallpaper Display Options:"));
    fraHolder[1] = page;
    page->hide();
    kit::label(page, "lblBorder", QStringLiteral("Wallpaper Border:"))
        ->setGeometry(kit::twipsRect(180, 450, 1740, 270));
    txtBorder = kit::textBox(page, "txtBorder");
    txtBorder->setGeometry(kit::twipsRect(1980, 420, 615, 315));
    kit::label(page, "lblPixels", QStringLiteral("( pixels )"))
        ->setGeometry(kit::twipsRect(2670, 450, 1200, 270));
    kit::label(page, "lblNote", QStringLiteral("NOTE:"))
        ->setGeometry(kit::twipsRect(180, 960, 720, 270));
    QLabel* note = kit::wrappedLabel(page, "lblNoteText",
                                     QStringLiteral("The border will be the same for each "
                                                    "wallpaper image."));
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setGeometry(kit::twipsRect(900, 960, 3390, 540));
    chkDisplayLogo =
        kit::checkBox(page, "chkDisplayLogo", QStringLiteral("Display Tapestrel Logo:"));
    chkDisplayLogo->setGeometry(kit::twipsRect(180, 1740, 3900, 300));

    cmdClose = kit::button(this, "cmdClose", QStringLiteral("OK"));
    cmdClose->setGeometry(kit::twipsRect(4935, 2610, 1020, 375));

    kit::on(cmdClose, &QPushButton::clicked, this, &frmOptions::cmdClose_Click);
    kit::onCall(TabStrip1, &QTabWidget::tabBarClicked, this, [this](int) { TabStrip1_Click(); });
    // At most three digits and no decimals; the dialog has no default
    // button, and Enter is refused as any key the filter refuses.
    auto* borderEvents =
        new kit::TextBoxEvents(txtBorder, kit::DigitLimits{3, 0}, kit::EnterKey::Filtered);
    borderEvents->lostFocus = [this] { txtBorder_LostFocus(); };
}

void frmOptions::Form_Load() {
    txtBorder->setText(QString::number(Options.Border));
    chkDisplayLogo->setChecked(Options.DisplayMMessage);
    showDisplayPage();
}

void frmOptions::showDisplayPage() {
    fraHolder[1]->setGeometry(kit::twipsRect(225, 450, 4470, 2355));
    fraHolder[1]->raise();
    fraHolder[1]->show();
}

void frmOptions::TabStrip1_Click() {
    showDisplayPage();
}

void frmOptions::txtBorder_LostFocus() {
    if (txtBorder->text().isEmpty())
        txtBorder->setText(QStringLiteral("0"));
}

void frmOptions::cmdClose_Click() {
    const int16_t limit = maximumBorder(*services().screen);
    if (txtBorder->text().isEmpty())
        txtBorder->setText(QStringLiteral("0"));
    int16_t border = 0;
    try {
        border = cInt(txtBorder->text());
        // A pasted negative number would make the wallpaper larger than
        // the screen.
        if (border < 0)
            raiseError(vberr::InvalidCall);
    } catch (const RuntimeError& e) {
        ShowErrorMessage(e.description(), 0, QString());
        return;
    }
    if (border > limit) {
        ShowErrorMessage(borderTooLargeMessage(limit), 0, QString());
        return;
    }
    bool changed = false;
    if (border != Options.Border) {
        Options.Border = border;
        changed = true;
    }
    const bool logo = chkDisplayLogo->isChecked();
    if (logo != Options.DisplayMMessage) {
        Options.DisplayMMessage = logo;
        changed = true;
    }
    if (changed) {
        ActiveMagicList.SetActiveEntryChanged();
        SaveOptions();
    }
    hide();
}

OptionsChanges runOptionsCommand() {
    const int16_t border = Options.Border;
    const bool logo = Options.DisplayMMessage;
    programWindows().runOptionsDialog();
    return OptionsChanges{Options.Border != border, Options.DisplayMMessage != logo};
}
