// The calendar's month by arithmetic alone: no time zone, no mktime, so
// every month from 1970 to 2035 draws the same wherever the shell runs.
#ifndef PELLUMAR_CALENDAR_H
#define PELLUMAR_CALENDAR_H

#include <string>

const int kFirstCalendarYear = 1970;
const int kLastCalendarYear = 2035;

bool IsLeapYear(int year);
int DaysInMonth(int month, int year);      // month 1 to 12
int WeekdayOfFirst(int month, int year);   // 0 Sunday to 6 Saturday

// "March 1996": the full English month name and the four-digit year.
std::string MonthTitle(int month, int year);

// "Su Mo Tu We Th Fr Sa", an empty line, then one line a week, three
// characters a day; every full week ends in CR LF, a part week at the end
// has no line end.
std::string MonthGrid(int month, int year);

#endif
