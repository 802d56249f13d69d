#include "engine/ProgramState.h"
#include "tests/engine/test_magiclist_helpers.h"

#include "engine/MagicList.h"
#include "engine/Options.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// Little-endian pieces of a list file, for files built by hand.
QByteArray le16(int v) {
    QByteArray b(2, '\0');
    qToLittleEndian<qint16>(static_cast<qint16>(v), b.data());
    return b;
}
QByteArray le32(int32_t v) {
    QByteArray b(4, '\0');
    qToLittleEndian<qint32>(v, b.data());
    return b;
}
QByteArray counted(const QByteArray& text) {
    return le16(int(text.size())) + text;
}

QByteArray header() {
    return QByteArray("Vellamore Magic List").leftJustified(55, ' ') + counted("01.00.005");
}

QByteArray defaultSchedule() {
    QByteArray s = le16(1) + le16(0);
    for (int i = 0; i < 7; ++i)
        s += le16(-1);
    return s + le16(0) + le16(8) + le16(17) + le16(60) + le16(1) + le16(1) + le16(5);
}

// An entry record with the given path bytes, active flag and rotation.
QByteArray record(const QByteArray& name, const QByteArray& path, int active = 0, int rotation = 0,
                  int selected = 0) {
    QByteArray r = counted(name) + counted(path) + le32(0x000080FF) + le16(4) + le16(selected) +
                   le16(active) + le16(-1) + le16(0) + le16(0) + le16(0) + le16(rotation);
    for (int i = 0; i < 4; ++i)
        r += le16(0);
    return r;
}

QByteArray listFile(const QByteArray& name, const QList<QByteArray>& records) {
    QByteArray f = header() + counted(name) + le16(int(records.size()));
    for (const QByteArray& r : records)
        f += r;
    return f + defaultSchedule();
}

class ListFileTest : public ::testing::Test {
protected:
    ListFileTest() {
        QDir().mkpath(Options.PrivateMagicListPath);
        QDir().mkpath(Options.PublicMagicListPath);
    }

    QString privateFile(const QString& name, const QByteArray& bytes) {
        return env.writeFile(QStringLiteral("home/Documents/My Magic Lists/") + name, bytes);
    }

    TestEnvironment env;
};

TEST_F(ListFileTest, AnEmptyListIsHeaderNameCountAndSchedule) {
    clsMagicList list;
    list.SetListName(QStringLiteral("Work"));
    ASSERT_TRUE(list.Save());
    const QByteArray bytes = readBytes(list.GetFilePath());
    EXPECT_EQ(bytes.size(), 55 + 11 + (2 + 4) + 2 + 32);
    EXPECT_EQ(bytes, listFile("Work", {}));
}

TEST_F(ListFileTest, ASaveSyncsTheFolderAndRemovesWhatAKilledSaveLeft) {
    clsMagicList list;
    ASSERT_TRUE(list.Save());
    const QString leftover = list.GetFilePath() + QStringLiteral(".k1LLed");
    env.writeFile(QStringLiteral("home/Documents/My Magic Lists/") + QFileInfo(leftover).fileName(),
                  "half a list");
    {
        QFile old(leftover);
        ASSERT_TRUE(old.open(QIODevice::ReadWrite));
        ASSERT_TRUE(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                    QFileDevice::FileModificationTime));
    }
    const int before = folderSyncCount();
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(folderSyncCount(), before + 1);
    EXPECT_FALSE(QFileInfo::exists(leftover));
}

TEST_F(ListFileTest, PublicPicturesAreStoredUnderTheMarker) {
    const QString images = Options.PublicImagesPath;
    const QString sun = writePicture(env, QStringLiteral("program/Images/Samples/sun.jpg"));
    clsMagicList list;
    list.SetListName(QStringLiteral("L"));
    list.AddItem(sun, 0x000080FF, 4);
    // The same folder in other letter case is not the public folder.
    const QString otherCase = images.toUpper().replace(env.root.path().toUpper(), env.root.path()) +
                              QStringLiteral("sun.jpg");
    list.AddItem(sun, 0x000080FF, 4);
    list.SetEntryPath(1, otherCase);
    list.SetEntryName(1, QStringLiteral("sun"));
    list.RotateEntry(0);
    list.SetEntrySelected(0, true);
    ASSERT_TRUE(list.Save());
    const QByteArray expected =
        listFile("L", {record("sun", "$PUBLICIMAGEPATH\\Samples\\sun.jpg", 0, 90, -1),
                       record("sun", otherCase.toUtf8(), 0, 0, 0)});
    EXPECT_EQ(readBytes(list.GetFilePath()), expected);

    // Read back under another installation's pictures folder.
    Options.PublicImagesPath = env.path(QStringLiteral("elsewhere/Images/"));
    clsMagicList reread;
    ASSERT_EQ(reread.Load(list.GetFilePath()), 0);
    EXPECT_EQ(reread.GetEntryPath(0), Options.PublicImagesPath + QStringLiteral("Samples/sun.jpg"));
    EXPECT_EQ(reread.GetEntryPath(1), otherCase);
}

TEST_F(ListFileTest, AListMadeOnWindowsLoadsAndSavesBackByteForByte) {
    // Windows-1252 text, backslashes after the marker, an ordinary path.
    const QByteArray original =
        listFile("Caf\xe9 \x80", {record("na\xefve", "$PUBLICIMAGEPATH\\Samples\\tree.jpg", -1),
                                  record("x", "C:\\Pics\\x.jpg")});
    const QString path = privateFile(QStringLiteral("MList7.MLS"), original);
    clsMagicList list;
    ASSERT_EQ(list.Load(path), 0);
    EXPECT_EQ(list.GetListName(), QStringLiteral("Caf\u00e9 \u20ac"));
    EXPECT_EQ(list.GetEntryName(0), QStringLiteral("na\u00efve"));
    EXPECT_EQ(list.GetEntryPath(0), Options.PublicImagesPath + QStringLiteral("Samples/tree.jpg"));
    EXPECT_EQ(list.GetEntryPath(1), QStringLiteral("C:\\Pics\\x.jpg"));

    // Written back, the text is UTF-8 and everything else the same bytes.
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(list.GetFilePath(), path);
    const QByteArray utf8 =
        listFile("Caf\xc3\xa9 \xe2\x82\xac",
                 {record("na\xc3\xafve", "$PUBLICIMAGEPATH\\Samples\\tree.jpg", -1, 0, -1),
                  record("x", "C:\\Pics\\x.jpg")});
    EXPECT_EQ(readBytes(path), utf8);
}

TEST_F(ListFileTest, RoundTripKeepsEveryStoredField) {
    clsMagicList list;
    list.SetListName(QStringLiteral("Ferien \u00fcber Gr\u00f6\u00dfe \U0001F600"));
    for (const char* n : {"a", "b", "c"})
        list.AddItem(writePicture(env, QStringLiteral("p/%1.jpg").arg(n)), 0x123456, 3);
    list.SetEntryProperties(1, 5, 6, 7, 8);
    list.SetFlag(2, 3, -7);
    list.SetEntryBGColor(2, -1);
    list.SetSchUpdateOption(2);
    list.SetSchUpdateOnDay(3, false);
    list.SetSchUpdateCounter(9);
    list.SetEntrySelected(2, true); // as a load leaves it
    list.SetActiveEntry(2);
    const QByteArray first = readBytes(list.GetFilePath());

    clsMagicList reread;
    ASSERT_EQ(reread.Load(list.GetFilePath()), 0);
    EXPECT_EQ(reread.GetListName(), list.GetListName());
    EXPECT_EQ(namesOf(reread), namesOf(list));
    EXPECT_EQ(reread.GetEntryPath(0), list.GetEntryPath(0));
    EXPECT_EQ(reread.GetEntryLeft(1), 5);
    EXPECT_EQ(reread.GetEntryHeight(1), 8);
    EXPECT_EQ(reread.getFlag(2, 3), -7);
    EXPECT_EQ(reread.GetEntryBackgroundColor(2), -1);
    EXPECT_EQ(reread.GetEntryPosition(0), 3);
    EXPECT_EQ(reread.GetActiveEntry(), 2);
    EXPECT_TRUE(reread.GetEntrySelected(2));
    EXPECT_EQ(reread.GetSchUpdateOption(), 2);
    EXPECT_FALSE(reread.GetSchUpdateOnDay(3));
    EXPECT_EQ(reread.GetSchUpdateCounter(), 9);
    EXPECT_FALSE(reread.IsPublic());
    ASSERT_TRUE(reread.Save());
    EXPECT_EQ(readBytes(reread.GetFilePath()), first);
}

TEST_F(ListFileTest, TheLastActiveEntryIsSelectedAndBothStayActive) {
    const QString path =
        privateFile(QStringLiteral("MList1.MLS"),
                    listFile("  Work  ", {record("a", "/a", 0, 0, -1), record("b", "/b", -1),
                                          record("c", "/c"), record("d", "/d", -1)}));
    clsMagicList list;
    ASSERT_EQ(list.Load(path), 0);
    EXPECT_EQ(list.GetListName(), QStringLiteral("Work"));
    EXPECT_EQ(list.GetActiveEntry(), 1);
    for (int16_t i = 0; i < 4; ++i)
        EXPECT_EQ(list.GetEntrySelected(i), i == 3) << i;
}

TEST_F(ListFileTest, WithoutAnActiveEntryTheFirstTakesTheRole) {
    const QString path =
        privateFile(QStringLiteral("MList1.MLS"),
                    listFile("W", {record("a", "/a", 0, 0, -1), record("b", "/b", 0, 0, -1)}));
    clsMagicList list;
    ASSERT_EQ(list.Load(path), 0);
    EXPECT_EQ(list.GetActiveEntry(), 0);
    EXPECT_TRUE(list.GetEntrySelected(0));
    EXPECT_FALSE(list.GetEntrySelected(1));
}

TEST_F(ListFileTest, ExtraBytesAfterTheScheduleAndAnOddHeaderAreIgnored) {
    QByteArray bytes = listFile("W", {record("a", "/a")}) + QByteArray("leftover bytes");
    bytes.replace(0, 9, "Something");
    clsMagicList list;
    ASSERT_EQ(list.Load(privateFile(QStringLiteral("MList1.MLS"), bytes)), 0);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(list.headerText().startsWith(QStringLiteral("Something")));
}

TEST_F(ListFileTest, SavingAShorterListLeavesNoOldBytes) {
    clsMagicList list;
    const QString pic = writePicture(env, QStringLiteral("p/a.jpg"));
    for (int i = 0; i < 10; ++i)
        list.AddItem(pic, -1, -1);
    ASSERT_TRUE(list.Save());
    while (list.GetCount() > 3)
        list.DeleteItem(0);
    ASSERT_TRUE(list.Save());
    const int recordSize = 2 + 1 + 2 + int(pic.toUtf8().size()) + 28;
    EXPECT_EQ(readBytes(list.GetFilePath()).size(), 55 + 11 + 2 + 13 + 2 + 3 * recordSize + 32);
}

TEST_F(ListFileTest, EveryCutOfAFileIsAReadFailure) {
    const QByteArray whole = listFile("Name", {record("a", "/pics/a.jpg", -1), record("b", "/b")});
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        env.errors.calls.clear();
        clsMagicList list;
        EXPECT_EQ(list.Load(privateFile(QStringLiteral("cut.MLS"), whole.left(cut))), -62);
        ASSERT_EQ(env.errors.calls.size(), 1);
        EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Input past end of file"));
        EXPECT_EQ(list.GetFilePath(), QString());
    }
}

TEST_F(ListFileTest, ImpossibleCountsAndLengthsAreReadFailures) {
    const QByteArray start = header() + counted("N");
    const QList<QByteArray> damaged = {
        start + le16(-1) + defaultSchedule(),
        start + le16(32767) + defaultSchedule(), // far more entries than bytes
        start + le16(1) + le16(-5) + QByteArray(60, 'x'),
        start + le16(1) + counted("a") + le16(30000) + QByteArray(40, 'x'),
        header() + le16(-32768) + QByteArray(100, 'x'),
    };
    for (const QByteArray& bytes : damaged) {
        clsMagicList list;
        EXPECT_EQ(list.Load(privateFile(QStringLiteral("bad.MLS"), bytes)), -62);
    }
    EXPECT_EQ(env.errors.calls.size(), damaged.size());
}

TEST_F(ListFileTest, AMissingFileKeepsTheEntriesButNotThePath) {
    clsMagicList list;
    list.AddItem(writePicture(env, QStringLiteral("p/a.jpg")), -1, -1);
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(list.Load(env.path(QStringLiteral("nowhere.MLS"))), -76);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetFilePath(), QString());
    EXPECT_TRUE(env.errors.calls.isEmpty());
    EXPECT_EQ(list.Load(env.path(QStringLiteral("p"))), -76); // a folder
}

TEST_F(ListFileTest, NewListsTakeTheFirstFreeNameInTheirFolder) {
    privateFile(QStringLiteral("MList1.MLS"), "x");
    privateFile(QStringLiteral("MList2.MLS"), "x");
    clsMagicList list;
    ASSERT_TRUE(list.Save());
    EXPECT_EQ(list.GetFilePath(), Options.PrivateMagicListPath + QStringLiteral("MList3.MLS"));
    clsMagicList shared;
    shared.SetPublic();
    ASSERT_TRUE(shared.Save());
    EXPECT_EQ(shared.GetFilePath(), Options.PublicMagicListPath + QStringLiteral("MList1.MLS"));
    clsMagicList reread;
    ASSERT_EQ(reread.Load(shared.GetFilePath()), 0);
    EXPECT_TRUE(reread.IsPublic());
}

TEST_F(ListFileTest, WhenAllTwoHundredNamesAreTakenNothingIsOverwritten) {
    for (int n = 1; n <= 200; ++n)
        privateFile(QStringLiteral("MList%1.MLS").arg(n), "keep");
    clsMagicList list;
    EXPECT_FALSE(list.Save());
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_TRUE(env.errors.calls[0].message.contains(QStringLiteral("MList200")));
    EXPECT_EQ(list.GetFilePath(), QString());
    EXPECT_EQ(readBytes(Options.PrivateMagicListPath + QStringLiteral("MList1.MLS")), "keep");
}

TEST_F(ListFileTest, SavingIntoAMissingFolderReportsPathNotFound) {
    Options.PrivateMagicListPath = env.path(QStringLiteral("missing/"));
    clsMagicList list;
    EXPECT_FALSE(list.Save());
    ASSERT_EQ(env.errors.calls.size(), 1);
    EXPECT_EQ(env.errors.calls[0].message, QStringLiteral("Path not found"));
    EXPECT_EQ(list.GetFilePath(), env.path(QStringLiteral("missing/MList1.MLS")));
}

TEST_F(ListFileTest, ANameTooLongForTheFileIsCutToFitAndTheListStaysStorable) {
    clsMagicList list;
    list.SetListName(QString(11000, QChar(0x20AC)));
    list.AddItem(writePicture(env, QStringLiteral("pics/a.jpg")), -1, -1);
    list.SetEntryName(0, QString(11000, QChar(0x20AC)) + QStringLiteral("x"));
    EXPECT_EQ(list.GetListName(), QString(10922, QChar(0x20AC)));
    EXPECT_EQ(list.GetEntryName(0), QString(10922, QChar(0x20AC)));
    ASSERT_TRUE(list.Save());
    EXPECT_TRUE(env.errors.calls.isEmpty());
    // A pair of surrogates is never split.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // 4 bytes, 2 units
    list.SetEntryName(0, QStringLiteral("ab") + clef.repeated(8192));
    EXPECT_EQ(list.GetEntryName(0), QStringLiteral("ab") + clef.repeated(8191));
}

TEST_F(ListFileTest, ASaveTheUserAsksForAlwaysSaysItCannotStoreAText) {
    // A list made on Windows: 32,767 bytes of "é" in its code page are
    // twice that in UTF-8.
    const QString file =
        privateFile(QStringLiteral("MList1.MLS"), listFile(QByteArray(32767, '\xE9'), {}));
    clsMagicList list;
    ASSERT_EQ(list.Load(file), 0);
    const QByteArray before = readBytes(file);
    const struct {
        bool onSchedule;
        int told;
    } cases[] = {{false, 1}, {false, 2}, {true, 2}, {true, 2}, {false, 3}};
    for (const auto& c : cases) {
        ThisRun.savingOnSchedule = c.onSchedule;
        EXPECT_FALSE(list.Save());
        EXPECT_EQ(env.errors.calls.size(), c.told) << c.onSchedule;
    }
    ThisRun.savingOnSchedule = false;
    EXPECT_TRUE(env.errors.calls[0].message.contains(QStringLiteral("32767")));
    EXPECT_EQ(readBytes(file), before);
}

} // namespace
