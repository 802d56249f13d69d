// The overview pages: when the control panel opens them and where, the
// check box and the setting it saves, moving through the topics, the
// texts and pictures of every page, and the arithmetic of its placement.

#include "engine/Options.h"
#include "panel/OverviewPlacement.h"
#include "panel/OverviewResources.h"
#include "panel/PanelWindows.h"
#include "panel/WebAddress.h"
#include "panel/frmOverview.h"
#include "tests/panel/PanelTestKit.h"

#include <QCheckBox>
#include <QWindow>
#include <algorithm>
#include <climits>

namespace {

// The panel with the program's real windows, the overview among them.
class OverviewTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        setProgramWindows(&real);
    }

    std::optional<QString> savedSetting() const {
        return env.registry.value(Hive::CurrentUser,
                                  QStringLiteral("Software\\Orlevane\\Tapestrel\\Options"),
                                  QStringLiteral("ShowOverviewDialog"));
    }

    // What the overview showed when it came up.
    struct Opening {
        int16_t topic = 0;
        QString count;
        QString hint;
        bool boxVisible = false;
        bool boxTicked = false;
        bool focusOnNext = false;
        QRect frame;
    };
    static Opening look(frmOverview* f) {
        return {f->currentTopic(),           f->lblCount->text(),
                f->lblContinue->text(),      f->chkDontShow->isVisible(),
                f->chkDontShow->isChecked(), f->focusWidget() == f->cmdNext,
                f->frameGeometry()};
    }

    // Opens the overview from the Help menu, looks at it, then does `then`.
    Opening openFromHelp(const std::function<void(frmOverview*)>& then) {
        Opening seen;
        ModalAnswerer answers;
        answers.next<frmOverview>([&](frmOverview* f) {
            seen = look(f);
            then(f);
        });
        chooseMenuItem(panel, QStringLiteral("mnuHelpOverview"));
        EXPECT_EQ(answers.pending(), 0);
        return seen;
    }

    PanelWindows real;
};

TEST_F(OverviewTest, TheFirstActivationOpensTopicOneWithTheBoxBesideThePanel) {
    makeList(2);
    Options.ShowOverviewDialog = true;
    Opening seen;
    QPoint panelAt;
    ModalAnswerer answers;
    answers.next<frmOverview>([&](frmOverview* f) {
        seen = look(f);
        panelAt = panel->pos();
        EXPECT_TRUE(Options.OverviewShownThisSession);
        clickButton(f->cmdClose);
    });
    openPanel();
    ASSERT_TRUE(waitFor([&] { return answers.pending() == 0; }));

    EXPECT_EQ(seen.topic, 1);
    EXPECT_EQ(seen.count, QStringLiteral("Topic 1 of 8"));
    EXPECT_EQ(seen.hint, QStringLiteral("Press the Next button below to continue ..."));
    EXPECT_TRUE(seen.focusOnNext);
    EXPECT_TRUE(seen.boxVisible);
    EXPECT_FALSE(seen.boxTicked);
    // 500 twips right of and below the panel's corner, 15 twips a pixel.
    EXPECT_EQ(seen.frame.topLeft(),
              QPoint((panelAt.x() * 15 + 500) / 15, (panelAt.y() * 15 + 500) / 15));
    // Close with the box clear keeps the overview on.
    EXPECT_EQ(savedSetting(), QStringLiteral("TRUE"));
    EXPECT_TRUE(Options.ShowOverviewDialog);
}

// A panel closed right after it was activated (OK clicked at once) opens no
// overview, and one closed and deleted while its overview is up (the
// tray's Exit, a logout) is left alone once the overview has gone.
TEST_F(OverviewTest, APanelThatClosesAroundItsActivationIsLeftAlone) {
    makeList(2);
    Options.ShowOverviewDialog = false;
    openPanel();
    Options.ShowOverviewDialog = true;

    {
        ModalAnswerer none;
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(panel, &activate);
        panel->close();
        settle();
        EXPECT_TRUE(none.opened.isEmpty());
        EXPECT_TRUE(panel.isNull());
        EXPECT_FALSE(Options.OverviewShownThisSession);
    }

    // The next panel's first activation opens it.
    ModalAnswerer answers;
    answers.next<frmOverview>([&](frmOverview* f) {
        panel->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(panel.isNull());
        clickButton(f->cmdClose);
    });
    openPanel();
    if (panel) {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(panel, &activate);
    }
    ASSERT_TRUE(waitFor([&] { return answers.pending() == 0; }));
    settle();
    EXPECT_TRUE(Options.OverviewShownThisSession);
}

TEST_F(OverviewTest, APanelBeyondTheSixteenBitRangeOpensItPulledOntoTheScreen) {
    makeList(1);
    openPanel();
    // Left 40005 twips: with the panel's 500 added, past 32767.
    panel->move(2667, 20);
    const Opening seen = openFromHelp([](frmOverview* f) { clickButton(f->cmdClose); });
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_EQ(seen.frame.right() + 1, 1024);
    EXPECT_EQ(seen.frame.top(), (20 * 15 + 500) / 15);
}

// Under Wayland the program can't put the overview beside the panel: it is
// tied to the panel, so that the desktop places it over the panel. Where
// the program places its windows, it stays a window of its own.
TEST_F(OverviewTest, WhereTheDesktopPlacesWindowsTheOverviewBelongsToThePanel) {
    makeList(1);
    Options.ShowOverviewDialog = false;
    for (bool programPlaces : {false, true}) {
        env.screen.placesWindows = programPlaces;
        openPanel();
        QWindow* owner = reinterpret_cast<QWindow*>(1);
        openFromHelp([&](frmOverview* f) {
            owner = f->windowHandle() ? f->windowHandle()->transientParent() : nullptr;
            clickButton(f->cmdClose);
        });
        ASSERT_TRUE(panel);
        EXPECT_EQ(owner, programPlaces ? nullptr : panel->windowHandle()) << programPlaces;
        panel->close();
    }
}

TEST_F(OverviewTest, ALaterOpeningHidesTheBoxAndCloseKeepsTheSetting) {
    makeList(1);
    for (bool setting : {true, false}) {
        Options.ShowOverviewDialog = setting;
        Options.OverviewShownThisSession = true;
        openPanel();
        const Opening seen = openFromHelp([](frmOverview* f) { clickButton(f->cmdClose); });
        EXPECT_FALSE(seen.boxVisible) << setting;
        // The hidden box is ticked when the overview is off.
        EXPECT_EQ(seen.boxTicked, !setting);
        EXPECT_EQ(Options.ShowOverviewDialog, setting);
        EXPECT_EQ(savedSetting(), setting ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
        panel->close();
    }
}

TEST_F(OverviewTest, WithTheOverviewOffTheFirstOpeningShowsNoBoxEither) {
    makeList(1);
    Options.ShowOverviewDialog = false;
    openPanel();
    const Opening seen = openFromHelp([](frmOverview* f) { clickButton(f->cmdClose); });
    EXPECT_FALSE(seen.boxVisible);
    EXPECT_TRUE(seen.boxTicked);
    EXPECT_EQ(savedSetting(), QStringLiteral("FALSE"));
}

TEST_F(OverviewTest, TickingTheBoxAndClosingTurnsTheOverviewOffForTheNextRun) {
    makeList(1);
    Options.ShowOverviewDialog = true;
    ModalAnswerer answers;
    answers.next<frmOverview>([](frmOverview* f) {
        clickButton(f->chkDontShow);
        clickButton(f->cmdClose);
    });
    openPanel();
    ASSERT_TRUE(waitFor([&] { return answers.pending() == 0; }));
    EXPECT_EQ(savedSetting(), QStringLiteral("FALSE"));
    panel->close();

    // The next run reads the setting and the panel opens alone: a modal
    // window now would fail the test.
    Options.ShowOverviewDialog = true;
    LoadOptions();
    EXPECT_FALSE(Options.ShowOverviewDialog);
    EXPECT_FALSE(Options.OverviewShownThisSession);
    openPanel();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel));
    settle();
    EXPECT_TRUE(answers.opened.size() == 1);
}

TEST_F(OverviewTest, ClosingThroughTheTitleBarSavesNothing) {
    makeList(1);
    Options.ShowOverviewDialog = true;
    const std::optional<QString> before = savedSetting();
    bool gone = false;
    ModalAnswerer answers;
    answers.next<frmOverview>([&](frmOverview* f) {
        clickButton(f->chkDontShow);
        f->close();
        gone = !f->isVisible();
    });
    openPanel();
    ASSERT_TRUE(waitFor([&] { return answers.pending() == 0; }));
    EXPECT_TRUE(gone);
    EXPECT_TRUE(Options.ShowOverviewDialog);
    EXPECT_EQ(savedSetting(), before);
}

// The overview on its own, as the Help menu opens it.
class OverviewWindowTest : public ::testing::Test {
protected:
    void TearDown() override { form.hide(); }

    // The texts of the page on show, top to bottom (left to right on a row).
    QStringList pageTexts(int topic) {
        QWidget* page = form.fraHolder[topic - 1];
        QList<QLabel*> labels;
        for (QLabel* l : page->findChildren<QLabel*>())
            if (!l->text().isEmpty())
                labels << l;
        std::sort(labels.begin(), labels.end(), [page](QLabel* a, QLabel* b) {
            const QPoint pa = a->mapTo(page, QPoint(0, 0)), pb = b->mapTo(page, QPoint(0, 0));
            return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
        });
        QStringList texts;
        for (QLabel* l : labels)
            texts << l->text();
        return texts;
    }

    TestEnvironment env;
    frmOverview form;
};

TEST_F(OverviewWindowTest, BackStaysOnTheFirstTopicAndNextStopsAtTheLast) {
    form.show();
    clickButton(form.cmdPrev);
    EXPECT_EQ(form.currentTopic(), 1);
    EXPECT_EQ(form.lblCount->text(), QStringLiteral("Topic 1 of 8"));
    EXPECT_TRUE(form.cmdPrev->isEnabled());

    for (int topic = 2; topic <= 8; ++topic) {
        clickButton(form.cmdNext);
        EXPECT_EQ(form.currentTopic(), topic);
        EXPECT_EQ(form.lblCount->text(), QStringLiteral("Topic %1 of 8").arg(topic));
    }
    EXPECT_FALSE(form.cmdNext->isEnabled());
    EXPECT_EQ(form.focusWidget(), form.cmdClose);
    EXPECT_EQ(form.lblContinue->text(),
              QStringLiteral("Press the Close button to end the overview ..."));
    clickButton(form.cmdNext);
    EXPECT_EQ(form.currentTopic(), 8);

    clickButton(form.cmdPrev);
    EXPECT_EQ(form.currentTopic(), 7);
    EXPECT_TRUE(form.cmdNext->isEnabled());
    EXPECT_EQ(form.focusWidget(), form.cmdNext);
    EXPECT_EQ(form.lblContinue->text(),
              QStringLiteral("Press the Next button below to continue ..."));

    // A topic out of range is brought back, in the caller's variable too.
    for (auto [asked, shown] : {std::pair<int16_t, int16_t>{0, 1}, {-4, 1}, {9, 8}, {400, 8}}) {
        int16_t topic = asked;
        form.ShowOverviewTopic(topic);
        EXPECT_EQ(topic, shown) << asked;
        EXPECT_EQ(form.lblCount->text(), QStringLiteral("Topic %1 of 8").arg(shown));
    }
}

TEST_F(OverviewWindowTest, NearTheBottomRightCornerItIsPulledBackOntoTheScreen) {
    form.FormLeft = 1000 * 15;
    form.FormTop = 740 * 15;
    form.show();
    EXPECT_EQ(form.frameGeometry().right() + 1, 1024);
    EXPECT_EQ(form.frameGeometry().bottom() + 1, 768);
}

TEST_F(OverviewWindowTest, WithoutAPositionItIsCentred) {
    form.show();
    EXPECT_EQ(form.frameGeometry().topLeft(), QPoint((1024 - form.frameGeometry().width()) / 2,
                                                     (768 - form.frameGeometry().height()) / 2));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("An Overview of Tapestrel:"));
}

TEST_F(OverviewWindowTest, EveryPageShowsItsTextsAndItsPicture) {
    const QList<QStringList> pages = {
        {"Welcome to Tapestrel:",
         "This quick overview will help you get the most out of Tapestrel.",
         "Let us teach you what Tapestrel can do, and how it does it.",
         "The overview only takes a minute, and is worth the time to get to know the software."},
        {"What is Tapestrel?",
         "Tapestrel lets you build a list of images that you want to use as your desktop "
         "wallpaper.  The images can reside anywhere on your computer or on your network.",
         QStringLiteral("Each entry in your magic list has it\u2019s own settings for position and "
                        "background color. The positions include center, best fit, stretch, and "
                        "tile."),
         "Once your list is built, you can setup a schedule that will automatically update your "
         "desktop wallpaper with the images you have selected."},
        {"The Magic List:", "Your list of images",
         "This list keeps track of the images you want to use as well as where the image is "
         "located.  The images can be stored in any folder on your computer, or even on a network "
         "drive.",
         "Vellamore also supports multi-user Windows operating systems like Windows XP.  Each user "
         "will have their own Magic List with their own image selections."},
        {"The Magic List:", "How do y ou add entries?",
         "We make it easy to add wallpaper selections to your Magic List.  There are three "
         "different ways to do it:",
         "Open Window:", "Drag & Drop:", "The Radur Eradeziro",
         "You can multi-select images from the open window and add them at once.  You can also "
         "Drag and Drop images to the control panel list from other Windows programs!"},
        {"Images from the Internet",
         "The Radur Eradeziro is designed to work directly with your Internet Browser!",
         "When you turn it on, an Icon is displayed in the corner of your screen.  Its designed to "
         "stay on top of all other windows so you can always see it.",
         "Drag the image from your browser and drop it on the icon.   The image is automatically "
         "added to your list and made active."},
        {"Individual Wallpaper Properties:",
         "Each wallpaper entry has it's own defined properties including your choice of background "
         "color and image position. Images can also be displayed rotated (without effecting the "
         "original).",
         "The control panel preview screen lets you see exactly how your desktop will appear. "},
        {"Automatic Updates:", "Keep your desktop fresh",
         "Finally, setup Tapestrel to automatically change your desktop background as often as "
         "you like.  Enter the number of minutes, hours, or days between changes and let "
         "Tapestrel cycle through your images.",
         "Just click this button to bring up the schedule options window. "},
        {"That's it!",
         "Now you know a little more about what Tapestrel can do.  We hope you enjoy using it!",
         "Do you still have some Questions?  Let us help you.  Our email address is:",
         projectSupportEmail(), "Visit us online at:", projectWebAddress()},
    };
    // Picture and placement by topic.
    const int pictures[] = {1, 2, 3, 3, 4, 5, 6, 7};
    const bool atBottom[] = {false, true, false, false, false, false, true, false};

    form.show();
    for (int topic = 1; topic <= 8; ++topic) {
        SCOPED_TRACE(topic);
        int16_t t = int16_t(topic);
        form.ShowOverviewTopic(t);
        EXPECT_EQ(pageTexts(topic), pages[topic - 1]);
        EXPECT_EQ(form.Headers[topic - 1]->text(), pages[topic - 1].first());

        // Only this page shows, where the pages show.
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(form.fraHolder[i]->isVisible(), i == topic - 1) << i;
        QWidget* page = form.fraHolder[topic - 1];
        EXPECT_EQ(page->pos(), QPoint(360 / 15, 1215 / 15));

        // The picture, against the right side of the panel.
        const QPixmap& expected = form.ImageList[pictures[topic - 1] - 1];
        EXPECT_EQ(form.imgMain->pixmap().cacheKey(), expected.cacheKey());
        const QSize size = form.imgMain->size();
        const int holderW = form.picHolder->width() * 15, holderH = form.picHolder->height() * 15;
        EXPECT_EQ(form.imgMain->x(), (holderW - size.width() * 15 - 200) / 15);
        const int top = atBottom[topic - 1] ? holderH - size.height() * 15 - 200
                                            : (holderH - 900 - size.height() * 15) / 2 + 900;
        EXPECT_EQ(form.imgMain->y(), top / 15);

        // Nothing is cut off: the counter, the hint, the check box and
        // every text have the room they need, the texts inside their page
        // and clear of the picture.
        for (QWidget* w :
             {static_cast<QWidget*>(form.lblCount), static_cast<QWidget*>(form.lblContinue),
              static_cast<QWidget*>(form.chkDontShow)})
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
        const QRect pageRect(QPoint(0, 0), page->size());
        const QRect picture = form.imgMain->geometry();
        for (QLabel* l : page->findChildren<QLabel*>()) {
            const QRect r(l->mapTo(page, QPoint(0, 0)), l->size());
            EXPECT_TRUE(pageRect.contains(r)) << l->objectName().toStdString();
            const int needed =
                l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height();
            EXPECT_GE(l->height(), needed) << l->objectName().toStdString();
            if (!l->wordWrap()) {
                EXPECT_GE(l->width(), l->sizeHint().width()) << l->objectName().toStdString();
            }
            const QRect inHolder(l->mapTo(form.picHolder, QPoint(0, 0)), l->size());
            EXPECT_FALSE(inHolder.intersects(picture)) << l->objectName().toStdString();
        }
    }
}

TEST_F(OverviewWindowTest, ItsPicturesAreThereAtTheirSizes) {
    for (const QPixmap& p : form.ImageList) {
        EXPECT_FALSE(p.isNull());
        EXPECT_GT(p.width(), 100);
    }
    EXPECT_EQ(overviewPixmap(QStringLiteral("Image1")).deviceIndependentSize().toSize(),
              QSize(210, 41));
    for (QLabel* small : {form.Image2, form.Image3}) {
        EXPECT_FALSE(small->pixmap().isNull());
        EXPECT_EQ(small->pixmap().deviceIndependentSize().toSize(), QSize(42, 42));
    }
}

TEST(OverviewPlacement, TheWindowIsPulledBackOnlyAtTheRightAndTheBottom) {
    const QSize window(8850, 6000), screen(15360, 11520);
    struct Case {
        int32_t left, top;
        std::optional<QPoint> at;
    };
    const Case cases[] = {
        {0, 0, std::nullopt},
        {10000, 6000, QPoint(6510, 5520)},
        {1700, 1400, QPoint(1700, 1400)},
        {40500, 500, QPoint(6510, 500)},
        {500, 40500, QPoint(500, 5520)},
        {0, 500, QPoint(0, 500)},
        {-300, -200, QPoint(-300, -200)},
        {INT32_MAX, INT32_MAX, QPoint(6510, 5520)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(overviewWindowPosition(c.left, c.top, window, screen), c.at)
            << c.left << "," << c.top;
}

TEST(OverviewPlacement, PicturesSitRightCentredBelowTheBannerOrAtTheBottom) {
    const QSize panel(8250, 4560), picture(3000, 2000);
    EXPECT_EQ(overviewPicturePosition(panel, picture, false), QPoint(5050, 1730));
    EXPECT_EQ(overviewPicturePosition(panel, picture, true), QPoint(5050, 2360));
    EXPECT_EQ(clampOverviewTopic(0), 1);
    EXPECT_EQ(clampOverviewTopic(9), 8);
    EXPECT_EQ(topicPicture(4).index, 3);
    EXPECT_TRUE(topicPicture(7).atBottom);
}

} // namespace
