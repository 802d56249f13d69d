// Writes a picture of every window of the program into a folder, so that
// each can be looked at without clicking through the program:
//   tapestrel-snapshots <folder>
// Runs off screen; the windows show a list of pictures it draws itself.

#include "app/snapshots/ShowcaseWorld.h"
#include "engine/ErrorWindow.h"
#include "engine/ProgramState.h"
#include "engine/forms/frmEndProg.h"
#include "engine/forms/frmError.h"
#include "engine/forms/frmSplash.h"
#include "panel/frmDrop.h"
#include "panel/frmListName.h"
#include "panel/frmNoFiles.h"
#include "panel/frmPickMList.h"
#include "panel/frmRename.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMimeData>
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

// Every window of the program, in the order a user meets them.
const std::vector<Snapshot>& snapshots() {
    static const std::vector<Snapshot> all = {
        {"frmSplash", [] { return new frmSplash; }},
        {"frmError-message", errorMessage},
        {"frmError-question", errorQuestion},
        {"frmEndProg", [] { return new frmEndProg; }},
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
    if (argc != 2) {
        err << "usage: tapestrel-snapshots <folder>\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        err << "cannot make " << folder << "\n";
        return 1;
    }

    ShowcaseWorld world;
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
    return failures == 0 ? 0 : 1;
}
