#include "engine/FileRoutines.h"
#include "panel/PanelWindows.h"
#include "panel/frmListName.h"
#include "panel/frmNoFiles.h"
#include "panel/frmPickMList.h"
#include "panel/frmRename.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/panel/ListsTestKit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

namespace {

class ListDialogsTest : public ListsTest {
protected:
    ListDialogsTest() { setProgramWindows(&real); }

    void index(const QList<ListIndexEntry>& rows) {
        ListIndexEntries = {ListIndexEntry{}};
        ListIndexEntries.append(rows);
        if (rows.isEmpty())
            ListIndexEntries.append(ListIndexEntry{});
        ListIndexCount = static_cast<int16_t>(rows.size());
    }
    void limitedUser() {
        ThisRun.writeProbeDone = true;
        ThisRun.writeProbeAnswer = false;
    }

    PanelWindows real;
    ModalAnswerer answers;
};

// frmListName

TEST_F(ListDialogsTest, TheListNameDialogShowsItsTexts) {
    answers.next<frmListName>([](frmListName* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Magic List Name"));
        EXPECT_EQ(f->lblQuestion->text(),
                  QStringLiteral("What is the name of this Tapestrel Magic list?"));
        EXPECT_EQ(f->lblExample->text(), QStringLiteral("Example:  Our Vacation"));
        EXPECT_EQ(f->chkPublic->text(),
                  QStringLiteral("Make this list available to other users on this computer"));
        EXPECT_TRUE(f->chkPublic->isVisible());
        EXPECT_TRUE(f->chkPublic->isChecked());
        EXPECT_EQ(f->txtListName->text(), QStringLiteral("Work"));
        EXPECT_TRUE(f->cmdOK->isDefault());
        EXPECT_EQ(f->cancelButton(), f->cmdCancel);
        clickButton(f->chkPublic);
        clickButton(f->cmdOK);
    });
    ListNameFields fields;
    fields.ListName = QStringLiteral("Work");
    fields.ListIsPublic = true;
    real.runListNameDialog(fields);
    EXPECT_FALSE(fields.Cancelled);
    EXPECT_EQ(fields.ListName, QStringLiteral("Work"));
    EXPECT_FALSE(fields.ListIsPublic);
}

TEST_F(ListDialogsTest, EmptyAndBlankNamesAreRefused) {
    for (const char* typed : {"", "   "}) {
        answers.next<frmListName>([&](frmListName* f) {
            f->txtListName->setText(QString::fromLatin1(typed));
            clickButton(f->cmdOK);
            EXPECT_TRUE(f->isVisible());
            clickButton(f->cmdCancel);
        });
        ListNameFields fields;
        real.runListNameDialog(fields);
        EXPECT_TRUE(fields.Cancelled);
    }
    ASSERT_EQ(env.errors.calls.size(), 2);
    for (const auto& call : env.errors.calls) {
        EXPECT_EQ(call.message, QStringLiteral("You must provide a name for the Magic List."));
        EXPECT_EQ(call.title, QStringLiteral("Missing Name"));
        EXPECT_EQ(call.buttons, 64);
    }
}

TEST_F(ListDialogsTest, OnlyTheRenamedListMayKeepItsName) {
    const QString holiday = QStringLiteral("/lists/MList1.MLS");
    const QString work = QStringLiteral("/lists/MList2.MLS");
    index({{QStringLiteral("Holiday"), holiday}, {QStringLiteral("Work"), work}});
    ActiveMagicList.SetListName(QStringLiteral("Holiday"));
    const struct {
        const char* renamed; // empty: a new list
        const char* typed;
        bool accepted;
    } cases[] = {
        {"", "holiday", false},       // a new list exempts no name, not even the open list's
        {"", " Work ", false},        // compared trimmed
        {"", "Trip", true},           //
        {"work", "WORK", true},       // the renamed list keeps its name in any case
        {"work", "Holiday ", false},  //
        {"holiday", "Holiday", true}, //
        {"work", "Über Ärger", true}, // letters of any script
        {"work", "say \"hi\"", true}, // quotes are only text
    };
    for (const auto& c : cases) {
        env.errors.calls.clear();
        const QString renamed = QString::fromLatin1(c.renamed) == QStringLiteral("work") ? work
                                : QString::fromLatin1(c.renamed) == QStringLiteral("holiday")
                                    ? holiday
                                    : QString();
        bool staysOpen = false;
        answers.next<frmListName>([&](frmListName* f) {
            f->txtListName->setText(QString::fromUtf8(c.typed));
            clickButton(f->cmdOK);
            staysOpen = f->isVisible();
            if (staysOpen)
                clickButton(f->cmdCancel);
        });
        ListNameFields fields;
        fields.RenamedListPath = renamed;
        real.runListNameDialog(fields);
        EXPECT_EQ(!fields.Cancelled, c.accepted) << c.typed;
        EXPECT_EQ(staysOpen, !c.accepted) << c.typed;
        if (c.accepted) {
            EXPECT_EQ(fields.ListName, QString::fromUtf8(c.typed)); // as typed
            EXPECT_TRUE(env.errors.calls.isEmpty());
        } else {
            ASSERT_EQ(env.errors.calls.size(), 1) << c.typed;
            EXPECT_EQ(env.errors.calls[0].message,
                      QStringLiteral("Sorry, but a Magic List with that name already exists.  "
                                     "Please select a different name."));
            EXPECT_EQ(env.errors.calls[0].title, QStringLiteral("Name already in use"));
        }
    }
}

TEST_F(ListDialogsTest, ALimitedUserIsNotOfferedAPublicList) {
    limitedUser();
    answers.next<frmListName>([](frmListName* f) {
        EXPECT_FALSE(f->chkPublic->isVisible());
        EXPECT_EQ(f->height(), kit::pxY(2745 - 405));
        EXPECT_EQ(f->Frame1->height(), kit::pxY(2220));
        EXPECT_EQ(f->cmdOK->y(), kit::pxY(1500));
        f->txtListName->setText(QStringLiteral("Mine"));
        clickButton(f->cmdOK);
    });
    ListNameFields fields;
    fields.ListIsPublic = true;
    real.runListNameDialog(fields);
    EXPECT_FALSE(fields.Cancelled);
    EXPECT_TRUE(fields.ListIsPublic); // as it went in
}

TEST_F(ListDialogsTest, ClosingOrEscapeIsCancel) {
    answers.next<frmListName>([](frmListName* f) {
        f->txtListName->setText(QStringLiteral("New"));
        f->close();
    });
    answers.next<frmPickMList>([](frmPickMList* f) { f->close(); });
    answers.next<frmRename>([](frmRename* f) { QTest::keyClick(f, Qt::Key_Escape); });
    index({{QStringLiteral("One"), QStringLiteral("/x")}});
    ActiveMagicList.SetListName(QStringLiteral("One"));
    ListNameFields name;
    real.runListNameDialog(name);
    ListPickerFields pick;
    real.runListPicker(pick);
    RenameFields rename;
    rename.NewName = QStringLiteral("Sea");
    real.runRenameDialog(rename);
    EXPECT_TRUE(name.Cancelled);
    EXPECT_TRUE(pick.Cancelled);
    EXPECT_TRUE(rename.Cancelled);
    EXPECT_EQ(answers.pending(), 0);
}

// frmPickMList

TEST_F(ListDialogsTest, ThePickerListsByNameAndChoosesTheOpenList) {
    index({{QStringLiteral("Work"), QStringLiteral("/w")},
           {QStringLiteral("Home"), QStringLiteral("/h1")},
           {QStringLiteral("Art"), QStringLiteral("/a")},
           {QStringLiteral("Home"), QStringLiteral("/h2")}});
    ActiveMagicList.SetListName(QStringLiteral("Home"));
    answers.next<frmPickMList>([](frmPickMList* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Choose Magic List"));
        EXPECT_EQ(f->lblList->text(), QStringLiteral("Magic List:"));
        EXPECT_EQ(f->cmdClose->text(), QStringLiteral("Cancel"));
        QStringList shown;
        QList<int> rows;
        for (int i = 0; i < f->cmbName->count(); ++i) {
            shown << f->cmbName->itemText(i);
            rows << f->cmbName->itemData(i).toInt();
        }
        EXPECT_EQ(shown, (QStringList{"Art", "Home", "Home", "Work"}));
        EXPECT_EQ(rows, (QList<int>{3, 2, 4, 1}));
        EXPECT_EQ(f->cmbName->currentData().toInt(), 4); // the last row with the name
        QTest::keyClick(f, Qt::Key_Return);
    });
    ListPickerFields fields;
    real.runListPicker(fields);
    EXPECT_FALSE(fields.Cancelled);
    EXPECT_EQ(fields.PickedListNumber, 4);
}

TEST_F(ListDialogsTest, OkWithoutAChoiceIsCancelled) {
    for (int rows : {2, 0}) {
        index(rows ? QList<ListIndexEntry>{{QStringLiteral("Work"), QStringLiteral("/w")},
                                           {QStringLiteral("Home"), QStringLiteral("/h")}}
                   : QList<ListIndexEntry>{});
        ActiveMagicList.SetListName(QStringLiteral("home")); // the case must match
        answers.next<frmPickMList>([](frmPickMList* f) {
            EXPECT_EQ(f->cmbName->currentIndex(), -1);
            clickButton(f->cmdOK);
        });
        ListPickerFields fields;
        real.runListPicker(fields);
        EXPECT_TRUE(fields.Cancelled) << rows;
    }
}

// frmNoFiles

// Presses the buttons in order ('O' OK, 'C' Cancel, 'T' tick or untick the
// box, a digit chooses that way) and returns the choice.
int16_t runNoFiles(PanelWindows& real, ModalAnswerer& answers, const std::string& presses) {
    answers.next<frmNoFiles>([presses](frmNoFiles* f) {
        for (char p : presses) {
            if (!f->isVisible())
                break;
            if (p == 'O')
                clickButton(f->cmdOK);
            else if (p == 'C')
                clickButton(f->cmdCancel);
            else if (p == 'T')
                clickButton(f->chkDontShow);
            else
                clickButton(f->optFileType[p - '0']);
        }
        if (f->isVisible())
            f->close();
    });
    NoFilesFields fields;
    real.runNoFilesDialog(fields);
    return fields.NoFilesChoice;
}

TEST_F(ListDialogsTest, TheEmptyListDialogsWaysAndPages) {
    const struct {
        const char* presses;
        int16_t choice;
        bool stillShown; // Options.ShowEmptyDialog afterwards
    } cases[] = {
        {"OO", 3, true},  {"0OCC", -1, true}, {"TC", -1, false}, {"TOCTOO", 3, false},
        {"1OO", 1, true}, {"2OO", 2, true},   {"C", -1, true},   {"0O", -1, true},
    };
    for (const auto& c : cases) {
        Options.ShowEmptyDialog = true;
        EXPECT_EQ(runNoFiles(real, answers, c.presses), c.choice) << c.presses;
        EXPECT_EQ(Options.ShowEmptyDialog, c.stillShown) << c.presses;
    }
}

TEST_F(ListDialogsTest, TheEmptyListDialogsFirstPage) {
    answers.next<frmNoFiles>([](frmNoFiles* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Add Wallpaper Images"));
        EXPECT_EQ(f->lblHeading->text(), QStringLiteral("Your Magic List is Empty!"));
        EXPECT_EQ(f->lblIntro->text(),
                  QStringLiteral(
                      "To use Tapestrel, you need to add some images to your current magic list.  "
                      "There are several different ways you can do this.  Select one of the "
                      "options from the following list and click OK to add images to your list."));
        EXPECT_EQ(f->chkDontShow->text(), QStringLiteral("Don't show me this window again"));
        EXPECT_TRUE(f->optFileType[3]->isChecked());
        // From the top: samples, browse, drag onto the panel, the drop window.
        EXPECT_LT(f->optFileType[3]->y(), f->optFileType[0]->y());
        EXPECT_LT(f->optFileType[0]->y(), f->optFileType[1]->y());
        EXPECT_LT(f->optFileType[1]->y(), f->optFileType[2]->y());
        EXPECT_EQ(f->optFileType[0]->text(),
                  QStringLiteral("Browse your computer for compatible image files"));
        EXPECT_EQ(f->optFileType[1]->text(),
                  QStringLiteral("Drag and Drop files from Windows Explorer directly into your "
                                 "magic list on the Tapestrel Control Panel"));
        EXPECT_EQ(f->optFileType[2]->text(),
                  QStringLiteral("Use the Radur Eradeziro to drag images from other programs "
                                 "such as your Internet browser into your Magic List"));
        EXPECT_EQ(f->optFileType[3]->text(),
                  QStringLiteral("Copy the Tapestrel sample images into your Magic List"));
        // A click on the second line of a long caption chooses it too.
        QTest::mouseClick(f->optFileType[2], Qt::LeftButton, {},
                          QPoint(f->optFileType[2]->width() / 2, f->optFileType[2]->height() - 3));
        EXPECT_TRUE(f->optFileType[2]->isChecked());
        clickButton(f->cmdCancel);
    });
    NoFilesFields fields;
    real.runNoFilesDialog(fields);
}

TEST_F(ListDialogsTest, EachWayExplainsItselfOnTheSecondPage) {
    const struct {
        int way;
        QStringList texts;
    } cases[] = {
        {3,
         {"Load the Tapestrel Sample Images",
          "When you click the OK button, the Tapestrel sample images will automatically be copied "
          "into your current Magic List.",
          "This is a great way for you to experiment and learn to use the Tapestrel software "
          "before you start looking for your own personalized images to use as your wallpapers!"}},
        {0,
         {"Browsing for Image Files",
          "When you click the OK button, you will see a standard Windows dialog for selecting "
          "files.  You can choose more than one file at a time by holding down the CTRL key and "
          "clicking the mouse on multiple file names.",
          "If you want to add more images later using this dialog, you can click the button that "
          "looks like this on the Tapestrel Control Panel."}},
        {1,
         {"Dragging Files from Windows Explorer",
          "When you click the OK button, you will be returned to the Tapestrel Control Panel.  ",
          "You can add images to your Magic List by clicking them in Windows Explorer and "
          "dragging them into the circled area on the Control Panel."}},
        {2,
         {"Using the Radur Eradeziro",
          "When you click the OK button, the Tapestrel Radur Eradeziro will be activated.  The "
          "Radur Eradeziro is an always on top window that you can drag images from other "
          "programs into.",
          "For example, you can click and drag a picture from your Internet browser into the "
          "Radur Eradeziro, and the picture will automatically be added to your current magic "
          "list and be set to the current selection.",
          "The Radur Eradeziro will \"light up\" if you can use this picture as a wallpaper file.",
          "If Tapestrel does not support the selected file type, the Radur Eradeziro will look "
          "like this."}},
    };
    for (const auto& c : cases) {
        answers.next<frmNoFiles>([&](frmNoFiles* f) {
            clickButton(f->optFileType[c.way]);
            clickButton(f->cmdOK);
            EXPECT_EQ(f->page(), 2);
            EXPECT_FALSE(f->Frame1->isVisible());
            EXPECT_FALSE(f->chkDontShow->isVisible());
            QGroupBox* details = f->fraDetails[c.way];
            EXPECT_TRUE(details->isVisible());
            EXPECT_EQ(details->geometry(), f->Frame1->geometry());
            QStringList shown;
            for (const QLabel* l : details->findChildren<QLabel*>()) {
                if (!l->text().isEmpty())
                    shown << l->text();
            }
            EXPECT_EQ(shown, c.texts) << c.way;
            for (const QLabel* l : details->findChildren<QLabel*>()) {
                if (l->text().isEmpty()) {
                    EXPECT_FALSE(l->pixmap().isNull()) << l->objectName().toStdString();
                }
            }
            clickButton(f->cmdOK);
        });
        NoFilesFields fields;
        real.runNoFilesDialog(fields);
        EXPECT_EQ(fields.NoFilesChoice, c.way);
    }
}

TEST_F(ListDialogsTest, TheAddButtonsPictureDoesNothing) {
    answers.next<frmNoFiles>([](frmNoFiles* f) {
        clickButton(f->optFileType[0]);
        clickButton(f->cmdOK);
        EXPECT_EQ(f->cmdAddPicture->toolTip(), QStringLiteral("Add images to your list"));
        EXPECT_FALSE(f->cmdAddPicture->icon().isNull());
        clickButton(f->cmdAddPicture);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(f->page(), 2);
        // Closing from the second page ends the dialog with nothing chosen.
        f->close();
        EXPECT_FALSE(f->isVisible());
    });
    NoFilesFields fields;
    real.runNoFilesDialog(fields);
    EXPECT_EQ(fields.NoFilesChoice, -1);
}

// frmRename

TEST_F(ListDialogsTest, ADroppedPicturesOwnNameIsProposed) {
    const struct {
        const char* file;
        const char* proposed;
    } cases[] = {
        {"/cd/photo[2].jpg", "photo"}, {"/cd/[1].jpg", ""}, {"/cd/sunset[ab].png", "sunset[ab]"},
        {"/cd/a.b.jpg", "a.b"},        {"/cd/x[12]", "x"},  {"/cd/photo].jpg", "photo]"}};
    for (const auto& c : cases) {
        answers.next<frmRename>([&](frmRename* f) {
            EXPECT_EQ(f->windowTitle(), QStringLiteral("Wallpaper Image File Name"));
            EXPECT_EQ(f->lblQuestion->text(),
                      QStringLiteral("What would you like to name this image?"));
            EXPECT_EQ(f->txtName->text(), QString::fromLatin1(c.proposed)) << c.file;
            EXPECT_TRUE(f->fileNameMode());
            const int beeps = env.beeper.count;
            clickButton(f->cmdOK);
            // An empty name only beeps.
            if (f->isVisible()) {
                EXPECT_EQ(env.beeper.count, beeps + 1);
                QTest::keyClicks(f->txtName, QStringLiteral("Named"));
                clickButton(f->cmdOK);
            }
        });
        RenameFields fields;
        fields.ImagePath = QString::fromLatin1(c.file);
        real.runRenameDialog(fields);
        EXPECT_FALSE(fields.Cancelled);
        EXPECT_EQ(fields.NewName,
                  *c.proposed ? QString::fromLatin1(c.proposed) : QStringLiteral("Named"));
    }
}

TEST_F(ListDialogsTest, AFileNameTakesNoSeparatorsTypedOrPasted) {
    answers.next<frmRename>([&](frmRename* f) {
        f->txtName->setFocus();
        f->txtName->selectAll();
        QTest::keyClicks(f->txtName, QStringLiteral("a.b*c/d:e"));
        EXPECT_EQ(f->txtName->text(), QStringLiteral("abcde"));
        EXPECT_EQ(env.beeper.count, 4);
        // Pasted text passes the same check.
        QGuiApplication::clipboard()->setText(QStringLiteral("../x\ny"));
        QTest::keyClick(f->txtName, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(f->txtName->text(), QStringLiteral("abcde"));
        EXPECT_EQ(env.beeper.count, 5);
        // Text put in by other means is checked at OK.
        f->txtName->setText(QStringLiteral("..\\up"));
        clickButton(f->cmdOK);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(env.beeper.count, 6);
        f->txtName->setText(QStringLiteral("Sea & sky"));
        clickButton(f->cmdOK);
    });
    RenameFields fields;
    fields.ImagePath = QStringLiteral("/cd/photo.jpg");
    real.runRenameDialog(fields);
    EXPECT_FALSE(fields.Cancelled);
    EXPECT_EQ(fields.NewName, QStringLiteral("Sea & sky"));
}

TEST_F(ListDialogsTest, AnEntrysNameTakesAnyCharacter) {
    answers.next<frmRename>([&](frmRename* f) {
        EXPECT_FALSE(f->fileNameMode());
        EXPECT_EQ(f->txtName->text(), QStringLiteral("Trip 1"));
        QTest::keyClicks(f->txtName, QStringLiteral("v2.0/b"));
        EXPECT_EQ(f->txtName->text(), QStringLiteral("v2.0/b"));
        EXPECT_EQ(env.beeper.count, 0);
        clickButton(f->cmdOK);
    });
    RenameFields fields;
    fields.NewName = QStringLiteral("Trip 1");
    real.runRenameDialog(fields);
    EXPECT_EQ(fields.NewName, QStringLiteral("v2.0/b"));
}

TEST_F(ListDialogsTest, ANameTheListFileCannotHoldIsRefusedWithAMessage) {
    // 3 bytes each: 11,000 of them are more than a counted string holds,
    // 10,922 fit.
    const QString tooLong(11000, QChar(0x20AC));
    const QString longest(10922, QChar(0x20AC));
    const QString message = QStringLiteral("The text '") + QString(40, QChar(0x20AC)) +
                            QStringLiteral("...' is longer than 32767 bytes and cannot be "
                                           "stored in the magic list.");
    const QString picture = env.path(QStringLiteral("pics/Beach.png"));
    // OK with the name too long keeps the dialog up; the longest that
    // fits is taken.
    auto offer = [&](QDialog* dialog, QLineEdit* box, QPushButton* ok) {
        box->setText(tooLong);
        clickButton(ok);
        EXPECT_TRUE(dialog->isVisible());
        box->setText(longest);
        clickButton(ok);
    };
    const struct {
        const char* what;
        std::function<QString()> run; // gives the name taken
    } cases[] = {
        {"an entry's new name",
         [&] {
             answers.next<frmRename>([&](frmRename* f) { offer(f, f->txtName, f->cmdOK); });
             RenameFields fields;
             fields.NewName = QStringLiteral("Trip");
             real.runRenameDialog(fields);
             return fields.Cancelled ? QString() : fields.NewName;
         }},
        {"a dropped picture's name",
         [&] {
             answers.next<frmRename>([&](frmRename* f) { offer(f, f->txtName, f->cmdOK); });
             RenameFields fields;
             fields.ImagePath = picture;
             real.runRenameDialog(fields);
             return fields.Cancelled ? QString() : fields.NewName;
         }},
        {"a list's name",
         [&] {
             answers.next<frmListName>([&](frmListName* f) { offer(f, f->txtListName, f->cmdOK); });
             ListNameFields fields;
             real.runListNameDialog(fields);
             return fields.Cancelled ? QString() : fields.ListName;
         }},
    };
    for (const auto& c : cases) {
        env.errors.calls.clear();
        EXPECT_EQ(c.run(), longest) << c.what;
        EXPECT_EQ(env.errors.messages(), QStringList{message}) << c.what;
    }
}

TEST_F(ListDialogsTest, ComingBackToTheNameStartsAgain) {
    answers.next<frmRename>([&](frmRename* f) {
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
        f->txtName->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(f->txtName, QStringLiteral("X"));
        EXPECT_EQ(f->txtName->text(), QStringLiteral("X"));
        f->cmdCancel->setFocus(Qt::TabFocusReason);
        f->txtName->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(f->txtName->text(), QStringLiteral("Sea"));
        EXPECT_EQ(f->txtName->selectedText(), QStringLiteral("Sea"));
        clickButton(f->cmdCancel);
    });
    RenameFields fields;
    fields.NewName = QStringLiteral("Sea");
    real.runRenameDialog(fields);
    EXPECT_TRUE(fields.Cancelled);
}

} // namespace
