#include "update/frmupdate.h"

#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/INIFuncs.h"
#include "engine/Internet.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/StartUp.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/Http.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "runtime/Conversions.h"
#include "runtime/Dates.h"
#include "runtime/RuntimeError.h"
#include "update/UpdateResources.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

const QString frmupdate::kRecordPath = QStringLiteral("/support/currentCorvelversions.txt");

namespace {

const QString kProgramTitle = QStringLiteral("Tapestrel");
constexpr qint64 kChunkSize = 2048;

QLabel* styledLabel(QWidget* parent, const QByteArray& name, const QString& text, bool bold,
                    int pointSizeDelta = 0, bool wrapped = false) {
    QLabel* label = wrapped ? kit::wrappedLabel(parent, name.constData(), text)
                            : kit::label(parent, name.constData(), text);
    QFont font = label->font();
    font.setBold(bold);
    if (pointSizeDelta != 0)
        font.setPointSize(font.pointSize() + pointSizeDelta);
    label->setFont(font);
    return label;
}

QLabel* bodyText(QWidget* parent, const QByteArray& name, const QString& text) {
    return styledLabel(parent, name, text, false, 0, true);
}

// Text with CR LF as the runtime writes it, shown as line breaks.
QString onScreen(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

frmupdate::frmupdate(QWidget* parent) : FormDialog(parent) {
    initUpdateResources();
    kit::initForm(this, "frmupdate", QStringLiteral("Check for Software Updates"), 900);
    setFixedSize(kit::twipsSize(7020, 5520));

    const QList<QVBoxLayout*> columns = buildPageFrames();
    buildWelcomePage(columns[0]);
    buildCheckPage(columns[1]);
    buildDownloadPage(columns[2]);
    buildCompletePage(columns[3]);
    buildFailedPage(columns[4]);
    buildNoUpdatePage(columns[5]);
    buildButtons();
}

// The six pages: a frame each with the logo, a line and the heading
// above a column that the page's builder fills.
QList<QVBoxLayout*> frmupdate::buildPageFrames() {
    const QPixmap logo(QStringLiteral(":/update/full-logo.png"));
    QList<QVBoxLayout*> columns;
    for (int n = 0; n < 6; ++n) {
        auto* page = kit::make<QFrame>(this, kit::indexedName("fraHolder", n).constData());
        page->setFrameShape(QFrame::StyledPanel);
        page->setFrameShadow(QFrame::Sunken);
        page->hide();
        fraHolder[n] = page;

        auto* outer = new QVBoxLayout(page);
        outer->setContentsMargins(1, 1, 1, 1);
        outer->setSpacing(0);
        QLabel* box = kit::picture(page, kit::indexedName("picLogo", n).constData());
        box->setAutoFillBackground(true);
        QPalette white = box->palette();
        white.setColor(QPalette::Window, Qt::white);
        box->setPalette(white);
        box->setPixmap(logo);
        box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        box->setContentsMargins(kit::px(150), kit::pxY(75), kit::px(150), kit::pxY(75));
        picLogo[n] = box;
        outer->addWidget(box);
        outer->addWidget(kit::line(page, kit::indexedName("linLogo", n).constData(), true));

        auto* column = new QVBoxLayout;
        column->setContentsMargins(kit::px(180), kit::pxY(90), kit::px(180), kit::pxY(90));
        column->setSpacing(kit::pxY(60));
        outer->addLayout(column, 1);
        column->addWidget(styledLabel(page, kit::indexedName("lblHeading", n),
                                      QStringLiteral("Software Updates:"), true, 2));
        columns.append(column);
    }
    return columns;
}

// Page 1: welcome.
void frmupdate::buildWelcomePage(QVBoxLayout* c) {
    QWidget* p = fraHolder[0];
    c->addWidget(styledLabel(p, "lblWelcome",
                             QStringLiteral("Keep your Tapestrel software up to date!"), true));
    c->addWidget(
        styledLabel(p, "lblQuestion(0)", QStringLiteral("Why would you want to update?"), true));
    c->addWidget(
        bodyText(p, "lblAnswer(0)",
                 QStringLiteral("The software update can contain software fixes, feature "
                                "enhancements, and even floss file updates.  It ensures you are "
                                "using the latest version of our products!")));
    c->addWidget(
        styledLabel(p, "lblQuestion(1)", QStringLiteral("How do you receive the update?"), true));
    c->addWidget(bodyText(
        p, "lblAnswer(1)",
        QStringLiteral("We will use your Internet connection.  Once connected, we will see "
                       "if an update is available, and if so, it can be automatically "
                       "downloaded and installed to your computer.")));
    c->addWidget(styledLabel(p, "lblQuestion(2)", QStringLiteral("Does it cost anything?"), true));
    c->addWidget(
        bodyText(p, "lblAnswer(2)",
                 QStringLiteral("No.  It simply allows you to keep your software current.")));
    c->addStretch(1);
    c->addWidget(
        bodyText(p, "lblFooter(0)",
                 QStringLiteral("Press the Continue button to check for available updates ...")));
}

// Page 2: checking, then the result.
void frmupdate::buildCheckPage(QVBoxLayout* c) {
    QWidget* p = fraHolder[1];
    lblCheckUpdatesTop =
        styledLabel(p, "lblCheckUpdatesTop", QStringLiteral("Communicating with Orlevane"), true);
    c->addWidget(lblCheckUpdatesTop);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(kit::px(150));
    grid->setVerticalSpacing(kit::pxY(45));
    const auto row = [&](int r, const char* name, const QString& caption, QLabel*& value,
                         const char* valueName) {
        grid->addWidget(kit::label(p, name, caption), r, 0);
        value = styledLabel(p, valueName, QString(), true);
        grid->addWidget(value, r, 1);
    };
    row(0, "lblCurrentCaption", QStringLiteral("Your Current Version:"), lblcurrentver,
        "lblcurrentver");
    row(1, "lblNewCaption", QStringLiteral("Available Version:"), lblnewver, "lblnewver");
    row(2, "lblSizeCaption", QStringLiteral("Update File Size:"), lblsize, "lblsize");
    grid->setColumnStretch(1, 1);
    c->addLayout(grid);
    lblUpdateStatus = bodyText(p, "lblUpdateStatus", QString());
    c->addWidget(lblUpdateStatus);
    c->addStretch(1);
    c->addWidget(
        bodyText(p, "lblFooter(1)", QStringLiteral("Press Continue to download the update .....")));

    fraChecking = kit::make<QFrame>(p, "fraChecking");
    fraChecking->setFrameShape(QFrame::StyledPanel);
    fraChecking->setAutoFillBackground(true);
    fraChecking->setGeometry(kit::twipsRect(135, 1440, 6540, 2640));
    auto* inner = new QVBoxLayout(fraChecking);
    inner->setContentsMargins(kit::px(180), kit::pxY(120), kit::px(180), kit::pxY(120));
    inner->setSpacing(kit::pxY(90));
    inner->addWidget(
        styledLabel(fraChecking, "lblChecking", QStringLiteral("Checking for Updates ..."), true));
    inner->addWidget(
        bodyText(fraChecking, "lblCheckingText",
                 QStringLiteral("The update program is now connecting to the Tapestrel web site to "
                                "determine if an update is available.  This may take a few "
                                "moments.")));
    inner->addWidget(
        kit::label(fraChecking, "lblPleaseWait(0)", QStringLiteral("Please Wait ........")));
    inner->addStretch(1);
    fraChecking->hide();
}

// Page 3: download.
void frmupdate::buildDownloadPage(QVBoxLayout* c) {
    QWidget* p = fraHolder[2];
    c->addWidget(styledLabel(p, "lblDownloading", QStringLiteral("Downloading the update"), true));
    c->addWidget(kit::label(p, "lblCommunicating", QStringLiteral("Communicating with Orlevane")));
    picDownload = kit::picture(p, "picDownload");
    picDownload->setPixmap(QPixmap(QStringLiteral(":/update/download.png")));
    picDownload->setAlignment(Qt::AlignCenter);
    c->addWidget(picDownload);
    c->addWidget(kit::label(p, "lblPleaseWait(1)", QStringLiteral("Please Wait ...")));
    ProgressBar1 = kit::make<QProgressBar>(p, "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    c->addWidget(ProgressBar1);
    c->addStretch(1);
}

// Page 4: download complete.
void frmupdate::buildCompletePage(QVBoxLayout* c) {
    QWidget* p = fraHolder[3];
    c->addWidget(styledLabel(p, "lblComplete", QStringLiteral("The download is complete:"), true));
    c->addWidget(bodyText(p, "lblCompleteText(0)",
                          QStringLiteral("The update has been successfully downloaded to your "
                                         "computer.  We must now execute the downloaded update to "
                                         "complete process.")));
    c->addWidget(bodyText(
        p, "lblCompleteText(1)",
        QStringLiteral("Press the Finish button to complete the update.  Tapestrel will "
                       "close, and the update will automatically begin.  At the completion "
                       "of the update, Tapestrel will automatically be restarted and the "
                       "update will be completed.")));
    c->addWidget(
        styledLabel(p, "lblCompleting", QStringLiteral("Completing the update ..."), true));
    c->addStretch(1);
    c->addWidget(bodyText(p, "lblFooter(3)",
                          QStringLiteral("Press the Finish button to execute the update ...")));
}

// Page 5: download failed.
void frmupdate::buildFailedPage(QVBoxLayout* c) {
    QWidget* p = fraHolder[4];
    c->addWidget(styledLabel(p, "lblFailed", QStringLiteral("The update download failed:"), true));
    c->addWidget(
        bodyText(p, "lblFailedText",
                 QStringLiteral("The attempt to download the Tapestrel update failed.  "
                                "Please check to ensure your Internet connection is working "
                                "properly, and retry the update.")));
    c->addWidget(styledLabel(p, "lblFailedURL", QStringLiteral("Failed URL:"), true));
    lblBadURL = bodyText(p, "lblBadURL", QString());
    lblBadURL->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    c->addWidget(lblBadURL);
    c->addStretch(1);
    c->addWidget(bodyText(p, "lblFooter(4)",
                          QStringLiteral("Press the Cancel button to exit the update ...")));
}

// Page 6: no update required.
void frmupdate::buildNoUpdatePage(QVBoxLayout* c) {
    QWidget* p = fraHolder[5];
    c->addWidget(styledLabel(p, "lblNoUpdate", QStringLiteral("No update required:"), true));
    c->addWidget(
        styledLabel(p, "lblUpToDate", QStringLiteral("Your software is up to date!"), true));
    c->addWidget(bodyText(p, "lblUpToDateText",
                          QStringLiteral("You are currently running the most up-to-date "
                                         "version of Tapestrel.  No update is required.")));
    auto* row = new QHBoxLayout;
    row->setSpacing(kit::px(150));
    row->addWidget(kit::label(p, "lblCurrentVersionCaption", QStringLiteral("Current Version:")));
    lblCurrentVersion = styledLabel(p, "lblCurrentVersion", QString(), true);
    row->addWidget(lblCurrentVersion, 1);
    c->addLayout(row);
    c->addWidget(
        bodyText(p, "lblReminder",
                 QStringLiteral("Don't forget to check from time-to-time to ensure you are always "
                                "running the most up to date software!")));
    c->addStretch(1);
    c->addWidget(bodyText(p, "lblFooter(5)",
                          QStringLiteral("Press the Cancel button to exit the update ...")));
}

void frmupdate::buildButtons() {
    cmdPrev = kit::button(this, "cmdPrev", QStringLiteral("<< Prev"));
    cmdPrev->setGeometry(kit::twipsRect(3300, 4995, 1155, 375));
    cmdContinue = kit::button(this, "cmdContinue", QStringLiteral("Continue >>"));
    cmdContinue->setGeometry(kit::twipsRect(4500, 4995, 1155, 375));
    cmdCancel = kit::button(this, "cmdCancel", QStringLiteral("Cancel"));
    cmdCancel->setGeometry(kit::twipsRect(5745, 4995, 1155, 375));
    for (QPushButton* b : {cmdPrev, cmdContinue, cmdCancel})
        b->setAutoDefault(false);
    setCancelButton(cmdCancel);

    kit::on(cmdPrev, &QPushButton::clicked, this, &frmupdate::cmdPrev_Click);
    kit::on(cmdContinue, &QPushButton::clicked, this, &frmupdate::cmdContinue_Click);
    kit::on(cmdCancel, &QPushButton::clicked, this, &frmupdate::cmdCancel_Click);
}

frmupdate::~frmupdate() {
    // A window taken down in the middle of a transfer leaves nothing half done.
    stopTransfers();
    showBusy(false);
}

QString frmupdate::recordAddress() {
    const Http* http = services().http;
    if (!http)
        return {};
    QString base = http->updateServer.trimmed();
    while (base.endsWith(u'/'))
        base.chop(1);
    if (base.isEmpty())
        return {};
    const QString address = base + kRecordPath;
    return Http::isAllowed(QUrl(address)) ? address : QString();
}

void frmupdate::Form_Load() {
    InternetState = IsInternetConnected();
    ShowStep(1);
}

void frmupdate::parsefile(const QString& text) {
    record_ = parseUpdateRecord(text);
}

void frmupdate::SetCheckDate() {
    const QDate today = services().clock->now().date();
    const QDateTime day = makeDateTime(today.year(), today.month(), today.day());
    // The settings are saved again at exit: they must carry the same day.
    Options.LastUpdate = day;
    SaveMachineRegString(kMachineProductKey, QStringLiteral("LastUpdate"),
                         formatDate(day, QStringLiteral("mm/dd/yyyy")));
}

void frmupdate::arrangePage(int16_t page) {
    page_ = page;
    for (int n = 0; n < 6; ++n) {
        if (n == page - 1) {
            fraHolder[n]->setGeometry(kit::twipsRect(90, 0, 6810, 4875));
            fraHolder[n]->show();
        } else {
            fraHolder[n]->hide();
        }
    }
    switch (page) {
    case 1:
        cmdPrev->setEnabled(false);
        cmdContinue->setEnabled(true);
        break;
    case 2:
        cmdPrev->setEnabled(false);
        cmdContinue->setEnabled(false);
        fraChecking->show();
        fraChecking->raise();
        break;
    case 4:
        cmdPrev->setEnabled(false);
        cmdContinue->setEnabled(true);
        cmdContinue->setText(QStringLiteral("Finish"));
        break;
    case 5:
    case 6:
        cmdPrev->setEnabled(false);
        cmdContinue->setEnabled(false);
        cmdCancel->setFocus();
        break;
    default:
        break;
    }
}

void frmupdate::ShowStep(int16_t page) {
    arrangePage(page);
    if (page == 2)
        CheckForUpdate();
    else if (page == 3)
        DownloadUpdate();
}

void frmupdate::cmdPrev_Click() {}

void frmupdate::cmdContinue_Click() {
    switch (page_) {
    case 1:
        ShowStep(2);
        break;
    case 2:
        ShowStep(3);
        break;
    case 4:
        finishUpdate();
        break;
    default:
        break;
    }
}

void frmupdate::cmdCancel_Click() {
    if (closed_)
        return;
    cancelRequested_ = true;
    stopTransfers();
    picDownload->unsetCursor();
    SetCheckDate();
    closeWindow();
}

void frmupdate::titleBarClose() {
    cmdCancel_Click();
}

void frmupdate::CheckForUpdate() {
    showBusy(true);
    fraChecking->move(kit::px(135), kit::pxY(1440));
    fraChecking->show();
    fraChecking->raise();
    try {
        if (InternetState != 1 && InternetState != 2) {
            DialConnection = DialInternetConnection();
            if (DialConnection == -1) {
                failCheck(QStringLiteral("Error connecting to Internet"));
                return;
            }
            InternetState = 2;
        }
        const QString address = recordAddress();
        if (address.isEmpty()) {
            failCheck(QStringLiteral("No update site is configured."));
            return;
        }
        recordTransfer_ = services().http->get(QUrl(address), this,
                                               TransferLimits{kRecordSizeLimit, recordTimeLimitMs});
        kit::on(recordTransfer_.data(), &HttpTransfer::finished, this, &frmupdate::recordEnded);
    } catch (const RuntimeError& e) {
        failCheck(e.description());
    }
}

void frmupdate::recordEnded() {
    HttpTransfer* transfer = recordTransfer_;
    if (!transfer || closed_ || cancelRequested_)
        return;
    try {
        if (transfer->error() != 0 || !transfer->answeredOk()) {
            const bool failed = transfer->error() != 0;
            failCheck(QStringLiteral("Cannot Connect to the Update Web Site") +
                      QStringLiteral("\r\nError:") +
                      QString::number(failed ? transfer->error() : transfer->status()) +
                      QStringLiteral("\r\n") +
                      (failed ? transfer->errorText() : transfer->reason()));
            return;
        }
        const QString text = QString::fromUtf8(transfer->readAll());
        if (trimBlanks(text).isEmpty()) {
            failCheck(QStringLiteral("Error retrieving update information."));
            return;
        }
        parsefile(text);
        const QString current = currentVersionText();
        lblcurrentver->setText(current);
        lblCurrentVersion->setText(current);
        lblnewver->setText(record_.fields[2]);
        lblsize->setText(sizeLabel(record_.installerSize));
        fraChecking->hide();
        if (!updateIsNewer(current, record_.fields[2])) {
            ShowStep(6);
        } else {
            lblUpdateStatus->setText(QStringLiteral(
                "There are software updates available for your system.  Press the Continue "
                "button to download and install the update.  You may cancel the update now "
                "and return at any time in the future to complete the update."));
            lblCheckUpdatesTop->setText(QStringLiteral("Available Update"));
            cmdPrev->setEnabled(true);
            cmdContinue->setEnabled(true);
        }
        SetCheckDate();
        showBusy(false);
    } catch (const RuntimeError& e) {
        failCheck(e.description());
    }
}

void frmupdate::failCheck(const QString& text) {
    SetCheckDate();
    message(text);
    closeWindow();
}

void frmupdate::DownloadUpdate() {
    const QString folder =
        withSlash(services().folders->programFolder()) + QStringLiteral("updates/");
    QDir().mkpath(folder);
    const QString url = record_.fields[6];
    lblBadURL->setText(url);
    lblBadURL->setToolTip(url);
    ProgressBar1->show();
    ProgressBar1->setValue(0);
    target_ = installerTarget(folder, url);

    picDownload->setCursor(Qt::WaitCursor);
    cmdPrev->setEnabled(false);
    cmdContinue->setEnabled(false);
    downloadSucceeded_ = false;
    transferEnded_ = false;
    downloadFailed_ = false;
    received_ = 0;
    expected_ = expectedDownloadSize(record_.installerSize);
    if (target_.isEmpty() || !services().http || !record_.installerSizeUsable) {
        // Refused before any connection: an address the rules do not allow,
        // no plain file name to save it under, or no size to check it by.
        endDownload(false);
        return;
    }
    // An installer left from an earlier download goes first.
    QFile::remove(target_);
    installerFile_ = std::make_unique<AtomicFileWriter>(target_);
    // It is started by its owner only, and nobody else reads it while it
    // arrives either.
    installerFile_->setPermissions(0700);
    if (!installerFile_->open()) {
        // Nowhere to put it: no reason to fetch it.
        endDownload(false);
        return;
    }
    downloadTransfer_ = services().http->get(
        QUrl(url), this, TransferLimits{record_.installerSize, downloadTimeLimitMs});
    kit::on(downloadTransfer_.data(), &HttpTransfer::readyRead, this, &frmupdate::downloadData);
    kit::on(downloadTransfer_.data(), &HttpTransfer::finished, this, &frmupdate::downloadEnded);
}

void frmupdate::downloadData() {
    HttpTransfer* transfer = downloadTransfer_;
    if (!transfer || transferEnded_)
        return;
    const auto fail = [&] {
        downloadFailed_ = true;
        transfer->abort();
        endDownload(false);
    };
    if (transfer->bytesAvailable() > 0 && !transfer->answeredOk()) {
        // An error page is no installer: nothing of it is saved.
        fail();
        return;
    }
    while (transfer->bytesAvailable() > 0) {
        const QByteArray chunk = transfer->read(kChunkSize);
        received_ += chunk.size();
        // More than the record announced is no installer; a write that
        // fails (a full disk) ends the download as failed.
        if (received_ > record_.installerSize || !installerFile_->write(chunk)) {
            fail();
            return;
        }
        if (ProgressBar1->value() < 100)
            ProgressBar1->setValue(progressPercent(received_, expected_));
    }
}

void frmupdate::downloadEnded() {
    HttpTransfer* transfer = downloadTransfer_;
    if (!transfer || transferEnded_)
        return;
    downloadData();
    if (transferEnded_)
        return;
    endDownload(transfer->error() == 0 && downloadCounts(transfer->status(), received_, record_));
}

void frmupdate::endDownload(bool succeeded) {
    transferEnded_ = true;
    if (succeeded) {
        // The temporary file takes the installer's name only now, synced: a
        // kill at any moment leaves either no installer or the complete one.
        succeeded = installerFile_ && installerFile_->commit();
        if (!succeeded)
            QFile::remove(target_);
    }
    discardDownload();
    downloadSucceeded_ = succeeded;
    picDownload->unsetCursor();
    ShowStep(succeeded ? 4 : 5);
}

void frmupdate::discardDownload() {
    // A writer not committed takes its temporary file away with it.
    installerFile_.reset();
}

void frmupdate::stopTransfers() {
    if (recordTransfer_)
        recordTransfer_->abort();
    if (downloadTransfer_ && !transferEnded_) {
        downloadTransfer_->abort();
        transferEnded_ = true;
        discardDownload();
    }
}

void frmupdate::finishUpdate() {
    // The user's work is stored before anything else can happen to it.
    ActiveMagicList.Save();
    Options.ActiveList = ActiveMagicList.GetFilePath();
    SaveOptions();
    closeWindow();
    const QString folder = services().folders->programFolder();
    if (!services().launcher->start(target_,
                                    {QStringLiteral("NP"), QStringLiteral("DP"), folder})) {
        ShowErrorMessage(QStringLiteral("The downloaded update could not be started: ") + target_,
                         0, kProgramTitle);
        return;
    }
    EndProgramForInstaller();
}

void frmupdate::closeWindow() {
    if (closed_)
        return;
    closed_ = true;
    showBusy(false);
    hide();
    if (InternetState == 2 && UpdateMode == 3)
        HangUpInternetConnection(DialConnection);
}

void frmupdate::showBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

void frmupdate::message(const QString& text) {
    // The hourglass would only stand over the message.
    showBusy(false);
    QMessageBox box(QMessageBox::Warning, kProgramTitle, onScreen(text), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("UpdateMessage"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
