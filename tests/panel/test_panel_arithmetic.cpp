// The control panel's arithmetic, apart from any control: the countdown,
// the swatch text colour, where the preview goes, the palette's grid, the
// moves of the selection and the rows of the list-name box.

#include "engine/BackgroundColors.h"
#include "engine/MagicList.h"
#include "engine/Options.h"
#include "engine/ProgramState.h"
#include "panel/Countdown.h"
#include "panel/EntryMoves.h"
#include "panel/ListRows.h"
#include "panel/PaletteGeometry.h"
#include "panel/PanelColors.h"
#include "panel/PreviewGeometry.h"
#include "panel/SelectionMapping.h"
#include "runtime/Dates.h"
#include "tests/common/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

TEST(CountdownText, CountsDownToTheNextChange) {
    const struct {
        QDateTime now, next;
        const char* text;
    } cases[] = {
        {makeDateTime(2024, 5, 6, 10, 55, 50), makeDateTime(2024, 5, 6, 11, 0, 0), "0:04:10"},
        {makeDateTime(2024, 5, 6, 10, 0, 0), makeDateTime(2024, 5, 6, 11, 5, 0), "1:05:00"},
        {makeDateTime(2024, 5, 6, 10, 59, 59), makeDateTime(2024, 5, 6, 11, 0, 0), "0:00:01"},
        {makeDateTime(2024, 5, 6, 10, 0, 0), makeDateTime(2024, 5, 6, 10, 0, 0), "0:00:00"},
        // A change that is past: no minutes, and what is left of this one.
        {makeDateTime(2024, 5, 6, 11, 0, 30), makeDateTime(2024, 5, 6, 11, 0, 0), "0:00:30"},
        {makeDateTime(2024, 5, 6, 12, 10, 0), makeDateTime(2024, 5, 6, 11, 0, 0), "0:00:00"},
        // Over midnight and beyond a day.
        {makeDateTime(2024, 5, 6, 23, 58, 20), makeDateTime(2024, 5, 7, 0, 30, 0), "0:31:40"},
        {makeDateTime(2024, 5, 6, 10, 0, 0), makeDateTime(2024, 5, 7, 12, 0, 0), "26:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(countdownText(c.now, c.next), QString::fromLatin1(c.text))
            << c.now.toString().toStdString();
}

TEST(ContrastTextColor, BlackOnLightWhiteOnDark) {
    QPalette light;
    light.setColor(QPalette::Button, QColor(0xef, 0xef, 0xef));
    QPalette dark;
    dark.setColor(QPalette::Button, QColor(0x31, 0x36, 0x3b));
    const struct {
        int32_t colour;
        const QPalette& palette;
        int32_t text;
    } cases[] = {
        {0xFFFFFF, light, 0},    {0, light, 0xFFFFFF},
        {0x808080, light, 0},    {0xFF0000, light, 0xFFFFFF},   // blue is dark
        {0xFF00, light, 0},                                     // bright green is light
        {0xFFFF, light, 0},      {0x80, light, 0xFFFFFF},       // yellow, dark red
        {kButtonFace, light, 0}, {kButtonFace, dark, 0xFFFFFF}, // the system's grey
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetContrastTextColor(c.colour, c.palette), c.text) << std::hex << c.colour;
}

TEST(ContrastTextColor, EveryPresetGetsTheTextThatReadsBest) {
    const clsBackGroundColors presets;
    for (int16_t i = 0; i < presets.GetCount(); ++i) {
        const QColor swatch = paintColor(presets.GetColor(i), QPalette());
        const QColor text = contrastTextColor(swatch);
        const QColor other = text == QColor(Qt::black) ? QColor(Qt::white) : QColor(Qt::black);
        // Either black or white reads at 4.5:1 at least on any colour; the
        // one chosen is the better of the two.
        EXPECT_GE(contrastRatio(text, swatch), 4.5) << swatch.name().toStdString();
        EXPECT_GE(contrastRatio(text, swatch), contrastRatio(other, swatch))
            << swatch.name().toStdString();
    }
}

TEST(PreviewPlacement, ScalesByThePreviewToScreenRatio) {
    const QSize screen(1024, 768), inner(156, 114);
    const struct {
        int border, position;
        QSize picture;
        QRectF display;
    } cases[] = {
        {0, 2, {800, 600}, {17, 12.5, 122, 89}},
        {0, 2, {384, 384}, {49, 28.5, 58, 57}}, // 58.5 goes to the even 58
        {0, 2, {2048, 1536}, {-78, -57, 312, 228}},
        {0, 4, {768, 768}, {19.5, 0, 117, 114}},
        {0, 3, {300, 200}, {0, 0, 156, 114}},
        {0, 1, {1024, 768}, {0, 0, 156, 114}},
        {10, 3, {1004, 748}, {1.5, 1.5, 153, 111}},
        {10, 1, {1004, 748}, {1.5, 1.5, 153, 111}},
    };
    for (const auto& c : cases) {
        const PreviewPlacement p =
            previewPlacement(c.picture, screen, inner, c.border, int16_t(c.position));
        EXPECT_TRUE(p.placed);
        EXPECT_EQ(p.display, c.display) << c.picture.width() << " placement " << c.position;
        EXPECT_EQ(p.clip, QRect(0, 0, 156, 114));
    }
    EXPECT_FALSE(previewPlacement({800, 600}, screen, inner, 0, 0).placed);
    EXPECT_FALSE(previewPlacement({800, 600}, QSize(0, 0), inner, 0, 2).placed);
}

TEST(PaletteGeometry, LaysOutTheWellsTheButtonAndTheScrollRange) {
    // A holder 1500 twips wide and 1800 high; a button 375 high.
    const PaletteLayout l = paletteLayout(24, 1500, 1800, 375);
    EXPECT_EQ(l.rows, 6);
    EXPECT_EQ(l.cell, 362);
    EXPECT_EQ(l.customTop, 2197);
    EXPECT_EQ(l.customLeft, 25);
    EXPECT_EQ(l.customWidth, 1448);
    EXPECT_EQ(l.height, 2572);
    EXPECT_TRUE(l.scrolls);
    EXPECT_EQ(l.scrollMax, 8);
    EXPECT_EQ(paletteWell(0, l.cell), QRect(QPoint(25, 25), QPoint(362, 362)));
    EXPECT_EQ(paletteWell(5, l.cell), QRect(QPoint(387, 387), QPoint(724, 724)));

    const struct {
        int colours, rows;
    } rows[] = {{24, 6}, {22, 6}, {21, 6}, {20, 5}, {1, 1}, {0, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(paletteRows(r.colours), r.rows) << r.colours;
}

TEST(PaletteGeometry, ScrollsAHundredTwipsAUnitAndEndsFlush) {
    const struct {
        int holderHeight, max;
        QList<std::pair<int, int>> tops; // value, top
    } cases[] = {
        {1800, 8, {{8, -772}, {7, -700}, {0, 0}}},
        {1922, 6, {{6, -650}, {5, -500}}}, // 6.5 goes to the even 6
        {1822, 8, {{8, -750}, {1, -100}}}, // 7.5 goes to 8
        // Taller by less than half a unit: one unit, to reach both ends.
        {2540, 1, {{1, -32}, {0, 0}}},
    };
    for (const auto& c : cases) {
        const PaletteLayout l = paletteLayout(24, 1500, c.holderHeight, 375);
        EXPECT_EQ(l.scrollMax, c.max) << c.holderHeight;
        for (const auto& [value, top] : c.tops)
            EXPECT_EQ(paletteTop(value, l, c.holderHeight), top)
                << c.holderHeight << " value " << value;
    }
    // A palette that fits sits at the top with nothing to scroll.
    for (int holder : {2572, 4000}) {
        const PaletteLayout fits = paletteLayout(24, 1500, holder, 375);
        EXPECT_FALSE(fits.scrolls);
        EXPECT_EQ(fits.scrollMax, 0);
        EXPECT_EQ(paletteTop(0, fits, holder), 0);
    }
}

TEST(PaletteGeometry, AClickTakesTheColourOfItsPartOfTheGrid) {
    // Four columns of 375 twips; rows of round(2197 / 6) = 366.
    const struct {
        int colours;
        double x, y;
        int hit;
    } cases[] = {
        {24, 10, 10, 0},   // the left margin takes the first column
        {24, 370, 100, 0}, // a gap takes a neighbour
        {24, 380, 100, 1},    {24, 400, 400, 5},
        {24, 1490, 2190, 23}, {24, 1490, 2196, -1}, // the seventh row does not exist
        {22, 1490, 2000, -1},                       // a blank place of the last row
        {22, 400, 2000, 21},  {0, 10, 10, -1},      // no colours, no rows: nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(paletteHit(c.colours, c.x, c.y, 1500, 2572, 375), c.hit)
            << c.colours << " colours at " << c.x << ", " << c.y;
}

class ListArithmeticTest : public ::testing::Test {
protected:
    // A list of entries named A, B, C..., with the given ones selected.
    void makeList(const QString& names, const QList<int>& selected) {
        list = clsMagicList();
        QDir().mkpath(Options.PrivateMagicListPath);
        for (QChar c : names) {
            const QString path = env.writeFile(QStringLiteral("p/") + c + ".png", "x");
            list.AddItem(path, int32_t(0), int16_t(2));
        }
        for (int i : selected)
            list.SetEntrySelected(int16_t(i), true);
    }
    QString order() const {
        QString out;
        for (int16_t i = 0; i < list.GetCount(); ++i)
            out += list.GetEntryName(i);
        return out;
    }
    TestEnvironment env;
    clsMagicList list;
};

TEST_F(ListArithmeticTest, MovesKeepBlocksTogetherAndCloseGaps) {
    const struct {
        const char* names;
        QList<int> selected;
        const char* direction;
        QStringList steps; // the order after each step
    } cases[] = {
        {"ABCDEF", {3, 4}, "UP", {"ABDECF", "ADEBCF", "DEABCF", "DEABCF"}},
        {"ABCD", {0, 2}, "DOWN", {"BADC", "BDAC", "BDAC"}},
        {"ABCD", {1}, "down", {"ACBD"}},
        {"ABCD", {0, 1}, "UP", {"ABCD"}},
        {"ABCD", {1}, "SIDEWAYS", {"ABCD"}},
    };
    for (const auto& c : cases) {
        makeList(QString::fromLatin1(c.names), c.selected);
        for (const QString& expected : c.steps) {
            const QString before = order();
            const bool moved = moveSelectedEntries(list, QString::fromLatin1(c.direction));
            EXPECT_EQ(order(), expected) << c.names << " " << c.direction;
            EXPECT_EQ(moved, before != expected);
        }
    }
}

TEST_F(ListArithmeticTest, TheCurrentEntryFollowsItsPicture) {
    makeList(QStringLiteral("ABCDEF"), {3, 4});
    list.SetFlag(5, 1, 1); // an old mark, kept in the file
    int16_t current = 3;
    EXPECT_TRUE(moverStep(list, QStringLiteral("UP"), current));
    EXPECT_EQ(current, 2);
    for (int16_t i = 0; i < list.GetCount(); ++i)
        EXPECT_EQ(list.getFlag(i, 1), i == 2 ? 1 : 0) << i;

    // No entry to mark: the old marks go, and the current entry stays.
    for (int16_t stale : {int16_t(-1), int16_t(6), int16_t(40)}) {
        list.SetFlag(0, 1, 1);
        int16_t none = stale;
        moverStep(list, QStringLiteral("DOWN"), none);
        EXPECT_EQ(none, stale);
        for (int16_t i = 0; i < list.GetCount(); ++i)
            EXPECT_EQ(list.getFlag(i, 1), 0) << i;
    }
}

TEST(MoverInterval, RepeatsAfterAPauseAndEndsASingleStep) {
    QList<int> ladder{10};
    for (int i = 0; i < 4; ++i)
        ladder << nextMoverInterval(ladder.last());
    EXPECT_EQ(ladder, (QList<int>{10, 700, 75, 75, 75}));
    EXPECT_EQ(nextMoverInterval(1), 0);
}

TEST_F(ListArithmeticTest, SelectionRunsAndHeldSelections) {
    makeList(QStringLiteral("ABCDEFG"), {0, 1, 3, 5, 6});
    EXPECT_EQ(selectedRuns(list), (QList<std::pair<int, int>>{{0, 1}, {3, 3}, {5, 6}}));
    makeList(QStringLiteral("ABC"), {});
    EXPECT_TRUE(selectedRuns(list).isEmpty());

    makeList(QStringLiteral("ABCD"), {1, 2});
    list.Save();
    const HeldSelection held = HeldSelection::of(list);
    EXPECT_EQ(held.indexes(), (QList<int16_t>{1, 2}));
    EXPECT_TRUE(held.isUnchanged(list));

    const struct {
        const char* what;
        std::function<void(clsMagicList&)> change;
    } changes[] = {
        {"another selection", [](clsMagicList& l) { l.SelectOnlyAcitve(); }},
        {"one more selected", [](clsMagicList& l) { l.SetEntrySelected(3, true); }},
        {"an entry moved", [](clsMagicList& l) { l.MoveItem(0, int16_t(3)); }},
        {"another picture",
         [this](clsMagicList& l) {
             l.SetEntryPath(2, env.writeFile(QStringLiteral("p/Z.png"), "z"));
         }},
        {"another file", [](clsMagicList& l) { l.ClearFilePath(); }},
    };
    for (const auto& c : changes) {
        clsMagicList copy = list;
        c.change(copy);
        EXPECT_FALSE(held.isUnchanged(copy)) << c.what;
    }
}

TEST(ListRows, TheOpenListIsFoundByItsFileThenByItsName) {
    QList<ListIndexEntry> index{{},
                                {QStringLiteral("Holiday"), QStringLiteral("/pub/MList1.MLS")},
                                {QStringLiteral("Holiday"), QStringLiteral("/me/MList1.MLS")},
                                {QStringLiteral("Work"), QStringLiteral("/me/MList2.MLS")}};
    const QList<ListRow> rows{{QStringLiteral("Holiday"), 1},
                              {QStringLiteral("Holiday"), 2},
                              {QStringLiteral("Work"), 3}};
    const struct {
        const char* name;
        const char* path;
        int row;
    } cases[] = {
        {"Holiday", "/me/MList1.MLS", 1},  // the file decides between equal names
        {"Holiday", "/pub/MList1.MLS", 0}, //
        {"Renamed", "/me/MList2.MLS", 2},  // a name the box does not know yet
        {"  holiday ", "", 0},             // no file: the name, blanks and case aside
        {"WORK", "/elsewhere.MLS", 2},     //
        {"Work", "/me/mlist2.mls", 2},     // another file (case counts), same name
        {"Nowhere", "/none.MLS", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(matchingListRow(rows, QString::fromLatin1(c.name), QString::fromLatin1(c.path),
                                  index, 3),
                  c.row)
            << c.name << " " << c.path;

    EXPECT_EQ(indexRowOf(QStringLiteral("Holiday"), QStringLiteral("/me/MList1.MLS"), index, 3), 2);
    EXPECT_EQ(indexRowOf(QStringLiteral("Holiday"), QStringLiteral("/x.MLS"), index, 3), 1);
    EXPECT_EQ(indexRowOf(QStringLiteral("holiday"), QStringLiteral("/x.MLS"), index, 3), 0);
    // Rows the index does not hold are never taken as its rows.
    EXPECT_EQ(indexRowOf(QStringLiteral("Work"), QStringLiteral("/me/MList2.MLS"), index, 2), 0);
}

} // namespace
