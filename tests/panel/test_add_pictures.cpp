#include "engine/ProgramBusy.h"
#include "gui/MainForm.h"
#include "panel/AddPictures.h"
#include "platform/DriveTypes.h"
#include "platform/FileDialog.h"
#include "tests/common/PictureKit.h"
#include "tests/panel/ListsTestKit.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace {

const QString kCd = QStringLiteral("/cd");

class AddPicturesTest : public ListsTest {
protected:
    // A picture on a CD: its folder is classified as a CD drive.
    QString cdPicture(const QString& name) {
        env.drives.prefixes.insert(env.path(QStringLiteral("cd")), drive::CdRom);
        return writePicture(env, QStringLiteral("cd/") + name, "cd picture bytes");
    }
    QString copyFolder(const QString& kind) const { return Options.PrivateMagicListPath + kind; }
};

TEST_F(AddPicturesTest, ChosenFilesAreAddedAndSelectedBesideTheEarlierSelection) {
    makeList(2);
    ActiveMagicList.SelectOnlyAcitve();
    const QByteArray before = readBytes(ActiveMagicList.GetFilePath());
    env.fileDialog.answers = {{picture(QStringLiteral("one")), picture(QStringLiteral("two"))}};
    addImageFiles(views);
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"A", "B", "one", "two"}));
    EXPECT_EQ(selected(), (QStringList{"A", "one", "two"}));
    EXPECT_EQ(views.calls,
              (QStringList{"StoreActiveList", "focusEntryList", "UpdateSelectionState"}));
    EXPECT_EQ(readBytes(ActiveMagicList.GetFilePath()), before); // not saved
    EXPECT_EQ(env.fileDialog.titles, QStringList{QStringLiteral("Select a Wallpaper Image")});
    // The filter's name as ever, and the patterns of what the program reads.
    EXPECT_EQ(env.fileDialog.filters.value(0),
              QStringLiteral("All Graphics Files|") + readablePicturePatterns());
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(AddPicturesTest, OneChosenFileWithBlanksIsAdded) {
    env.fileDialog.answers = {{picture(QStringLiteral("my photo"))}};
    addImageFiles(views);
    EXPECT_EQ(namesOf(ActiveMagicList), QStringList{QStringLiteral("my photo")});
}

TEST_F(AddPicturesTest, ACancelledDialogChangesNothingAndSaysNothing) {
    makeList(1);
    addImageFiles(views);
    EXPECT_EQ(ActiveMagicList.GetCount(), 1);
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(AddPicturesTest, AChosenFileThatIsNoPictureGivesTheDialogsMessage) {
    env.fileDialog.answers = {
        {picture(QStringLiteral("fine")), env.writeFile(QStringLiteral("pics/x.jpg"), "text")}};
    addImageFiles(views);
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message,
              QStringLiteral("The file you selected is not a valid graphic file.  It can not be "
                             "used as wallpaper."));
    EXPECT_EQ(env.errors.calls[0].buttons, 0);
    EXPECT_TRUE(env.errors.calls[0].title.isEmpty());
}

TEST_F(AddPicturesTest, ChosenPicturesFromACdAreCopied) {
    env.fileDialog.answers = {{cdPicture(QStringLiteral("scan.png"))}};
    // The probe wants a real picture.
    QImage(4, 4, QImage::Format_RGB32).save(env.path(QStringLiteral("cd/scan.png")), "PNG");
    addImageFiles(views);
    EXPECT_EQ(ActiveMagicList.GetEntryPath(0), copyFolder(QStringLiteral("CD Images/scan.png")));
}

TEST_F(AddPicturesTest, DropsLandInFrontOfTheEntryDroppedOn) {
    const struct {
        int16_t before;
        int16_t dropIndex;
        QStringList order;
    } cases[] = {
        {5, 2, {"A", "B", "N1", "N2", "N3", "C", "D", "E"}},
        {5, 0, {"A", "B", "C", "D", "E", "N1", "N2", "N3"}},  // the first entry appends
        {5, -1, {"A", "B", "C", "D", "E", "N1", "N2", "N3"}}, // below the last item
        {0, -1, {"N1", "N2", "N3"}},
    };
    const QStringList dropped{picture(QStringLiteral("N1")), picture(QStringLiteral("N2")),
                              picture(QStringLiteral("N3"))};
    for (const auto& c : cases) {
        ActiveMagicList = clsMagicList();
        makeList(c.before);
        ActiveMagicList.SelectOnlyAcitve();
        views.calls.clear();
        dropOnEntryList(views, dropped, c.dropIndex);
        EXPECT_EQ(namesOf(ActiveMagicList), c.order) << c.dropIndex;
        EXPECT_EQ(selected(), (QStringList{"N1", "N2", "N3"})) << c.dropIndex;
        EXPECT_EQ(views.calls,
                  (QStringList{"FillEntryList", "focusEntryList", "UpdateSelectionState"}));
    }
}

TEST_F(AddPicturesTest, DroppedEntriesMoveEvenWhenTheLastFileIsRefused) {
    makeList(5);
    const QString folder = env.path(QStringLiteral("pics"));
    dropOnEntryList(views, {picture(QStringLiteral("N1")), folder}, 2);
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"A", "B", "N1", "C", "D", "E"}));
    EXPECT_EQ(env.errors.messages(), QStringList{QStringLiteral("Unable to add '") + folder +
                                                 QStringLiteral("' to the magic list.")});
}

TEST_F(AddPicturesTest, ManyRefusedFilesGiveOneMessageNamingTheFirstTen) {
    QStringList files;
    for (int i = 1; i <= 14; ++i)
        files << env.path(QStringLiteral("gone/%1.jpg").arg(i));
    files.insert(3, picture(QStringLiteral("kept")));
    dropOnEntryList(views, files, -1);
    EXPECT_EQ(namesOf(ActiveMagicList), QStringList{QStringLiteral("kept")});
    ASSERT_EQ(env.errors.calls.size(), 1);
    QString expected = QStringLiteral("Unable to add these files to the magic list:");
    for (int i = 1; i <= 10; ++i)
        expected += QStringLiteral("\r\n") + env.path(QStringLiteral("gone/%1.jpg").arg(i));
    expected += QStringLiteral("\r\nand 4 more.");
    EXPECT_EQ(env.errors.calls[0].message, expected);
}

// The path a file manager's drop of the file hands over.
QString droppedPath(const QByteArray& uriList) {
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList);
    return droppedFiles(&data).value(0);
}

TEST_F(AddPicturesTest, ANameThatIsNotUtf8IsRefusedSayingWhy) {
    const QString odd = droppedPath(writePictureWithNonUtf8Name(env, QStringLiteral("odd")));
    if (odd.isEmpty())
        GTEST_SKIP() << "the file system here takes no name that is not UTF-8";
    const QString shown = env.path(QStringLiteral("odd")) + QStringLiteral("/bad\\xFFbyte.png");
    makeList(1);
    dropOnEntryList(views, {odd}, -1);
    collectDroppedFiles({odd});
    EXPECT_EQ(namesOf(ActiveMagicList), QStringList{QStringLiteral("A")});
    const QString alone = QStringLiteral("Unable to add '") + shown +
                          QStringLiteral("' to the magic list.\r\n\r\nIts name is not UTF-8 text, "
                                         "and a magic list keeps only names that are: rename the "
                                         "file, then add it again.");
    EXPECT_EQ(env.errors.messages(), (QStringList{alone, alone}));

    // Among other refusals it is marked, and the reason follows the list.
    env.errors.calls.clear();
    const QString gone = env.path(QStringLiteral("gone.jpg"));
    dropOnEntryList(views, {gone, odd, picture(QStringLiteral("fine"))}, -1);
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"A", "fine"}));
    EXPECT_EQ(env.errors.messages(),
              QStringList{QStringLiteral("Unable to add these files to the magic list:\r\n") +
                          gone + QStringLiteral("\r\n") + shown +
                          QStringLiteral("  (its name is not UTF-8 text)\r\n\r\nA magic list keeps "
                                         "only names that are UTF-8 text: rename those files, then "
                                         "add them again.")});

    // Chosen in a dialog that hands such names over, it is refused the same
    // way, not as a file that is no picture.
    env.errors.calls.clear();
    env.fileDialog.answers = {{odd}};
    addImageFiles(views);
    EXPECT_EQ(env.errors.messages(), QStringList{alone});
}

TEST_F(AddPicturesTest, ACopyThatFailsEndsTheDropAndSaysWhy) {
    const QString first = cdPicture(QStringLiteral("one.jpg"));
    const QString second = cdPicture(QStringLiteral("two.jpg"));
    dropOnEntryList(views, {first}, -1);
    // A file now stands where the copy folder should be made.
    QDir(copyFolder(QStringLiteral("CD Images"))).removeRecursively();
    env.writeFile(QStringLiteral("home/Documents/My Magic Lists/CD Images"), "in the way");
    const QString third = picture(QStringLiteral("three"));
    env.errors.calls.clear();
    views.calls.clear();
    dropOnEntryList(views, {third, second, picture(QStringLiteral("four"))}, -1);
    // The entries before the failure stay; the rest is not added.
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"one", "three"}));
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_TRUE(env.errors.calls[0].message.endsWith(QStringLiteral("\r\n") + second));
    EXPECT_EQ(views.calls.value(0), QStringLiteral("FillEntryList"));
}

TEST_F(AddPicturesTest, DroppedFilesComeOnlyFromLocalFileLists) {
    QMimeData text;
    text.setText(QStringLiteral("/etc/passwd"));
    EXPECT_TRUE(droppedFiles(&text).isEmpty());
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/cat.jpg"))});
    EXPECT_FALSE(bringsFiles(&remote));
    QMimeData mixed;
    mixed.setUrls({QUrl(QStringLiteral("https://example.org/cat.jpg")),
                   QUrl::fromLocalFile(QStringLiteral("/pics/a b.jpg"))});
    EXPECT_EQ(droppedFiles(&mixed), QStringList{QStringLiteral("/pics/a b.jpg")});

    makeList(2);
    dropOnEntryList(views, droppedFiles(&text), 1);
    EXPECT_EQ(ActiveMagicList.GetCount(), 2);
    EXPECT_TRUE(views.calls.isEmpty());
}

TEST_F(AddPicturesTest, FiveThousandDroppedFilesAllArrive) {
    QStringList files;
    for (int i = 0; i < 5000; ++i)
        files << env.writeFile(QStringLiteral("many/%1.jpg").arg(i), "x");
    dropOnEntryList(views, files, -1);
    EXPECT_EQ(ActiveMagicList.GetCount(), 5000);
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_FALSE(ProgramIsBusy());
}

TEST_F(AddPicturesTest, NothingIsAddedWhileLongWorkRuns) {
    makeList(1);
    env.fileDialog.answers = {{picture(QStringLiteral("x"))}};
    {
        BusyWork busy;
        addImageFiles(views);
        dropOnEntryList(views, {picture(QStringLiteral("y"))}, -1);
        collectDroppedFiles({picture(QStringLiteral("z"))});
        addSampleImages(views);
        getSomeFiles(views);
    }
    EXPECT_EQ(ActiveMagicList.GetCount(), 1);
    EXPECT_TRUE(env.fileDialog.titles.isEmpty());
    EXPECT_TRUE(windows.calls.isEmpty());
    EXPECT_TRUE(views.calls.isEmpty());
}

// The empty-list offer, choice by choice.
TEST_F(AddPicturesTest, TheEmptyListOfferActsOnTheChoice) {
    windows.dropWindow = [] { return new QWidget; };
    QDir().mkpath(Options.PublicImagesPath + QStringLiteral("Samples"));
    writePicture(env, QStringLiteral("program/Images/Samples/s1.jpg"));
    int16_t choice = -1;
    windows.noFiles = [&](NoFilesFields& f) { f.NoFilesChoice = choice; };
    for (int16_t c : {-1, 1, 0, 2, 2, 3}) {
        choice = c;
        views.calls.clear();
        windows.calls.clear();
        getSomeFiles(views);
        EXPECT_EQ(views.calls.value(0), QStringLiteral("clearEntryList")) << c;
        EXPECT_EQ(windows.calls.value(0), QStringLiteral("NoFiles")) << c;
    }
    EXPECT_EQ(env.fileDialog.titles.size(), 1); // choice 0 opened the file dialog
    EXPECT_TRUE(DropWindow);                    // choice 2 turned the drop window on
    EXPECT_EQ(namesOf(ActiveMagicList), QStringList{QStringLiteral("s1")});
}

TEST_F(AddPicturesTest, TheDropWindowChoiceOpensOneWindowOnly) {
    int made = 0;
    windows.dropWindow = [&] {
        ++made;
        return new QWidget;
    };
    windows.noFiles = [](NoFilesFields& f) { f.NoFilesChoice = 2; };
    getSomeFiles(views);
    getSomeFiles(views);
    EXPECT_EQ(made, 1);
}

TEST_F(AddPicturesTest, WithTheOfferSwitchedOffNothingHappens) {
    Options.ShowEmptyDialog = false;
    getSomeFiles(views);
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_TRUE(windows.calls.isEmpty());
}

TEST_F(AddPicturesTest, SamplesAreTheFirstHundredInNameOrder) {
    for (int i = 120; i >= 1; --i)
        writePicture(env,
                     QStringLiteral("program/Images/Samples/f%1.jpg").arg(i, 3, 10, QChar(u'0')));
    writePicture(env, QStringLiteral("program/Images/Samples/.hidden.jpg"));
    QDir().mkpath(Options.PublicImagesPath + QStringLiteral("Samples/a folder"));
    addSampleImages(views);
    ASSERT_EQ(ActiveMagicList.GetCount(), 100);
    EXPECT_EQ(ActiveMagicList.GetEntryName(0), QStringLiteral("f001"));
    EXPECT_EQ(ActiveMagicList.GetEntryName(99), QStringLiteral("f100"));
    EXPECT_EQ(ActiveMagicList.GetActiveEntry(), 0);
    EXPECT_EQ(selected(), QStringList{QStringLiteral("f001")});
    EXPECT_TRUE(ActiveMagicList.HasActiveEntryChanged());
    EXPECT_EQ(views.calls, QStringList{QStringLiteral("DisplaySelectedEntry(True)")});
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

TEST_F(AddPicturesTest, WithoutASamplesFolderNothingHappens) {
    addSampleImages(views);
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    EXPECT_TRUE(views.calls.isEmpty());
    EXPECT_TRUE(env.errors.calls.isEmpty());
}

// The drop window's drops.

TEST_F(AddPicturesTest, ADropOnTheDropWindowShowsItsFirstPicture) {
    openPanel();
    makeList(4);
    ActiveMagicList.SetEntrySelected(1, true);
    Options.MakeDroppedActive = true;
    collectDroppedFiles({picture(QStringLiteral("N1")), picture(QStringLiteral("N2")),
                         picture(QStringLiteral("N3"))});
    EXPECT_EQ(ActiveMagicList.GetCount(), 7);
    EXPECT_EQ(ActiveMagicList.GetActiveEntry(), 4);
    EXPECT_EQ(option(QStringLiteral("ActiveItem")), QStringLiteral("4"));
    EXPECT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(windows.count(QStringLiteral("Rename")), 0); // several files: no name asked
    EXPECT_EQ(windows.count(QStringLiteral("Refresh")), 1);
}

TEST_F(AddPicturesTest, WithoutMakingDroppedActiveThePanelIsStillRefreshed) {
    openPanel();
    makeList(2);
    ActiveMagicList.SetEntrySelected(0, true);
    Options.MakeDroppedActive = false;
    Options.PromptForNameOnDrop = false;
    collectDroppedFiles({picture(QStringLiteral("N1")), picture(QStringLiteral("N2"))});
    EXPECT_EQ(selected(), (QStringList{"N1", "N2"}));
    EXPECT_TRUE(desktop.applied.isEmpty());
    EXPECT_EQ(ActiveMagicList.GetActiveEntry(), 0);
    EXPECT_EQ(windows.count(QStringLiteral("Refresh")), 1);
}

TEST_F(AddPicturesTest, ARefusedFirstFileIsNotTheOneShown) {
    openPanel();
    Options.MakeDroppedActive = true;
    const QString folder = env.path(QStringLiteral("pics"));
    collectDroppedFiles({folder, picture(QStringLiteral("good"))});
    EXPECT_EQ(namesOf(ActiveMagicList), QStringList{QStringLiteral("good")});
    EXPECT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(CurrentWallpaper.Path, ActiveMagicList.GetEntryPath(0));
    EXPECT_EQ(env.errors.messages(), QStringList{QStringLiteral("Unable to add '") + folder +
                                                 QStringLiteral("' to the magic list.")});
    EXPECT_EQ(windows.count(QStringLiteral("Refresh")), 1);
}

TEST_F(AddPicturesTest, ANamedDropNamesTheEntryAndTheCopy) {
    Options.MakeDroppedActive = false;
    Options.PromptForNameOnDrop = true;
    const QString photo = cdPicture(QStringLiteral("photo[2].jpg"));
    QStringList asked;
    QString answer = QStringLiteral("Beach");
    bool cancel = false;
    windows.rename = [&](RenameFields& f) {
        asked << f.ImagePath;
        f.Cancelled = cancel;
        f.NewName = answer;
    };
    collectDroppedFiles({photo});
    collectDroppedFiles({photo});
    cancel = true;
    collectDroppedFiles({photo});
    EXPECT_EQ(asked, (QStringList{photo, photo, photo}));
    const QString cd = copyFolder(QStringLiteral("CD Images/"));
    EXPECT_EQ(ActiveMagicList.GetEntryPath(0), cd + QStringLiteral("Beach.jpg"));
    EXPECT_EQ(ActiveMagicList.GetEntryPath(1), cd + QStringLiteral("Beach[1].jpg"));
    EXPECT_EQ(ActiveMagicList.GetEntryPath(2), cd + QStringLiteral("photo.jpg"));
    EXPECT_EQ(namesOf(ActiveMagicList), (QStringList{"Beach", "Beach", "photo"}));
}

TEST_F(AddPicturesTest, ATypedNameNeverPlacesTheCopyOutsideItsFolder) {
    Options.MakeDroppedActive = false;
    const QString photo = cdPicture(QStringLiteral("photo.jpg"));
    const QString cd = copyFolder(QStringLiteral("CD Images/"));
    const struct {
        const char* typed;
        const char* file;
    } cases[] = {{"../../escape", "escape.jpg"},
                 {"a/b\\c", "abc.jpg"},
                 {"two\nlines", "twolines.jpg"},
                 {"..", "photo.jpg"},
                 {"Ünïcødé 写真 \"quoted\"", "Ünïcødé 写真 \"quoted\".jpg"}};
    for (const auto& c : cases) {
        windows.rename = [&](RenameFields& f) {
            f.Cancelled = false;
            f.NewName = QString::fromUtf8(c.typed);
        };
        ActiveMagicList = clsMagicList();
        collectDroppedFiles({photo});
        ASSERT_EQ(ActiveMagicList.GetCount(), 1) << c.typed;
        EXPECT_EQ(ActiveMagicList.GetEntryPath(0), cd + QString::fromUtf8(c.file)) << c.typed;
    }
    EXPECT_FALSE(QFileInfo::exists(Options.PrivateMagicListPath + QStringLiteral("escape.jpg")));
}

} // namespace
