#include "panel/AddPictures.h"

#include "engine/DisplayEntry.h"
#include "engine/ErrorWindow.h"
#include "engine/FileRoutines.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/PictureCopies.h"
#include "engine/ProgramBusy.h"
#include "engine/ProgramState.h"
#include "engine/Windows.h"
#include "gui/MainForm.h"
#include "panel/PanelViews.h"
#include "platform/FileDialog.h"
#include "platform/FileNames.h"
#include "runtime/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <functional>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");
constexpr qsizetype kNamedRefusals = 10;
constexpr qsizetype kMostSamples = 100;

const QString kNotUtf8 = QStringLiteral("  (its name is not UTF-8 text)");

// What could not be added in one go, reported in one message at the end.
class Refusals {
public:
    void refuse(const QString& path) { paths_ << path; }
    // A file whose name a list file can't keep: the list keeps its paths as
    // UTF-8 text, and the name's bytes are not, so it would come back as
    // another name. Shown as it is on disk.
    void refuseName(const QString& path) {
        paths_ << readablePath(path);
        badNames_ << paths_.size() - 1;
    }
    void fail(const QString& path, const QString& errorText) {
        failedPath_ = path;
        errorText_ = errorText;
    }
    bool failed() const { return !errorText_.isEmpty(); }

    void report() const {
        QString message;
        if (paths_.size() == 1) {
            message = QStringLiteral("Unable to add '") + paths_.first() +
                      QStringLiteral("' to the magic list.");
            if (!badNames_.isEmpty())
                message += kLineBreak + kLineBreak +
                           QStringLiteral("Its name is not UTF-8 text, and a magic list keeps only "
                                          "names that are: rename the file, then add it again.");
        } else if (!paths_.isEmpty()) {
            message = QStringLiteral("Unable to add these files to the magic list:");
            for (qsizetype i = 0; i < paths_.size() && i < kNamedRefusals; ++i)
                message += kLineBreak + paths_[i] + (badNames_.contains(i) ? kNotUtf8 : QString());
            if (paths_.size() > kNamedRefusals)
                message +=
                    kLineBreak + QStringLiteral("and %1 more.").arg(paths_.size() - kNamedRefusals);
            if (!badNames_.isEmpty())
                message += kLineBreak + kLineBreak +
                           QStringLiteral("A magic list keeps only names that are UTF-8 text: "
                                          "rename those files, then add them again.");
        }
        if (failed()) {
            if (!message.isEmpty())
                message += kLineBreak + kLineBreak;
            message += errorText_ + kLineBreak + failedPath_;
        }
        if (!message.isEmpty())
            ShowErrorMessage(message, 0, QString());
    }

private:
    QStringList paths_;
    QList<qsizetype> badNames_;
    QString failedPath_;
    QString errorText_;
};

// Adds each file to the active list under the path GetImageFolderName
// gives it (a copy for pictures from removable media), and hands each new
// entry's index to `added`. A copy that fails ends the adding.
void addPictures(const QStringList& files, const QString& copyName, Refusals& refusals,
                 const std::function<void(int16_t)>& added) {
    BusyWork busy;
    for (const QString& file : files) {
        busy.serveEvents();
        if (hasNonUtf8Name(file)) {
            refusals.refuseName(file);
            continue;
        }
        // Folders and special files are no pictures; they are not copied.
        if (!QFileInfo(file).isFile()) {
            refusals.refuse(file);
            continue;
        }
        QString path;
        try {
            path = GetImageFolderName(file, copyName);
        } catch (const RuntimeError& e) {
            refusals.fail(file, e.description());
            return;
        }
        if (path.isEmpty())
            continue;
        int32_t colour = -1;
        int16_t placement = -1;
        const int16_t index = ActiveMagicList.addItemQuietly(path, colour, placement);
        if (index < 0)
            refusals.refuse(file);
        else
            added(index);
    }
}

void selectNoEntry() {
    for (int16_t i = 0; i < ActiveMagicList.GetCount(); ++i)
        ActiveMagicList.SetEntrySelected(i, false);
}

void selectEntry(int16_t index) {
    ActiveMagicList.SetEntrySelected(index, true);
}

} // namespace

QString pictureDialogTitle() {
    return QStringLiteral("Select a Wallpaper Image");
}

QString pictureDialogFilter() {
    // Every format the program can read here, so that no picture it would
    // take is hidden from the user, and none it would refuse is offered.
    return QStringLiteral("All Graphics Files|") + readablePicturePatterns();
}

QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files << url.toLocalFile();
    }
    return files;
}

bool bringsFiles(const QMimeData* data) {
    return !droppedFiles(data).isEmpty();
}

void addImageFiles(PanelViews& views) {
    if (ProgramIsBusy())
        return;
    const FileDialogResult chosen =
        choosePictureFiles(views.panelWindow(), pictureDialogTitle(), pictureDialogFilter());
    if (chosen.code == dlgerr::Cancelled)
        return;
    if (chosen.code == dlgerr::InvalidFormat) {
        ShowErrorMessage(QStringLiteral("The file you selected is not a valid graphic file.  It "
                                        "can not be used as wallpaper."),
                         0, QString());
        return;
    }
    // The tray and the timer ran while the dialog was open.
    if (ProgramIsBusy())
        return;
    Refusals refusals;
    addPictures(chosen.paths, QString(), refusals, selectEntry);
    views.StoreActiveList();
    views.focusEntryList();
    views.UpdateSelectionState();
    refusals.report();
}

void dropOnEntryList(PanelViews& views, const QStringList& files, int16_t dropIndex) {
    if (ProgramIsBusy() || files.isEmpty())
        return;
    const int16_t countBefore = ActiveMagicList.GetCount();
    selectNoEntry();
    Refusals refusals;
    addPictures(files, QString(), refusals, selectEntry);
    // Whenever any was added, even when the last file was refused.
    if (ActiveMagicList.GetCount() > countBefore && countBefore > 0 && dropIndex > 0) {
        int16_t to = dropIndex;
        for (int k = countBefore + 1; k <= ActiveMagicList.GetCount(); ++k) {
            ActiveMagicList.MoveItem(static_cast<int16_t>(k - 1), to);
            ++to;
        }
    }
    views.FillEntryList();
    views.focusEntryList();
    // Copies the refilled selection back and redraws the preview.
    views.UpdateSelectionState();
    refusals.report();
}

void getSomeFiles(PanelViews& views) {
    if (!Options.ShowEmptyDialog || ProgramIsBusy())
        return;
    views.clearEntryList();
    NoFilesFields answer;
    programWindows().runNoFilesDialog(answer);
    switch (answer.NoFilesChoice) {
    case 0:
        addImageFiles(views);
        break;
    case 2:
        if (!DropWindow)
            ShowDropWindow();
        break;
    case 3:
        addSampleImages(views);
        break;
    default:
        break;
    }
}

void addSampleImages(PanelViews& views) {
    if (ProgramIsBusy())
        return;
    const QString folder = withSlash(Options.PublicImagesPath) + QStringLiteral("Samples/");
    // Every name is taken before any is added.
    const QStringList names =
        QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase).mid(0, kMostSamples);
    Refusals refusals;
    for (const QString& name : names) {
        int32_t colour = -1;
        int16_t placement = -1;
        if (ActiveMagicList.addItemQuietly(folder + name, colour, placement) < 0)
            refusals.refuse(folder + name);
    }
    if (ActiveMagicList.GetCount() > 0) {
        ActiveMagicList.SetActiveEntry(0);
        ActiveMagicList.SelectOnlyAcitve();
        ActiveMagicList.SetActiveEntryChanged();
        views.DisplaySelectedEntry(true);
    }
    refusals.report();
}

void collectDroppedFiles(const QStringList& files) {
    if (ProgramIsBusy() || files.isEmpty())
        return;
    QString name;
    if (files.size() == 1 && Options.PromptForNameOnDrop) {
        RenameFields naming;
        naming.ImagePath = files.first();
        programWindows().runRenameDialog(naming);
        // A cancel only skips the naming: the file is still added.
        if (!naming.Cancelled)
            name = naming.NewName;
        if (ProgramIsBusy())
            return;
    }
    selectNoEntry();
    int16_t noted = -1;
    Refusals refusals;
    addPictures(files, name, refusals, [&](int16_t index) {
        if (!name.isEmpty())
            ActiveMagicList.SetEntryName(index, name);
        selectEntry(index);
        if (Options.MakeDroppedActive && noted < 0)
            noted = index;
    });
    if (noted >= 0 && !refusals.failed())
        DisplayListEntry(ActiveMagicList, noted, true);
    if (MainForm)
        MainForm->RefreshControlPanel();
    refusals.report();
}
