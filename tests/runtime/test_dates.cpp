#include "runtime/Dates.h"

#include <gtest/gtest.h>

TEST(Dates, generalDateWritesAndReadsBack) {
    const QDateTime t = makeDateTime(2024, 3, 4, 10, 5, 0);
    EXPECT_EQ(formatGeneralDate(t), QStringLiteral("3/4/2024 10:05:00 AM"));
    EXPECT_EQ(parseDate(formatGeneralDate(t)), t);
    const QDateTime pm = makeDateTime(2024, 12, 31, 23, 59, 59);
    EXPECT_EQ(formatGeneralDate(pm), QStringLiteral("12/31/2024 11:59:59 PM"));
    EXPECT_EQ(parseDate(formatGeneralDate(pm)), pm);
    const QDateTime noon = makeDateTime(2024, 1, 2, 12, 0, 1);
    EXPECT_EQ(formatGeneralDate(noon), QStringLiteral("1/2/2024 12:00:01 PM"));
    EXPECT_EQ(formatGeneralDate(makeDateTime(2024, 1, 2)), QStringLiteral("1/2/2024"));
}

TEST(Dates, acceptedAndRefusedTexts) {
    EXPECT_EQ(parseDate(QStringLiteral("01/01/00 12:00pm")), makeDateTime(2000, 1, 1, 12, 0, 0));
    EXPECT_EQ(parseDate(QStringLiteral("01/01/00 12:00am")), makeDateTime(2000, 1, 1, 0, 0, 0));
    EXPECT_EQ(parseDate(QStringLiteral("07/04/1999")), makeDateTime(1999, 7, 4));
    EXPECT_EQ(parseDate(QStringLiteral("1/2/45")), makeDateTime(1945, 1, 2));
    for (const char* bad : {"NEVER", "", "13/01/2000", "2/30/2000", "1/1/2000 25:00", "1/1/2000 x",
                            "1/1/200", "1/1/2000 13:00 PM"})
        EXPECT_FALSE(parseDate(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Dates, formatPatterns) {
    const QDateTime t = makeDateTime(2024, 3, 5, 8, 7, 9); // a Tuesday
    EXPECT_EQ(formatDate(t, QStringLiteral("mm/dd/yyyy")), QStringLiteral("03/05/2024"));
    EXPECT_EQ(formatDate(t, QStringLiteral("h:mm am/pm")), QStringLiteral("8:07 am"));
    EXPECT_EQ(formatDate(t, QStringLiteral("dddd")), QStringLiteral("Tuesday"));
    EXPECT_EQ(formatDate(t, QStringLiteral("hh:nn:ss AM/PM")), QStringLiteral("08:07:09 AM"));
    EXPECT_EQ(formatDate(makeDateTime(2024, 3, 5, 0, 30), QStringLiteral("h:mm am/pm")),
              QStringLiteral("12:30 am"));
    EXPECT_EQ(formatDate(t, QStringLiteral("ddd, mmm d")), QStringLiteral("Tue, Mar 5"));
    EXPECT_EQ(vbWeekday(t.date()), 3);
    EXPECT_EQ(vbWeekday(QDate(2024, 3, 3)), 1); // Sunday
}
