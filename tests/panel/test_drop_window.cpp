#include "engine/ProgramBusy.h"
#include "panel/DropWindowPlacement.h"
#include "panel/ListCommands.h"
#include "panel/PanelResources.h"
#include "panel/PanelWindows.h"
#include "panel/frmDrop.h"
#include "tests/common/PictureKit.h"
#include "tests/common/gui/FormTestKit.h"
#include "tests/panel/ListsTestKit.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

TEST(DropWindowPlacementTest, TheWindowSitsInTheWorkAreasCorner) {
    const struct {
        double tx, ty;
        int frame, border, maxW, maxH;
        QRect window, holder, drop;
    } cases[] = {
        // A 1024 x 768 screen whose maximized windows are 1032 x 748 pixels.
        {15,
         15,
         3,
         1,
         1032,
         748,
         {14390, 10115, 1000, 1000},
         {15, -75, 880, 970},
         {45, 135, 790, 790}},
        // 120 dots to the inch: 12 twips a pixel.
        {12,
         12,
         3,
         1,
         1280,
         800,
         {14288, 8516, 1000, 1000},
         {12, -78, 904, 976},
         {36, 126, 832, 814}},
    };
    for (const auto& c : cases) {
        const DropWindowPlacement p =
            placeDropWindow(c.tx, c.ty, c.frame, c.border, c.maxW, c.maxH);
        EXPECT_EQ(p.window, c.window);
        EXPECT_EQ(p.holder, c.holder);
        EXPECT_EQ(p.drop, c.drop);
    }
}

TEST(ListPicturesTest, EveryPictureIsThereAtBothSizes) {
    for (const char* name : {"drop-normal", "drop-lit", "drop-refused", "add-pictures",
                             "drag-to-panel", "sample-dunes", "sample-weave"}) {
        const QIcon icon = listPicture(QString::fromLatin1(name));
        const QList<QSize> sizes = icon.availableSizes();
        ASSERT_EQ(sizes.size(), 2) << name;
        EXPECT_EQ(sizes[1], sizes[0] * 2) << name;
        for (const QSize& s : sizes)
            EXPECT_FALSE(icon.pixmap(s).isNull()) << name;
    }
}

class DropWindowTest : public ListsTest {
protected:
    DropWindowTest() { setProgramWindows(&real); }

    // Sends a drag event of the given type with the data to the drop area.
    void drag(frmDrop& w, QEvent::Type type, const QMimeData* data) {
        const QPoint at = w.picDrop->rect().center();
        if (type == QEvent::DragLeave) {
            QDragLeaveEvent e;
            QApplication::sendEvent(w.picDrop, &e);
        } else if (type == QEvent::Drop) {
            QDropEvent e(at, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(w.picDrop, &e);
        } else {
            QDragEnterEvent e(at, Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(w.picDrop, &e);
        }
    }

    PanelWindows real;
};

TEST_F(DropWindowTest, ItIsASmallFramelessWindowOnTopInTheCorner) {
    env.screen.work = QRect(0, 0, 1024, 740); // a panel along the bottom
    frmDrop w;
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(w.windowTitle().isEmpty());
    const DropWindowPlacement p = placeDropWindow(15, 15, 3, 1, 1024, 740);
    EXPECT_EQ(w.pos(), QPoint(kit::px(p.window.left()), kit::pxY(p.window.top())));
    EXPECT_EQ(w.size(), QSize(66, 66));
    EXPECT_LE(w.geometry().right(), 1023);
    EXPECT_LE(w.geometry().bottom(), 739);
    // The drop area holds a whole picture.
    EXPECT_GE(w.picDrop->width(), 50);
    EXPECT_GE(w.picDrop->height(), 50);
    EXPECT_EQ(w.shownPicture(), w.img1);
    for (QLabel* look : {w.img1, w.img2, w.Img3}) {
        EXPECT_FALSE(look->isVisible());
        EXPECT_EQ(look->pixmap().deviceIndependentSize(), QSizeF(50, 50));
    }
}

TEST_F(DropWindowTest, ItLightsUpForFilesAndRefusesTheRest) {
    frmDrop w;
    w.show();
    const auto files = fileDrag({picture(QStringLiteral("a")), picture(QStringLiteral("b"))});
    QMimeData text;
    text.setText(QStringLiteral("words"));
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/cat.jpg"))});
    QMimeData image;
    image.setImageData(QImage(4, 4, QImage::Format_RGB32));

    drag(w, QEvent::DragEnter, files.get());
    EXPECT_EQ(w.shownPicture(), w.img2);
    EXPECT_EQ(w.picDrop->pixmap().cacheKey(), w.img2->pixmap().cacheKey());
    drag(w, QEvent::DragLeave, nullptr);
    EXPECT_EQ(w.shownPicture(), w.img1);
    for (const QMimeData* refused : {&text, &remote, &image}) {
        drag(w, QEvent::DragEnter, refused);
        EXPECT_EQ(w.shownPicture(), w.Img3);
        drag(w, QEvent::Drop, refused);
        EXPECT_EQ(w.shownPicture(), w.img1);
    }
    {
        BusyWork busy;
        drag(w, QEvent::DragEnter, files.get());
        EXPECT_EQ(w.shownPicture(), w.Img3);
    }
    QApplication::processEvents();
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
}

TEST_F(DropWindowTest, DroppedFilesAreAddedOnceTheDropIsOver) {
    Options.PromptForNameOnDrop = true;
    Options.MakeDroppedActive = true;
    frmDrop w;
    w.show();
    // One file: its name is asked in the rename dialog.
    ModalAnswerer answers;
    answers.next([](QWidget* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("txtName"));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QStringLiteral("Harbour"));
        name->setText(QStringLiteral("Quay"));
        clickButton(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")));
    });
    const auto one = fileDrag({picture(QStringLiteral("Harbour[3]"))});
    drag(w, QEvent::DragEnter, one.get());
    drag(w, QEvent::Drop, one.get());
    EXPECT_EQ(w.shownPicture(), w.img1);
    ASSERT_TRUE(waitFor([] { return ActiveMagicList.GetCount() == 1; }));
    EXPECT_EQ(ActiveMagicList.GetEntryName(0), QStringLiteral("Quay"));
    EXPECT_EQ(desktop.applied.size(), 1);
    EXPECT_EQ(answers.opened, QStringList{QStringLiteral("frmRename")});

    // Without the prompt nothing is asked.
    Options.PromptForNameOnDrop = false;
    const auto two = fileDrag({picture(QStringLiteral("Sea"))});
    drag(w, QEvent::DragEnter, two.get());
    drag(w, QEvent::Drop, two.get());
    ASSERT_TRUE(waitFor([] { return ActiveMagicList.GetCount() == 2; }));
    EXPECT_EQ(ActiveMagicList.GetEntryName(1), QStringLiteral("Sea"));
    EXPECT_EQ(answers.opened.size(), 1);
}

TEST_F(DropWindowTest, AFileWhoseNameIsNotUtf8IsRefusedSayingWhy) {
    const QByteArray uriList = writePictureWithNonUtf8Name(env, QStringLiteral("odd"));
    if (uriList.isEmpty())
        GTEST_SKIP() << "the file system here takes no name that is not UTF-8";
    Options.PromptForNameOnDrop = false;
    frmDrop w;
    w.show();
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList);
    drag(w, QEvent::DragEnter, &data);
    drag(w, QEvent::Drop, &data);
    ASSERT_TRUE(waitFor([this] { return !env.errors.calls.isEmpty(); }));
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    EXPECT_EQ(env.errors.messages(),
              QStringList{QStringLiteral("Unable to add '") + env.path(QStringLiteral("odd")) +
                          QStringLiteral("/bad\\xFFbyte.png' to the magic list.\r\n\r\nIts name "
                                         "is not UTF-8 text, and a magic list keeps only names "
                                         "that are: rename the file, then add it again.")});
}

TEST_F(DropWindowTest, TheRightButtonOpensTheDropWindowsMenu) {
    MainForm = new frmMain;
    frmDrop w;
    w.show();
    QTest::mouseClick(w.picDrop, Qt::LeftButton);
    EXPECT_FALSE(MainForm->mnuMagicCollector->isVisible());
    QTest::mousePress(w.picDrop, Qt::RightButton);
    EXPECT_TRUE(MainForm->mnuMagicCollector->isVisible());
    MainForm->mnuMagicCollector->hide();
}

TEST_F(DropWindowTest, TheTrayTurnsTheWindowOnAndOff) {
    MainForm = new frmMain;
    MainForm->Form_Load();
    QAction* item = MainForm->mnuImageReceiver;
    ASSERT_TRUE(item->isEnabled());
    ASSERT_TRUE(MainForm->mnuTurnOff->isEnabled());
    item->trigger();
    ASSERT_TRUE(DropWindow);
    EXPECT_TRUE(qobject_cast<frmDrop*>(DropWindow.data()));
    EXPECT_TRUE(DropWindow->isVisible());
    EXPECT_EQ(item->text(), QStringLiteral("Turn Off the Radur Eradeziro"));
    EXPECT_EQ(toolsReceiverCaption(), QStringLiteral("Turn &Off Radur Eradeziro"));
    item->trigger();
    EXPECT_FALSE(DropWindow);
    EXPECT_EQ(item->text(), QStringLiteral("Turn On the Radur Eradeziro"));
    EXPECT_EQ(toolsReceiverCaption(), QStringLiteral("Turn &On Radur Eradeziro"));

    // The panel's Tools item and the window's own menu do the same.
    toggleDropWindow();
    ASSERT_TRUE(DropWindow);
    MainForm->mnuTurnOff->trigger();
    EXPECT_FALSE(DropWindow);
    toggleDropWindow();
    toggleDropWindow();
    EXPECT_FALSE(DropWindow);
}

TEST_F(DropWindowTest, ClosedByTheWindowManagerTheCollectorIsOff) {
    MainForm = new frmMain;
    ShowDropWindow();
    ASSERT_TRUE(DropWindow);
    DropWindow->close();
    ASSERT_TRUE(waitFor([] { return DropWindow.isNull(); }));
    EXPECT_EQ(MainForm->mnuImageReceiver->text(), QStringLiteral("Turn On the Radur Eradeziro"));
}

} // namespace
