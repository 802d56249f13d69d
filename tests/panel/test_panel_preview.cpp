// The preview of the selection, its captions, the placement buttons, the
// colour swatch and the palette.

#include "engine/WallpaperImage.h"
#include "panel/PanelColors.h"
#include "panel/PanelWidgets.h"
#include "tests/common/PictureKit.h"
#include "tests/panel/PanelTestKit.h"

#include <QFile>

namespace {

class PreviewTest : public PanelTest {
public:
    bool checked(int i) const { return panel->optPosition[i]->isChecked(); }
    QList<bool> checks() const { return {checked(0), checked(1), checked(2), checked(3)}; }
    QColor swatch() const { return panel->picBackground->palette().color(QPalette::Window); }
    QColor swatchText() const {
        return panel->lblBackground->palette().color(QPalette::WindowText);
    }
    QString shownPath() const {
        const QString tip = panel->lblFullPath->toolTip();
        return tip.isEmpty() ? panel->lblFullPath->text() : tip;
    }
};

const QList<bool> kNoneChecked{false, false, false, false};

TEST_F(PreviewTest, NothingSelectedShowsNothingAndDisablesTheCommands) {
    makeList(3, 1);
    openPanel();
    ASSERT_TRUE(panel->picImage->hasPicture());
    selectRows({});
    EXPECT_EQ(panel->SelectedCount, 0);
    EXPECT_EQ(checks(), kNoneChecked);
    for (QRadioButton* b : panel->optPosition)
        EXPECT_FALSE(b->isEnabled());
    for (QPushButton* b :
         {panel->cmdEntryUp, panel->cmdEntryDown, panel->cmdRemovePaper, panel->cmdActivate})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(panel->lblSize->text().isEmpty());
    EXPECT_TRUE(panel->lblFullPath->text().isEmpty());
    EXPECT_FALSE(panel->picImage->hasPicture());
    EXPECT_EQ(swatch(), panel->palette().color(QPalette::Button));
    // The system's grey is light here: dark text reads on it.
    ASSERT_GT(panel->palette().color(QPalette::Button).lightness(), 160);
    EXPECT_EQ(swatchText(), QColor(Qt::black));
}

TEST_F(PreviewTest, SeveralEntriesShowWhatTheyShare) {
    const struct {
        int16_t position1, position2;
        int32_t colour1, colour2;
        QList<bool> checks;
        QColor swatch, text;
    } cases[] = {
        {2, 2, 0xFF0000, 0xFF0000, {false, true, false, false}, QColor(0, 0, 255), Qt::white},
        {2, 4, 0xFF0000, 0x00FF00, kNoneChecked, QColor(), Qt::black}, // the system's grey
        {3, 3, 0x808080, 0x808080, {false, false, true, false}, QColor(128, 128, 128), Qt::black},
        {1, 1, 0x00FF00, 0x00FF00, {true, false, false, false}, QColor(0, 255, 0), Qt::black},
        {1, 1, 0x555555, 0x555555, {true, false, false, false}, QColor(85, 85, 85), Qt::white},
    };
    for (const auto& c : cases) {
        makeList(4, 0);
        ActiveMagicList.SetEntryPosition(1, c.position1);
        ActiveMagicList.SetEntryPosition(3, c.position2);
        ActiveMagicList.SetEntryBGColor(1, c.colour1);
        ActiveMagicList.SetEntryBGColor(3, c.colour2);
        openPanel();
        const int renders = panel->previewRenders();
        selectRows({1, 3});
        EXPECT_EQ(checks(), c.checks) << c.position1 << " " << c.position2;
        const QColor want =
            c.swatch.isValid() ? c.swatch : panel->palette().color(QPalette::Button);
        EXPECT_EQ(swatch(), want);
        EXPECT_EQ(panel->picImage->backColor(), want);
        EXPECT_EQ(swatchText(), c.text);
        EXPECT_FALSE(panel->picImage->hasPicture());
        EXPECT_TRUE(panel->lblSize->text().isEmpty());
        EXPECT_TRUE(panel->lblFullPath->text().isEmpty());
        // Only the single entry clicked first was drawn on the way.
        EXPECT_LE(panel->previewRenders() - renders, 1);
        panel->close();
        settle();
    }
}

TEST_F(PreviewTest, OnlyAnotherEntryOrAForcedRefreshRendersAgain) {
    makeList(3, 0);
    openPanel();
    const int start = panel->previewRenders();
    clickRow(0);
    settle();
    EXPECT_EQ(panel->previewRenders(), start); // the entry already shown
    clickRow(2);
    settle();
    EXPECT_EQ(panel->previewRenders(), start + 1);
    EXPECT_EQ(panel->CurrentEntry, 2);
    EXPECT_EQ(shownPath(), ActiveMagicList.GetEntryPath(2));
    panel->DisplaySelectedEntry(true);
    EXPECT_EQ(panel->previewRenders(), start + 2);
    // Three at once: nothing drawn, even when forced.
    ActiveMagicList.SetEntrySelected(0, true);
    ActiveMagicList.SetEntrySelected(1, true);
    panel->DisplaySelectedEntry(true);
    EXPECT_EQ(panel->previewRenders(), start + 2);
    EXPECT_FALSE(panel->picImage->hasPicture());
}

TEST_F(PreviewTest, AnUnplacedEntryKeepsThePlacementChosenForIt) {
    const struct {
        QSize picture;
        int16_t position;
        int button;
    } cases[] = {{{800, 600}, 2, 1}, {{1025, 600}, 4, 3}, {{1024, 768}, 2, 1}};
    for (const auto& c : cases) {
        makeList(2, 1);
        ActiveMagicList.SetEntryPath(0, picture(QStringLiteral("size%1").arg(c.picture.width()),
                                                c.picture.width(), c.picture.height()));
        ActiveMagicList.SetEntryPosition(0, 0);
        openPanel();
        clickRow(0);
        settle();
        EXPECT_EQ(ActiveMagicList.GetEntryPosition(0), c.position) << c.picture.width();
        EXPECT_TRUE(checked(c.button)) << c.picture.width();
        panel->close();
        settle();
    }
}

TEST_F(PreviewTest, TheSizeCaptionNamesThePictureAndItsCrop) {
    makeList(3, 0);
    const QString big = picture(QStringLiteral("big"), 160, 120);
    for (int16_t i = 0; i < 3; ++i)
        ActiveMagicList.SetEntryPath(i, big);
    ActiveMagicList.SetEntryProperties(1, 0, 0, 80, 60);
    ActiveMagicList.RotateEntry(2); // turned, not cropped
    openPanel();
    const QStringList captions{"160 x 120", "160 x 120 (cropped to 80 x 60)", "160 x 120"};
    for (int row = 0; row < 3; ++row) {
        clickRow(row);
        settle();
        EXPECT_EQ(panel->lblSize->text(), captions[row]) << row;
    }
}

TEST_F(PreviewTest, ThePreviewIsTheDesktopsPictureMadeSmall) {
    // A picture with four coloured quarters, cropped, turned and placed in
    // several ways, with the logo on: the preview must show what the
    // bitmap given to the desktop holds.
    const QImage quarters = quadrants(400, 300);
    const QString path = env.path(QStringLiteral("pics/quarters.png"));
    QDir().mkpath(env.path(QStringLiteral("pics")));
    ASSERT_TRUE(quarters.save(path));
    const struct {
        int16_t position, border;
        bool crop;
        int turns;
    } cases[] = {{4, 0, false, 0}, {4, 0, true, 1}, {3, 20, false, 0}, {2, 30, true, 2}};
    for (const auto& c : cases) {
        makeList(2, 1);
        Options.DisplayMMessage = true;
        Options.Border = c.border;
        ActiveMagicList.SetEntryPath(0, path);
        ActiveMagicList.SetEntryPosition(0, c.position);
        if (c.crop)
            ActiveMagicList.SetEntryProperties(0, 50, 40, 300, 200);
        for (int t = 0; t < c.turns; ++t)
            ActiveMagicList.RotateEntry(0);
        openPanel();
        clickRow(0);
        panel->cmdActivate_Click();
        const QImage bitmap(wallpaperBitmapPath());
        ASSERT_FALSE(bitmap.isNull());
        const QImage shown = panel->picImage->picture();
        ASSERT_FALSE(shown.isNull());
        const QRectF at = panel->picImage->displayRect();
        // The bitmap scaled by the preview's share of the screen.
        EXPECT_NEAR(at.width(), bitmap.width() * 156.0 / 1024, 0.5 + 1e-9);
        EXPECT_NEAR(at.height(), bitmap.height() * 114.0 / 768, 0.5 + 1e-9);
        const QImage expected =
            bitmap.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanDifference(shown, expected), 3.0) << "placement " << c.position;
        panel->close();
        settle();
    }
}

TEST_F(PreviewTest, AMissingPictureIsOfferedForRemoval) {
    for (int16_t reply : {answer::Yes, answer::No}) {
        makeList(4, 3);
        const QString gone = ActiveMagicList.GetEntryPath(1);
        QFile::remove(gone);
        const QByteArray file = [&] {
            QFile f(ActiveMagicList.GetFilePath());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        openPanel();
        env.errors.calls.clear();
        env.errors.answers = {reply};
        clickRow(1);
        settle();
        ASSERT_EQ(env.errors.calls.size(), 1);
        const auto& call = env.errors.calls[0];
        EXPECT_EQ(call.message, QStringLiteral("There following error occurred while loading ") +
                                    gone + QStringLiteral("\r\n\r\nError: 20010  File Not Found"));
        EXPECT_EQ(call.question,
                  QStringLiteral("Do you want to remove this file from your Magic List?"));
        EXPECT_EQ(call.buttons, 20);
        EXPECT_EQ(call.title, QStringLiteral("Image Error"));
        if (reply == answer::Yes) {
            EXPECT_EQ(ActiveMagicList.GetCount(), 3);
            EXPECT_FALSE(entryNames().contains(QStringLiteral("B")));
            EXPECT_EQ(entryList()->model()->rowCount(), 3);
            // Afterwards the active entry alone is selected and shown.
            EXPECT_EQ(flaggedEntries(), QList<int>{2});
            EXPECT_EQ(panel->CurrentEntry, 2);
            EXPECT_EQ(shownPath(), ActiveMagicList.GetEntryPath(2));
            EXPECT_EQ(panel->SelectedCount, 1);
        } else {
            EXPECT_EQ(ActiveMagicList.GetCount(), 4);
            EXPECT_FALSE(panel->picImage->hasPicture());
            // The captions name the entry that failed, not the one before.
            EXPECT_EQ(shownPath(), gone);
            EXPECT_TRUE(panel->lblSize->text().isEmpty());
        }
        QFile f(ActiveMagicList.GetFilePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), file); // nothing is saved here
        panel->close();
        settle();
    }
}

TEST_F(PreviewTest, ARemovalAnsweredAfterTheListChangedRemovesNothing) {
    makeList(4, 0);
    const QString gone = ActiveMagicList.GetEntryPath(2);
    QFile::remove(gone);
    openPanel();
    ScriptedErrorPresenter hook;
    hook.answers = {answer::Yes, answer::No};
    // The timer moves the entries while the first question is open.
    hook.duringQuestion = [&hook] {
        if (hook.calls.size() == 1)
            ActiveMagicList.MoveItem(3, int16_t(0));
    };
    setErrorPresenter(&hook);
    clickRow(2);
    settle();
    setErrorPresenter(&env.errors);
    EXPECT_EQ(entryNames(), (QStringList{"D", "A", "B", "C"}));
    EXPECT_EQ(entryList()->model()->index(0, 0).data().toString(), QStringLiteral("D"));
    // The views follow the list: the selection went with the picture, which
    // is asked about again where it is now.
    ASSERT_EQ(hook.calls.size(), 2);
    EXPECT_TRUE(hook.calls[1].message.contains(gone));
    EXPECT_EQ(viewSelection(), QList<int>{3});
}

TEST_F(PreviewTest, PicturesThatAllFailAreAskedAboutOneAtATime) {
    // A list on a drive that is gone: every picture fails.
    makeList(5, 0);
    for (int16_t i = 0; i < 5; ++i)
        QFile::remove(ActiveMagicList.GetEntryPath(i));
    ScriptedErrorPresenter hook;
    int depth = 0, deepest = 0;
    hook.answers = {answer::Yes, answer::Yes, answer::Yes, answer::Yes, answer::Yes};
    hook.duringQuestion = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        // Whatever runs while a question is open may not ask another.
        settle();
        --depth;
    };
    setErrorPresenter(&hook);
    openPanel();
    for (int i = 0; i < 10 && ActiveMagicList.GetCount() > 0; ++i)
        settle();
    setErrorPresenter(&env.errors);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(hook.calls.size(), 5);
    EXPECT_EQ(ActiveMagicList.GetCount(), 0);
    EXPECT_EQ(entryList()->model()->rowCount(), 0);
    EXPECT_EQ(panel->CurrentEntry, -1);
}

TEST_F(PreviewTest, APlacementClickedAppliesToTheSelectionOnly) {
    makeList(4, 0);
    openPanel();
    selectRows({1, 3});
    QTest::mouseClick(panel->optPosition[2], Qt::LeftButton);
    for (int16_t i = 0; i < 4; ++i)
        EXPECT_EQ(ActiveMagicList.GetEntryPosition(i), i == 1 || i == 3 ? 3 : 2) << i;
    EXPECT_TRUE(checked(2));

    // A button the panel checks itself changes no entry.
    ActiveMagicList.SetEntryPosition(0, 4);
    panel->RefreshMagicList();
    EXPECT_TRUE(checked(3));
    for (int16_t i = 1; i < 4; ++i)
        EXPECT_EQ(ActiveMagicList.GetEntryPosition(i), i == 2 ? 2 : 3) << i;
}

TEST_F(PreviewTest, APaletteClickColoursTheSelection) {
    makeList(4, 0);
    openPanel();
    selectRows({0, 2});
    const PaletteLayout& l = panel->paletteLayoutBuilt();
    const int cellPx = l.cell / 15;
    const struct {
        Qt::MouseButton button;
        QPoint at; // in wells
        int32_t colour;
    } cases[] = {{Qt::LeftButton, {1, 0}, 0x808080}, {Qt::RightButton, {3, 1}, 0xC00000}};
    for (const auto& c : cases) {
        const QPoint at((c.at.x() * l.cell + l.cell / 2 + 12) / 15,
                        (c.at.y() * l.cell + l.cell / 2 + 12) / 15);
        QTest::mouseClick(panel->picBGColors, c.button, {}, at);
        for (int16_t i = 0; i < 4; ++i)
            EXPECT_EQ(ActiveMagicList.GetEntryBackgroundColor(i),
                      i == 0 || i == 2 ? c.colour : 0x102030)
                << i;
    }
    EXPECT_GT(cellPx, 10);
}

TEST_F(PreviewTest, ThePaletteScrollsAndEndsFlushWithItsHolder) {
    makeList(1);
    openPanel();
    QScrollBar* bar = panel->vsbBackgroundColors;
    const PaletteLayout& l = panel->paletteLayoutBuilt();
    ASSERT_TRUE(l.scrolls);
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), l.scrollMax);
    EXPECT_EQ(panel->picBGColors->y(), 0);
    bar->setValue(1);
    EXPECT_EQ(panel->picBGColors->y(), -100 / 15);
    bar->setValue(bar->maximum());
    EXPECT_EQ(panel->picBGColors->geometry().bottom(), panel->picBGHoler->height() - 1);
    // The Custom button is at the foot of the palette, four wells wide.
    EXPECT_EQ(panel->cmdCustom->geometry().bottom(), panel->picBGColors->height() - 1);
    EXPECT_EQ(panel->cmdCustom->width(), 4 * l.cell / 15);
    EXPECT_TRUE(panel->picBGHoler->rect().contains(
        panel->cmdCustom->geometry().translated(panel->picBGColors->pos())));
}

TEST_F(PreviewTest, ABorderChangedInTheOptionsRedrawsOnce) {
    makeList(2);
    openPanel();
    for (int16_t border : {int16_t(0), int16_t(12)}) {
        windows.options = [border] { Options.Border = border; };
        const int before = panel->previewRenders();
        chooseMenuItem(panel, QStringLiteral("mnuFileOptions"));
        EXPECT_EQ(panel->previewRenders() - before, border == 0 ? 0 : 1);
    }
}

} // namespace
