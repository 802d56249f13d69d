#include "panel/frmAbout.h"

#include "engine/ErrorWindow.h"
#include "gui/FormHelpers.h"
#include "gui/forms/frmSplash.h"
#include "platform/Launcher.h"
#include "platform/Services.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#if !defined(TAPESTREL_VERSION_MAJOR) || !defined(TAPESTREL_VERSION_MINOR) ||                      \
    !defined(TAPESTREL_VERSION_PATCH)
#error "The program's version is set by the build"
#endif

const QString frmAbout::kUnavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

namespace {

const QString kToolFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kToolFolderValue = QStringLiteral("MSINFO");
const QString kToolFile = QStringLiteral("MSINFO32.EXE");

// What a value may hold: the reader's 1024 characters, its closing NUL
// among them.
constexpr qsizetype kValueRoom = 1024;

QLabel* productText(QWidget* parent, const char* name, int pointSize, bool bold) {
    QLabel* l = kit::label(parent, name);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : FormDialog(parent), VersionMajor(TAPESTREL_VERSION_MAJOR),
      VersionMinor(TAPESTREL_VERSION_MINOR), VersionRevision(TAPESTREL_VERSION_PATCH) {
    kit::initForm(this, "frmAbout", QStringLiteral("About Tapestrel"));
    kit::setHelpSection(this, QStringLiteral("about"));
    setFixedSize(kit::twipsSize(5730, 2460));

    imgLogo = kit::picture(this, "imgLogo");
    imgLogo->setGeometry(kit::twipsRect(240, 240, 960, 960));
    imgLogo->setPixmap(programIcon().pixmap(imgLogo->size()));
    lblCompanyProduct = productText(this, "lblCompanyProduct", 18, true);
    lblCompanyProduct->setGeometry(kit::twipsRect(1050, 240, 4440, 540));
    lblVersion = productText(this, "lblVersion", 10, false);
    lblVersion->setGeometry(kit::twipsRect(1050, 840, 4440, 300));

    cmdOK = kit::button(this, "cmdOK", QStringLiteral("OK"));
    cmdOK->setGeometry(kit::twipsRect(4155, 1440, 1440, 375));
    cmdSysInfo = kit::button(this, "cmdSysInfo", QStringLiteral("&System Info..."));
    cmdSysInfo->setGeometry(kit::twipsRect(4155, 1920, 1440, 375));
    setDefaultButton(cmdOK);
    setCancelButton(cmdOK);

    kit::on(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    kit::on(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load() {
    CenterForm(this, 1);
    lblCompanyProduct->setText(QStringLiteral("Tapestrel"));
    lblVersion->setText(frmSplash::versionText(VersionMajor, VersionMinor, VersionRevision));
    // Both texts start 385 twips right of the logo.
    const int left = imgLogo->x() + imgLogo->width() + kit::px(385);
    const int width = this->width() - left - kit::px(120);
    for (QLabel* label : {lblCompanyProduct, lblVersion})
        label->setGeometry(left, label->y(), width, label->height());
}

void frmAbout::cmdOK_Click() {
    hide();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    try {
        QString path;
        if (GetKeyValue(Hive::LocalMachine, kSystemInformationKey, kSystemInformationValue, path)) {
            // Started as named: a path that is not there fails to start.
            if (services().launcher->start(path, {}))
                return;
        } else {
            QString folder;
            if (GetKeyValue(Hive::LocalMachine, kToolFolderKey, kToolFolderValue, folder)) {
                const QString tool = folder + u'/' + kToolFile;
                if (QFileInfo::exists(tool) && services().launcher->start(tool, {}))
                    return;
            }
        }
    } catch (...) {
    }
    ShowErrorMessage(kUnavailable, 0, QString());
}

bool frmAbout::GetKeyValue(Hive keyRoot, const QString& keyName, const QString& subKeyRef,
                           QString& keyVal) {
    // Only read: an ordinary user may read the local machine's keys but
    // not write them.
    const std::optional<QString> value = services().registry->value(keyRoot, keyName, subKeyRef);
    if (!value || value->size() >= kValueRoom) {
        keyVal.clear();
        return false;
    }
    keyVal = *value;
    if (keyVal.endsWith(QChar(0)))
        keyVal.chop(1);
    return true;
}
