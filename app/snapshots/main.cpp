// Writes a picture of every window of the program into a folder, so that
// each can be looked at without clicking through the program:
//   tapestrel-snapshots <folder> [<pictures folder>]
// or draws the overview's pictures from the windows (see
// scripts/make-overview-pictures):
//   tapestrel-snapshots --overview-pictures <folder> [<pictures folder>]
// The list's pictures are drawn into the pictures folder when one is given
// (it must be empty), so that the panel shows a user's path. Runs off screen; the windows show a
// list of pictures it draws itself.

#include "app/snapshots/OverviewPictures.h"
#include "app/snapshots/ShowcaseWorld.h"
#include "editors/frmColors.h"
#include "editors/frmCrop.h"
#include "editors/frmOptions.h"
#include "editors/frmSchedule.h"
#include "editors/frmSetFixedWidth.h"
#include "engine/ErrorWindow.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "gui/forms/frmEndProg.h"
#include "gui/forms/frmError.h"
#include "gui/forms/frmSplash.h"
#include "panel/PanelResources.h"
#include "panel/PanelWindows.h"
#include "panel/frmAbout.h"
#include "panel/frmDrop.h"
#include "panel/frmListName.h"
#include "panel/frmMagicPanel.h"
#include "panel/frmNoFiles.h"
#include "panel/frmOverview.h"
#include "panel/frmPickMList.h"
#include "panel/frmRename.h"
#include "platform/Clock.h"
#include "platform/Services.h"
#include "update/UpdateRecord.h"
#include "update/frmBadConnection.h"
#include "update/frmupdate.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>
#include <QUrl>
#include <functional>
#include <memory>

namespace {

struct Snapshot {
    const char* file;
    // Makes the window, ready to be shown.
    std::function<QWidget*()> make;
};

QWidget* errorMessage() {
    auto* form = new frmError(false);
    form->lblError->setText(QStringLiteral("File Not Found"));
    form->lblQuestion->hide();
    form->cmdCancel->hide();
    return form;
}

QWidget* errorQuestion() {
    auto* form = new frmError(true);
    form->lblError->setText(QStringLiteral("Invalid Format"));
    form->lblQuestion->setText(
        QStringLiteral("Would you like to remove this entry from your Magic List?"));
    form->cmdCancel->hide();
    form->placeButton(form->cmdYes, 2130);
    form->placeButton(form->cmdNo, 2625);
    return form;
}

// The longest messages: ten long paths and the count of the rest, and a
// failure in the system's own words under a question; then a message too
// tall for the screen, which scrolls.
QWidget* errorLongMessage() {
    auto* form = new frmError(false);
    QString message = QStringLiteral("Unable to add these files to the magic list:");
    for (int i = 1; i <= 10; ++i)
        message += QStringLiteral("\r\n/home/alex/Pictures/Holidays 2023/Norway and the Lofoten "
                                  "islands/day %1/IMG_20230714_%1_panorama_stitched.tiff")
                       .arg(i);
    form->lblError->setText(message + QStringLiteral("\r\nand 12 more."));
    form->lblQuestion->hide();
    form->cmdCancel->hide();
    return form;
}

QWidget* errorLongQuestion() {
    auto* form = new frmError(true);
    form->lblError->setText(QStringLiteral(
        "There following error occurred while loading "
        "/media/alex/CAMERA_CARD/DCIM/100CANON/grandparents_golden_wedding_anniversary_party.png"
        "\r\n\r\nError: 75  The desktop did not take the wallpaper: GDBus.Error:org.freedesktop."
        "DBus.Error.ServiceUnknown: The name org.gnome.Shell was not provided by any .service "
        "files"));
    form->lblQuestion->setText(
        QStringLiteral("Do you want to remove this file from your Magic List?"));
    form->cmdCancel->hide();
    form->placeButton(form->cmdYes, 2130);
    form->placeButton(form->cmdNo, 2625);
    return form;
}

QWidget* errorScrolling() {
    auto* form = new frmError(false);
    QString message = QStringLiteral("Unable to add these files to the magic list:");
    for (int i = 1; i <= 80; ++i)
        message += QStringLiteral("\r\n/home/alex/Downloads/picture number %1.webp").arg(i);
    form->lblError->setText(message);
    form->lblQuestion->hide();
    form->cmdCancel->hide();
    return form;
}

QWidget* controlPanel() {
    initPanelResources();
    return new frmMagicPanel;
}

// The control panel's four menus side by side, as they open over a list
// whose active entry is selected.
QWidget* panelMenus() {
    initPanelResources();
    auto* sheet = new QWidget;
    auto* panel = new frmMagicPanel(sheet);
    panel->hide();
    panel->RefreshMagicList();
    auto* row = new QHBoxLayout(sheet);
    for (QMenu* source : {panel->mnuFile, panel->mnuList, panel->mnuTools, panel->mnuHelp}) {
        // The Tools menu names the drop window's state as it opens.
        emit source->aboutToShow();
        auto* menu = new QMenu(sheet);
        menu->setWindowFlags(Qt::Widget);
        menu->addActions(source->actions());
        menu->setFixedSize(menu->sizeHint());
        row->addWidget(menu, 0, Qt::AlignTop);
    }
    return sheet;
}

// The crop dialog on the list's first picture; with a stored crop of the
// screen's shape it opens on "Scaled".
QWidget* cropDialog(bool stored) {
    auto* form = new frmCrop;
    if (stored) {
        form->CropLeft = 160;
        form->CropTop = 100;
        form->CropWidth = 1280;
        form->CropHeight = 720;
        form->CropBackColor = 0x303030;
    }
    form->setFileName(ActiveMagicList.GetEntryPath(0));
    return form;
}

QWidget* fixedSizeDialog() {
    auto* form = new frmSetFixedWidth;
    form->ImageWidth = 1600;
    form->ImageHeight = 1000;
    return form;
}

// The colour picker opened on a colour: the sample shows the new one beside
// the original, with their labels under it.
QWidget* colorPicker() {
    auto* form = new frmColors;
    form->UseOriginalColor = true;
    form->OriginalColor = 0x3C8CD2; // 210, 140, 60
    return form;
}

// The schedule of a list as it opens: changes at the hour marks.
QWidget* scheduleDialog() {
    Options.LastUpdateTime = services().clock->now().addSecs(-20 * 60);
    return new frmSchedule;
}

// A timer schedule on chosen days and hours up to midnight; the list gets
// its own schedule back when the window goes.
QWidget* scheduleDialogTimer() {
    const clsMagicList saved = ActiveMagicList;
    Options.LastUpdateTime = services().clock->now().addSecs(-20 * 60);
    ActiveMagicList.SetSchUpdateOption(0);
    ActiveMagicList.SetSchInterval(90);
    ActiveMagicList.SetSchIntervalUnit(2);
    ActiveMagicList.SetSchUpdateOnDaysOnly(true);
    ActiveMagicList.SetSchUpdateOnDay(1, false);
    ActiveMagicList.SetSchUpdateOnDay(7, false);
    ActiveMagicList.SetSchUpdateOnHours(true);
    ActiveMagicList.SetSchUpdateStartHour(18);
    ActiveMagicList.SetSchUpdateEndHour(24);
    auto* dialog = new frmSchedule;
    QObject::connect(dialog, &QObject::destroyed, [saved] { ActiveMagicList = saved; });
    return dialog;
}

// The update window on one of its pages, as it looks there after a check
// that offered a newer version.
QWidget* updatePage(int16_t page, bool checking = false) {
    auto* form = new frmupdate;
    // Shown first: its load steps open page 1.
    form->show();
    const QString current = currentVersionText();
    form->lblcurrentver->setText(current);
    form->lblCurrentVersion->setText(current);
    form->lblnewver->setText(QStringLiteral("99.01.00"));
    form->lblsize->setText(sizeLabel(1572864));
    form->lblBadURL->setText(
        QStringLiteral("https://updates.example.com/tapestrel/setup-9901.run"));
    form->ProgressBar1->setValue(50);
    form->arrangePage(page);
    if (page == 3) {
        form->cmdPrev->setEnabled(false);
        form->cmdContinue->setEnabled(false);
    }
    if (page == 2 && !checking) {
        form->fraChecking->hide();
        form->lblCheckUpdatesTop->setText(QStringLiteral("Available Update"));
        form->lblUpdateStatus->setText(QStringLiteral(
            "There are software updates available for your system.  Press the Continue "
            "button to download and install the update.  You may cancel the update now "
            "and return at any time in the future to complete the update."));
        form->cmdPrev->setEnabled(true);
        form->cmdContinue->setEnabled(true);
    }
    return form;
}

QWidget* listName(bool mayWrite) {
    ThisRun.writeProbeDone = true;
    ThisRun.writeProbeAnswer = mayWrite;
    auto* form = new frmListName;
    form->ListName = QStringLiteral("Our Vacation");
    return form;
}

QWidget* listPicker() {
    ListIndexEntries = {ListIndexEntry{}, ListIndexEntry{QStringLiteral("Our Vacation"), {}},
                        ListIndexEntry{QStringLiteral("Autumn Walks"), {}},
                        ListIndexEntry{QStringLiteral("Family"), {}}};
    ListIndexCount = 3;
    return new frmPickMList;
}

// The empty-list dialog on its first page, or on the second for a way.
QWidget* noFiles(int way) {
    auto* form = new frmNoFiles;
    if (way >= 0) {
        form->setWindowModality(Qt::NonModal);
        form->show();
        form->optFileType[way]->setChecked(true);
        form->cmdOK_Click();
    }
    return form;
}

QWidget* rename() {
    auto* form = new frmRename;
    form->ImagePath = QStringLiteral("/media/cdrom/Harbour at Dusk[2].jpg");
    return form;
}

// The drop window while nothing, files or a text is dragged over it.
QWidget* dropWindow(int look) {
    auto* form = new frmDrop;
    QMimeData data;
    if (look == 1)
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/picture.jpg"))});
    else
        data.setText(QStringLiteral("some text"));
    if (look != 0)
        form->picDrop_OLEDragOver(&data, true);
    return form;
}

// The overview on a topic, as it opens by itself the first time, with its
// check box, or later from the Help menu, without.
QWidget* overview(int16_t topic, bool firstTime) {
    Options.ShowOverviewDialog = true;
    Options.OverviewShownThisSession = !firstTime;
    auto* form = new frmOverview;
    form->setWindowModality(Qt::NonModal);
    form->show();
    while (form->currentTopic() < topic)
        form->cmdNext_Click();
    return form;
}

QWidget* aboutBox() {
    return new frmAbout;
}

// Every window of the program, in the order a user meets them.
const std::vector<Snapshot>& snapshots() {
    static const std::vector<Snapshot> all = {
        {"frmSplash", [] { return new frmSplash; }},
        {"frmError-message", errorMessage},
        {"frmError-question", errorQuestion},
        {"frmError-long-message", errorLongMessage},
        {"frmError-long-question", errorLongQuestion},
        {"frmError-scrolling", errorScrolling},
        {"frmEndProg", [] { return new frmEndProg; }},
        {"frmMagicPanel", controlPanel},
        {"frmMagicPanel-menus", panelMenus},
        {"frmCrop", [] { return cropDialog(false); }},
        {"frmCrop-scaled", [] { return cropDialog(true); }},
        {"frmSetFixedWidth", fixedSizeDialog},
        {"frmColors", [] { return new frmColors; }},
        {"frmColors-original", colorPicker},
        {"frmSchedule", scheduleDialog},
        {"frmSchedule-timer", scheduleDialogTimer},
        {"frmOptions", [] { return new frmOptions; }},
        {"frmupdate-1", [] { return updatePage(1); }},
        {"frmupdate-2-checking", [] { return updatePage(2, true); }},
        {"frmupdate-2", [] { return updatePage(2); }},
        {"frmupdate-3", [] { return updatePage(3); }},
        {"frmupdate-4", [] { return updatePage(4); }},
        {"frmupdate-5", [] { return updatePage(5); }},
        {"frmupdate-6", [] { return updatePage(6); }},
        {"frmBadConnection", [] { return new frmBadConnection; }},
        {"frmNoFiles", [] { return noFiles(-1); }},
        {"frmNoFiles-samples", [] { return noFiles(3); }},
        {"frmNoFiles-browse", [] { return noFiles(0); }},
        {"frmNoFiles-drag", [] { return noFiles(1); }},
        {"frmNoFiles-dropwindow", [] { return noFiles(2); }},
        {"frmDrop", [] { return dropWindow(0); }},
        {"frmDrop-lit", [] { return dropWindow(1); }},
        {"frmDrop-refused", [] { return dropWindow(2); }},
        {"frmRename", rename},
        {"frmListName", [] { return listName(true); }},
        {"frmListName-limited", [] { return listName(false); }},
        {"frmPickMList", listPicker},
        {"frmOverview-1", [] { return overview(1, true); }},
        {"frmOverview-2", [] { return overview(2, false); }},
        {"frmOverview-3", [] { return overview(3, false); }},
        {"frmOverview-4", [] { return overview(4, false); }},
        {"frmOverview-5", [] { return overview(5, false); }},
        {"frmOverview-6", [] { return overview(6, false); }},
        {"frmOverview-7", [] { return overview(7, false); }},
        {"frmOverview-8", [] { return overview(8, false); }},
        {"frmAbout", aboutBox},
    };
    return all;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTextStream err(stderr);
    const bool pictures = argc > 1 && QByteArray(argv[1]) == "--overview-pictures";
    const int first = pictures ? 2 : 1;
    if (argc - first < 1 || argc - first > 2) {
        err << "usage: tapestrel-snapshots [--overview-pictures] <folder> [<pictures folder>]\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[first]);
    const QString picturesFolder =
        argc - first == 2 ? QString::fromLocal8Bit(argv[first + 1]) : QString();
    if (!QDir().mkpath(folder)) {
        err << "cannot make " << folder << "\n";
        return 1;
    }

    ShowcaseWorld world(picturesFolder);
    if (!world.ready) {
        err << "the pictures folder is not empty: " << picturesFolder << "\n";
        return 1;
    }
    if (pictures)
        return writeOverviewPictures(world, folder) == 0 ? 0 : 1;
    // The program's real windows, so that the panel's commands are enabled
    // as in the program; the panel's first activation opens no overview.
    PanelWindows windows;
    setProgramWindows(&windows);
    Options.ShowOverviewDialog = false;
    int failures = 0;
    for (const Snapshot& s : snapshots()) {
        std::unique_ptr<QWidget> window(s.make());
        // Modal windows are shown without their modal loop: the picture is
        // what matters here.
        window->setWindowModality(Qt::NonModal);
        window->show();
        QApplication::processEvents();
        const QString file = folder + u'/' + QString::fromLatin1(s.file) + QStringLiteral(".png");
        if (!window->grab().save(file)) {
            err << "cannot write " << file << "\n";
            ++failures;
        }
        window->hide();
    }
    setProgramWindows(nullptr);
    return failures == 0 ? 0 : 1;
}
