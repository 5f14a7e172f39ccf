// The calendar's arithmetic against the C library's own calendar in UTC, its
// grid, and the drive details' figures.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "calendar.h"
#include "drive.h"

namespace {

// Weekday and month of a day counted from 1 January 1970, through gmtime,
// which knows nothing of the local time zone.
struct tm UtcDay(long long days)
{
    time_t seconds = static_cast<time_t>(days * 86400LL);
    struct tm utc = {};
#ifdef _WIN32
    gmtime_s(&utc, &seconds);
#else
    gmtime_r(&seconds, &utc);
#endif
    return utc;
}

TEST(Calendar, EveryMonthInRangeAgreesWithTheLibrary)
{
    long long days = 0;   // 1 January 1970
    for (int year = kFirstCalendarYear; year <= kLastCalendarYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            struct tm first = UtcDay(days);
            ASSERT_EQ(first.tm_mday, 1);
            ASSERT_EQ(first.tm_mon + 1, month);
            EXPECT_EQ(WeekdayOfFirst(month, year), first.tm_wday) << month << "/" << year;
            int length = DaysInMonth(month, year);
            struct tm last = UtcDay(days + length - 1);
            EXPECT_EQ(last.tm_mday, length) << month << "/" << year;
            EXPECT_EQ(last.tm_mon + 1, month) << month << "/" << year;
            days += length;
        }
    }
}

TEST(Calendar, LeapYearRules)
{
    EXPECT_TRUE(IsLeapYear(2000));    // a fourth century is a leap year
    EXPECT_FALSE(IsLeapYear(2100));   // another century is not
    EXPECT_TRUE(IsLeapYear(1996));
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2035), 28);
}

// The grid's lines, split at CR LF, and whether it ended with one.
std::vector<std::string> Lines(const std::string& grid, bool& endsWithLineEnd)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = grid.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(grid.substr(start, at - start));
    endsWithLineEnd = start == grid.size();
    if (!endsWithLineEnd)
        lines.push_back(grid.substr(start));
    return lines;
}

TEST(Calendar, GridShapeForATableOfMonths)
{
    struct Case {
        int month, year;
        const char* title;
    } cases[] = {
        {3, 1996, "March 1996"},   // begins on a Friday
        {2, 2000, "February 2000"},
        {2, 2015, "February 2015"},   // begins on a Sunday, four full weeks
        {1, 2000, "January 2000"},    // begins on a Saturday
        {1, 1970, "January 1970"},
        {12, 2035, "December 2035"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MonthTitle(c.month, c.year), c.title);
        bool endsWithLineEnd = false;
        std::vector<std::string> lines = Lines(MonthGrid(c.month, c.year), endsWithLineEnd);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "Su Mo Tu We Th Fr Sa");
        EXPECT_EQ(lines[1], "");
        // Every day once, in its weekday's three columns.
        int weekday = WeekdayOfFirst(c.month, c.year);
        int day = 1;
        for (size_t i = 2; i < lines.size(); ++i) {
            const std::string& week = lines[i];
            size_t column = i == 2 ? static_cast<size_t>(weekday) : 0;
            EXPECT_EQ(week.substr(0, 3 * column), std::string(3 * column, ' '));
            for (; 3 * column < week.size(); ++column, ++day) {
                char cell[4];
                std::snprintf(cell, sizeof cell, "%2d ", day);
                EXPECT_EQ(week.substr(3 * column, 3), cell) << c.title;
            }
            EXPECT_LE(column, 7u);
        }
        EXPECT_EQ(day - 1, DaysInMonth(c.month, c.year)) << c.title;
        // A month that ends on a Saturday closes its last week like any other.
        bool endsOnSaturday = (weekday + DaysInMonth(c.month, c.year)) % 7 == 0;
        EXPECT_EQ(endsWithLineEnd, endsOnSaturday) << c.title;
    }
}

TEST(Calendar, March1996ByteForByte)
{
    EXPECT_EQ(MonthGrid(3, 1996),
              "Su Mo Tu We Th Fr Sa\r\n\r\n"
              "                1  2 \r\n"
              " 3  4  5  6  7  8  9 \r\n"
              "10 11 12 13 14 15 16 \r\n"
              "17 18 19 20 21 22 23 \r\n"
              "24 25 26 27 28 29 30 \r\n"
              "31 ");
}

TEST(DriveDetails, TypeTexts)
{
    const char* expected[] = {"Unknown", "Unknown", "Removable", "Fixed", "Remote", "Cdrom", "Ramdisk", "Unknown"};
    for (unsigned type = 0; type < 8; ++type)
        EXPECT_EQ(DriveTypeText(type), expected[type]) << type;
}

TEST(DriveDetails, Figures)
{
    struct Case {
        uint32_t sectors, bytes, freeClusters, total;
        uint64_t totalMb, freeMb;
        const char* percent;
    } cases[] = {
        {32, 512, 16250, 65000, 1015, 253, "75.00"},
        {8, 512, 0, 2097152, 8192, 0, "100.00"},                  // 8 GB, full: past 32-bit byte counts
        {64, 4096, 4000000, 4000000, 1000000, 1000000, "0.00"},   // empty drive of about 1 TB
        {0, 0, 0, 0, 0, 0, "0.00"},                               // the query failed
    };
    for (const Case& c : cases) {
        DriveFigures figures = ComputeDriveFigures(c.sectors, c.bytes, c.freeClusters, c.total);
        EXPECT_EQ(figures.totalMegabytes, c.totalMb);
        EXPECT_EQ(figures.freeMegabytes, c.freeMb);
        EXPECT_EQ(figures.percentUsed, c.percent);
    }
}

}
