#include "platform/Http.h"
#include "runtime/RuntimeError.h"
#include "update/UpdateRecord.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(UpdateRecord, SplitsTheFieldsOfTheRecord) {
    const struct {
        const char* text;
        const char* version;
        int32_t size;
        const char* url;
        const char* first;
    } cases[] = {
        {"A|02.00.05|C|D|1572864|  http://h/u/setup205.exe  |G", "02.00.05", 1572864,
         "http://h/u/setup205.exe", "A"},
        // A trailing "|" gives the same fields.
        {"A|02.00.05|C|D|1572864|  http://h/u/setup205.exe  |G|", "02.00.05", 1572864,
         "http://h/u/setup205.exe", "A"},
        // Six fields and a line end: the address is trimmed of it.
        {"A|02.00.05|C|D|1572864|https://h/setup.run\r\n", "02.00.05", 1572864,
         "https://h/setup.run", "A"},
        // The version is trimmed too, so a blank does not make it newer.
        {"A| 02.00.01\r\n|C|D| 4096 |https://h/s|G", "02.00.01", 4096, "https://h/s", "A"},
        // Empty fields after the seventh are no eighth field.
        {"|01.01.00|||0|https://h/s|G||", "01.01.00", 0, "https://h/s", ""},
    };
    for (const auto& c : cases) {
        const UpdateRecord r = parseUpdateRecord(QString::fromLatin1(c.text));
        EXPECT_EQ(r.fields[2], QString::fromLatin1(c.version)) << c.text;
        EXPECT_EQ(r.installerSize, c.size) << c.text;
        EXPECT_EQ(r.fields[6], QString::fromLatin1(c.url)) << c.text;
        EXPECT_EQ(r.fields[1], QString::fromLatin1(c.first)) << c.text;
        EXPECT_EQ(r.fields[5].trimmed(), QString::number(c.size)) << c.text;
    }
}

TEST(UpdateRecord, ARecordItCannotReadRaisesARunTimeError) {
    const struct {
        const char* text;
        int error;
    } cases[] = {
        {"1|2|3|4|5|6|7|8", 9}, // text in an eighth field
        {"1|2|3|4|5|6|7||x", 9},
        {"A|02.00.05|C|D|12x|https://h/s|G", 13}, // field 5 is no number
        {"A|02.00.05|C|D||https://h/s|G", 13},
        {"just text", 13},
        {"A|02.00.05|C|D|99999999999|https://h/s|G", 6}, // beyond 32 bits
    };
    for (const auto& c : cases) {
        std::optional<int> raised;
        try {
            parseUpdateRecord(QString::fromLatin1(c.text));
        } catch (const RuntimeError& e) {
            raised = e.number();
        }
        EXPECT_EQ(raised, c.error) << c.text;
    }
}

TEST(UpdateRecord, VersionsAreTwoDigitPartsComparedAsText) {
    EXPECT_EQ(formatVersion(2, 0, 1), QStringLiteral("02.00.01"));
    EXPECT_EQ(formatVersion(10, 2, 15), QStringLiteral("10.02.15"));
    EXPECT_EQ(formatVersion(1, 0, 100), QStringLiteral("01.00.100"));
    EXPECT_EQ(currentVersionText().size(), 8);

    const struct {
        const char* current;
        const char* offered;
        bool newer;
    } cases[] = {
        {"02.00.01", "02.00.01", false},     {"02.00.01", "02.01.00", true},
        {"01.00.05", "1.2.0", true}, // "1" sorts after "0": text, not numbers
        {"02.00.01", "01.09.09", false},     {"02.00.01", "02.00.01 ", false},
        {"02.00.01", "02.00.01\r\n", false}, {"02.00.01", "", false},
        {"09.09.09", "10.00.00", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(updateIsNewer(QString::fromLatin1(c.current), QString::fromLatin1(c.offered)),
                  c.newer)
            << c.current << " against " << c.offered;
    }
}

TEST(UpdateRecord, TheSizeLabelKeepsTheRuntimesOneDecimalFormat) {
    const struct {
        int32_t bytes;
        const char* label;
    } cases[] = {
        {1572864, "1.5 Megabytes"},
        {5242880, "5. Megabytes"},
        {524288, ".5 Megabytes"},
        {0, ". Megabytes"},
        {52428, ". Megabytes"},
        {52429, ".1 Megabytes"},
        {5000, ". Megabytes"},
        {1048576 + 52429, "1.1 Megabytes"}, // 1.05 rounds away from zero
        {104857600, "100. Megabytes"},
        {2147483647, "2048. Megabytes"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sizeLabel(c.bytes), QString::fromLatin1(c.label)) << c.bytes;
    EXPECT_EQ(formatOneDecimal(-1.5), QStringLiteral("-1.5"));
    EXPECT_EQ(formatOneDecimal(0.04), QStringLiteral("."));
    EXPECT_EQ(formatOneDecimal(9.96), QStringLiteral("10."));
}

TEST(UpdateRecord, TheBarMeasuresAgainstWholeChunksAndNeverPassesAHundred) {
    const struct {
        int32_t size;
        int64_t expected;
    } sizes[] = {{5000, 4096}, {3072, 4096}, {5120, 4096}, {7168, 8192},
                 {1024, 0},    {1025, 2048}, {0, 0},       {2147483647, 2147483648LL}};
    for (const auto& c : sizes)
        EXPECT_EQ(expectedDownloadSize(c.size), c.expected) << c.size;

    const struct {
        int64_t received;
        int64_t expected;
        int percent;
    } bars[] = {{2048, 4096, 50}, {4096, 4096, 100}, {5000, 4096, 100}, {0, 4096, 0},
                {1, 0, 100},      {0, 0, 0},         {1024, 4096, 25},  {6144, 4096, 100}};
    for (const auto& c : bars)
        EXPECT_EQ(progressPercent(c.received, c.expected), c.percent)
            << c.received << " of " << c.expected;
}

TEST(UpdateRecord, OnlyAGoodAnswerOfExactlyTheRecordsWholeSizeCountsAsTheInstaller) {
    const struct {
        int status;
        int64_t bytes;
        const char* size; // field 5 as the record writes it
        bool counts;
    } cases[] = {
        {200, 4096, "4096", true},  {204, 10, " 10 ", true},    {200, 4096, "0", false},
        {200, 0, "0", false},       {200, 10, "-1", false},     {200, 1, "-1", false},
        {200, 12, "12.4", false},   {200, 12, "1.2e1", false},  {200, 16, "&H10", false},
        {404, 9, "9", false},       {404, 4096, "4096", false}, {500, 4096, "4096", false},
        {200, 1000, "4096", false}, {200, 5000, "4096", false}, {0, 4096, "4096", false},
        {302, 4096, "4096", false},
    };
    for (const auto& c : cases) {
        const UpdateRecord record = parseUpdateRecord(
            QStringLiteral("A|02.00.05|C|D|%1|https://h/s|G").arg(QString::fromLatin1(c.size)));
        EXPECT_EQ(downloadCounts(c.status, c.bytes, record), c.counts)
            << c.status << " " << c.bytes << " " << c.size;
    }
}

TEST(UpdateRecord, TheInstallerIsSavedUnderThePlainNameAtTheEndOfItsAddress) {
    const QString folder = QStringLiteral("/opt/t/updates/");
    const struct {
        const char* url;
        const char* target; // "" refused
    } cases[] = {
        {"https://h/a/b/setup.exe", "/opt/t/updates/setup.exe"},
        {"http://127.0.0.1:8080/a/setup.run", ""}, // plain HTTP: for the tests' server only
        {"https://h/a/setup.exe?from=menu#top", "/opt/t/updates/setup.exe"},
        {"https://h/a/setup%20205.exe", "/opt/t/updates/setup 205.exe"},
        // No address at all: the whole text would have been the name.
        {"setup.exe", ""},
        {"http://h/a/b/setup.exe", ""}, // plain HTTP to another machine
        {"ftp://h/setup.exe", ""},
        {"https://h/a/", ""},
        {"https://h", ""},
        {"https://h/a/.", ""},
        {"https://h/a/..", ""},
        {"https://h/a/%2E%2E", ""},
        // An encoded "/" is a separator of the path like any other.
        {"https://h/a/..%2Fsetup.exe", "/opt/t/updates/setup.exe"},
        {"https://h/a/x%5Csetup.exe", ""},
        {"https://h/a/set%0Aup.exe", ""},
        {"https://h/a/set%0Dup.exe", ""},
        {"https://h/a/%20", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(installerTarget(folder, QString::fromLatin1(c.url)),
                  QString::fromLatin1(c.target))
            << c.url;
    Http::allowPlainHttpToLoopback(true);
    EXPECT_EQ(installerTarget(folder, QStringLiteral("http://127.0.0.1:8080/a/setup.run")),
              QStringLiteral("/opt/t/updates/setup.run"));
    Http::allowPlainHttpToLoopback(false);
}

} // namespace
