#pragma once

#include "gui/forms/FormKit.h"
#include "update/UpdateRecord.h"

#include <QList>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>

class AtomicFileWriter;
class HttpTransfer;
class QFrame;
class QVBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;

// The update window: leads the user through numbered pages, reads the
// newest version from the update server, offers a newer one, downloads its
// installer into "updates" beside the program, and on Finish starts it and
// ends the program. Every wait is a state of the window, never a loop:
// Cancel ends it at any moment.
class frmupdate : public FormDialog {
    Q_OBJECT
public:
    explicit frmupdate(QWidget* parent = nullptr);
    ~frmupdate() override;

    // Set by the caller before showing: 3 when the user asked for the
    // check. The window hangs up a connection it dialled only in mode 3.
    int16_t UpdateMode = 0;

    // Stores the fields of the version record; raises a run-time error for
    // a record it cannot read.
    void parsefile(const QString& text);
    // Notes today as the day of the last check.
    void SetCheckDate();

    // The pages 1 to 6 and their logo boxes.
    std::array<QFrame*, 6> fraHolder{};
    std::array<QLabel*, 6> picLogo{};
    // Page 2.
    QLabel* lblCheckUpdatesTop;
    QFrame* fraChecking;
    QLabel* lblcurrentver;
    QLabel* lblnewver;
    QLabel* lblsize;
    QLabel* lblUpdateStatus;
    // Page 3.
    QLabel* picDownload;
    QProgressBar* ProgressBar1;
    // Page 5.
    QLabel* lblBadURL;
    // Page 6.
    QLabel* lblCurrentVersion;

    QPushButton* cmdPrev;
    QPushButton* cmdCancel;
    QPushButton* cmdContinue;

    void cmdPrev_Click();
    void cmdCancel_Click();
    void cmdContinue_Click();

    // The page shown (1 to 6).
    int16_t currentPage() const { return page_; }
    // Shows a page with its buttons, without running its step.
    void arrangePage(int16_t page);
    // The record's fields as stored (1 to 6).
    const UpdateRecord& record() const { return record_; }
    // Where the installer is being or was saved; "" before the download.
    QString downloadTarget() const { return target_; }

    // The address of the version record on the update server, or "" when
    // no usable update server is set.
    static QString recordAddress();
    // The record's path on the server.
    static const QString kRecordPath;
    // A record is one short line: an answer beyond this many bytes is none.
    static constexpr qint64 kRecordSizeLimit = 4096;
    // How long the record's fetch and the installer's download may take in
    // all, however steadily the data trickles in.
    int recordTimeLimitMs = 60 * 1000;
    int downloadTimeLimitMs = 30 * 60 * 1000;

protected:
    void Form_Load() override;
    // The close box takes the whole Cancel path.
    void titleBarClose() override;

private:
    // The constructor's parts: the pages' frames, one builder per page
    // (each fills its page's column), the buttons.
    QList<QVBoxLayout*> buildPageFrames();
    void buildWelcomePage(QVBoxLayout* c);
    void buildCheckPage(QVBoxLayout* c);
    void buildDownloadPage(QVBoxLayout* c);
    void buildCompletePage(QVBoxLayout* c);
    void buildFailedPage(QVBoxLayout* c);
    void buildNoUpdatePage(QVBoxLayout* c);
    void buildButtons();

    void ShowStep(int16_t page);
    void CheckForUpdate();
    void DownloadUpdate();
    // The record's transfer has ended.
    void recordEnded();
    // The installer's transfer has bytes, or has ended.
    void downloadData();
    void downloadEnded();
    void endDownload(bool succeeded);
    // Ends the check with a message: the day noted, the window closed.
    void failCheck(const QString& message);
    void finishUpdate();
    // The window's one way to close: a connection it dialled is hung up.
    void closeWindow();
    void showBusy(bool busy);
    void stopTransfers();
    void discardDownload();
    void message(const QString& text);

    int16_t page_ = 0;
    UpdateRecord record_;
    QString target_;
    bool downloadSucceeded_ = false;
    bool transferEnded_ = false;
    bool cancelRequested_ = false;
    bool busy_ = false;
    bool closed_ = false;
    QPointer<HttpTransfer> recordTransfer_;
    QPointer<HttpTransfer> downloadTransfer_;
    // The installer as it arrives, written to a temporary file beside its
    // name, which it takes only once it is whole and checked.
    std::unique_ptr<AtomicFileWriter> installerFile_;
    int64_t received_ = 0;
    int64_t expected_ = 0;
    bool downloadFailed_ = false;
};
