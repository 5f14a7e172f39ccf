#include "calendar.h"

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int month, int year)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

int WeekdayOfFirst(int month, int year)
{
    // Days from 1 January 1970 (a Thursday) to the first of the month.
    long days = 0;
    if (year >= 1970) {
        for (int y = 1970; y < year; ++y)
            days += IsLeapYear(y) ? 366 : 365;
    } else {
        for (int y = year; y < 1970; ++y)
            days -= IsLeapYear(y) ? 366 : 365;
    }
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(m, year);
    long weekday = (4 + days) % 7;
    return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

std::string MonthTitle(int month, int year)
{
    static const char* const kNames[12] = {"January",
                                           "February",
                                           "March",
                                           "April",
                                           "May",
                                           "June",
                                           "July",
                                           "August",
                                           "September",
                                           "October",
                                           "November",
                                           "December"};
    return std::string(kNames[month - 1]) + " " + std::to_string(year);
}

std::string MonthGrid(int month, int year)
{
    std::string text = "Su Mo Tu We Th Fr Sa\r\n\r\n";
    std::string week(3 * WeekdayOfFirst(month, year), ' ');
    int last = DaysInMonth(month, year);
    for (int day = 1; day <= last; ++day) {
        if (day < 10)
            week += ' ';
        week += std::to_string(day);
        week += ' ';
        if (week.size() >= 20) {
            // A full week closes with its line end, also when it is the
            // month's last; only a part week at the end goes without one.
            text += week;
            text += "\r\n";
            week.clear();
        }
    }
    text += week;
    return text;
}
