#include "runtime/Conversions.h"
#include "runtime/RuntimeError.h"

#include <gtest/gtest.h>

namespace {

int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(Conversions, halvesRoundToTheEvenNeighbour) {
    const struct {
        double in;
        int16_t out;
    } cases[] = {{2.5, 2},    {3.5, 4},   {-2.5, -2},       {0.5, 0},          {1.5, 2},
                 {2.4999, 2}, {-0.6, -1}, {32767.4, 32767}, {-32768.0, -32768}};
    for (const auto& c : cases)
        EXPECT_EQ(cInt(c.in), c.out) << c.in;
}

TEST(Conversions, textToIntegerFollowsTheRuntime) {
    EXPECT_EQ(cInt(QStringLiteral(" 12 ")), 12);
    EXPECT_EQ(cInt(QStringLiteral("2.5")), 2);
    EXPECT_EQ(cInt(QStringLiteral("3.5")), 4);
    EXPECT_EQ(cInt(QStringLiteral("-7")), -7);
    EXPECT_EQ(cInt(QStringLiteral("1e3")), 1000);
    EXPECT_EQ(cInt(QStringLiteral("&HFF")), 255);
    EXPECT_EQ(cInt(QStringLiteral("&HFFFF")), -1);
    EXPECT_EQ(cLng(QStringLiteral("40000")), 40000);
}

TEST(Conversions, badTextIsATypeMismatchAndTooLargeIsAnOverflow) {
    for (const char* text : {"", "abc", "12abc", "1.2.3", " - "})
        EXPECT_EQ(errorOf([&] { cInt(QString::fromLatin1(text)); }), vberr::TypeMismatch) << text;
    EXPECT_EQ(errorOf([] { cInt(QStringLiteral("40000")); }), vberr::Overflow);
    EXPECT_EQ(errorOf([] { cInt(32767.5); }), vberr::Overflow);
    EXPECT_EQ(errorOf([] { cInt(-32768.5); }), 0); // rounds to -32768
    EXPECT_EQ(errorOf([] { cLng(3e9); }), vberr::Overflow);
}

TEST(Conversions, leadingNumberReader) {
    const struct {
        const char* in;
        double out;
    } cases[] = {{"12abc", 12}, {"  1 2 3", 123}, {"-3.5x", -3.5}, {"abc", 0}, {"", 0},
                 {"&H10", 16},  {"1e2z", 100},    {"7.", 7},       {"..5", 0}, {"+4", 4}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(val(QString::fromLatin1(c.in)), c.out) << c.in;
}

TEST(Conversions, blanksAreTrimmedButNotOtherWhitespace) {
    EXPECT_EQ(trimBlanks(QStringLiteral("  x y  ")), QStringLiteral("x y"));
    EXPECT_EQ(trimBlanks(QStringLiteral("\tx ")), QStringLiteral("\tx"));
}

TEST(RuntimeErrors, standardTexts) {
    EXPECT_EQ(standardErrorText(6), QStringLiteral("Overflow"));
    EXPECT_EQ(standardErrorText(13), QStringLiteral("Type mismatch"));
    EXPECT_EQ(standardErrorText(62), QStringLiteral("Input past end of file"));
    EXPECT_EQ(standardErrorText(75), QStringLiteral("Path/File access error"));
    const RuntimeError e(53);
    EXPECT_EQ(e.description(), QStringLiteral("File not found"));
    EXPECT_EQ(RuntimeError(5, QStringLiteral("own")).description(), QStringLiteral("own"));
}
