#include "Int64Time.h"
#include "CSVAxis.h"
#include "CSVLine.h"
#include "StopWatch.h"
#include "TestSupport.h"
#include "TimeStamp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

// localtime formatted without the library, as a reference.
std::string Reference(std::int64_t time)
{
    const std::time_t seconds = time / 1000;
    std::tm tm{};
    localtime_r(&seconds, &tm);
    char text[64];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d:%03d", tm.tm_mday,
                  tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec,
                  static_cast<int>(time % 1000));
    return text;
}

} // namespace

TEST(TimeConversion, TimebAndTimetToInt64)
{
    _timeb timeb{};
    timeb.time = 1;
    timeb.millitm = 24;
    std::int64_t time = 0;
    TimebToInt64(&timeb, &time);
    EXPECT_EQ(time, 1024);

    timeb.time = -1;
    TimebToInt64(&timeb, &time);
    EXPECT_EQ(time, 0);

    std::time_t invalid = -1;
    TimetToInt64(&invalid, &time);
    EXPECT_EQ(time, 0);

    std::int64_t value = 1234567;
    std::time_t seconds = 0;
    Int64ToTimet(&value, &seconds);
    EXPECT_EQ(seconds, 1234);
    Int64ToTimeb(&value, &timeb);
    EXPECT_EQ(timeb.time, 1234);
    EXPECT_EQ(timeb.millitm, 567);
}

TEST(TimeConversion, TmRoundTripIsLocal)
{
    std::int64_t time = LocalMs(2010, 12, 24, 18, 30, 5);
    std::tm tm{};
    Int64ToTm(&time, &tm);
    EXPECT_EQ(tm.tm_hour, 18);
    EXPECT_EQ(tm.tm_mday, 24);
    std::int64_t back = 0;
    TmToInt64(&tm, &back);
    EXPECT_EQ(back, time);
}

TEST(TimeConversion, ExpandIntoStrings)
{
    std::int64_t time = LocalMs(2010, 12, 24, 18, 30, 5, 250);
    TimeStrings s;
    ExpandInt64(&time, &s);
    EXPECT_EQ(s.strMilliseconds, "250");
    EXPECT_EQ(s.strSeconds, "05");
    EXPECT_EQ(s.strMinutes, "30");
    EXPECT_EQ(s.strHours, "18");
    EXPECT_EQ(s.strDay, "24");
    EXPECT_EQ(s.strMonth, "12");
    EXPECT_EQ(s.strYear, "2010");
    EXPECT_EQ(s.strYear2, "10");

    _Int64TimeStruct expanded;
    ExpandInt64(&time, &expanded);
    EXPECT_EQ(expanded.tm.tm_min, 30);
    EXPECT_EQ(expanded.timeb.millitm, 250);
}

TEST(DateParsing, TwoAndFourDigitYears)
{
    std::tm tm{};
    UpdateDate("01.02.05", &tm);
    EXPECT_EQ(tm.tm_mday, 1);
    EXPECT_EQ(tm.tm_mon, 1);
    EXPECT_EQ(tm.tm_year, 105);
    UpdateDate("01.02.85", &tm);
    EXPECT_EQ(tm.tm_year, 85);
    UpdateDate("03.04.2005", &tm);
    EXPECT_EQ(tm.tm_mday, 3);
    EXPECT_EQ(tm.tm_mon, 3);
    EXPECT_EQ(tm.tm_year, 105);
    UpdateDate("24/12/2010", &tm);
    EXPECT_EQ(tm.tm_mday, 24);
    EXPECT_EQ(tm.tm_mon, 11);
    EXPECT_EQ(tm.tm_year, 110);
}

TEST(DateParsing, UnknownLengthsAndNullChangeNothing)
{
    std::tm tm{};
    tm.tm_mday = 9;
    UpdateDate("01.02.205", &tm);
    UpdateDate(nullptr, &tm);
    UpdateDate("01.02.2005", static_cast<std::tm*>(nullptr));
    EXPECT_EQ(tm.tm_mday, 9);
}

TEST(DateParsing, KeepsTheTimeOfDayAcrossDaylightSaving)
{
    // From a winter time to a summer date and back: the clock time stays.
    std::time_t time = LocalMs(2010, 12, 24, 18, 30, 5) / 1000;
    UpdateDate("24.06.2010", &time);
    EXPECT_EQ(time, LocalMs(2010, 6, 24, 18, 30, 5) / 1000);
    UpdateDate("24.01.2011", &time);
    EXPECT_EQ(time, LocalMs(2011, 1, 24, 18, 30, 5) / 1000);
}

TEST(TimeParsing, FractionsOfASecond)
{
    const std::int64_t day = LocalMs(2010, 12, 24, 7, 0, 0);
    const struct
    {
        const char* text;
        int millisecond;
    } cases[] = {{"18:30:05", 0},       {"18:30:05.25", 250}, {"18:30:05.250", 250},
                 {"18:30:05:250", 250}, {"18:30:05.2", 200},  {"18:30:05.2509", 250},
                 {"18:30:05.", 0}};
    for (const auto& c : cases) {
        _timeb timeb{};
        timeb.time = day / 1000;
        timeb.millitm = 999;
        UpdateTime(c.text, &timeb);
        std::int64_t time = 0;
        TimebToInt64(&timeb, &time);
        EXPECT_EQ(time, LocalMs(2010, 12, 24, 18, 30, 5, c.millisecond)) << c.text;
    }
}

TEST(TimeParsing, ShortTextsChangeNothing)
{
    _timeb timeb{};
    timeb.time = LocalMs(2010, 12, 24, 7, 0, 0) / 1000;
    timeb.millitm = 123;
    const _timeb before = timeb;
    UpdateTime("18:30", &timeb);
    UpdateTime(nullptr, &timeb);
    EXPECT_EQ(timeb.time, before.time);
    EXPECT_EQ(timeb.millitm, 123);
}

TEST(TimeParsing, HoursBeyondTheDayCarryIntoTheDate)
{
    // However far out of range, a field is carried over as mktime carries it.
    std::tm expected{};
    expected.tm_year = 110;
    expected.tm_mon = 11;
    expected.tm_mday = 24;
    expected.tm_hour = 5705055;
    expected.tm_isdst = -1;
    const std::time_t carried = std::mktime(&expected);
    ASSERT_NE(carried, -1);
    _timeb timeb{};
    timeb.time = LocalMs(2010, 12, 24, 7, 0, 0) / 1000;
    UpdateTime("05705055", &timeb);
    EXPECT_EQ(timeb.time, carried);
    EXPECT_EQ(timeb.millitm, 0);
}

TEST(TimeParsing, TimeAndTmVariants)
{
    std::time_t seconds = LocalMs(2010, 6, 1, 1, 2, 3) / 1000;
    UpdateTime("23:59:58", &seconds);
    EXPECT_EQ(seconds, LocalMs(2010, 6, 1, 23, 59, 58) / 1000);

    std::tm tm{};
    tm.tm_year = 110;
    tm.tm_mon = 5;
    tm.tm_mday = 1;
    tm.tm_isdst = -1;
    UpdateTime("12:34:56", &tm);
    EXPECT_EQ(tm.tm_hour, 12);
    EXPECT_EQ(tm.tm_min, 34);
    EXPECT_EQ(tm.tm_sec, 56);
    EXPECT_EQ(tm.tm_mday, 1);
}

TEST(TimeParsing, ImportDateTimeReadsBackWhatExportWrites)
{
    _timeb timeb{};
    ImportDateTime("24.12.2010;18:30:05.250", &timeb, ";");
    EXPECT_EQ(ExportDate(&timeb), "24.12.2010");
    EXPECT_EQ(ExportTime(&timeb), "18:30:05:250");

    const std::int64_t summer = LocalMs(2010, 6, 24, 18, 30, 5, 7);
    const std::string text = ExportDateTime(summer, "|");
    EXPECT_EQ(text, "24.06.2010|18:30:05:007");
    ImportDateTime(text.c_str(), &timeb, "|");
    std::int64_t back = 0;
    TimebToInt64(&timeb, &back);
    EXPECT_EQ(back, summer);
}

TEST(TimeFormatting, AllTypes)
{
    const std::int64_t time = LocalMs(2010, 12, 24, 18, 30, 5, 250);
    std::time_t seconds = time / 1000;
    std::tm tm{};
    Int64ToTm(const_cast<std::int64_t*>(&time), &tm);
    EXPECT_EQ(ExportTime(time), "18:30:05:250");
    EXPECT_EQ(ExportDate(time), "24.12.2010");
    EXPECT_EQ(ExportTime(&seconds), "18:30:05");
    EXPECT_EQ(ExportDate(&seconds), "24.12.2010");
    EXPECT_EQ(ExportTime(&tm), "18:30:05");
    EXPECT_EQ(ExportDate(&tm), "24.12.2010");
}

TEST(TimeFormatting, TimesThatCannotBeBrokenDown)
{
    // Seconds beyond the years the runtime counts.
    std::time_t invalid = std::numeric_limits<std::time_t>::max();
    _timeb timeb{};
    timeb.time = invalid;
    EXPECT_EQ(ExportTime(&invalid), "00:00:00");
    EXPECT_EQ(ExportDate(&invalid), "00.00.0000");
    EXPECT_EQ(ExportTime(&timeb), "00:00:00:000");
    EXPECT_EQ(ExportDate(static_cast<_timeb*>(nullptr)), "00.00.0000");
}

// Times before 1970 are negative: parsed, broken down, formatted and aligned like any other,
// their milliseconds counted forward from the second before.
TEST(TimeFormatting, TimesBefore1970BothWays)
{
    const std::int64_t old = LocalMs(1965, 2, 1, 10, 0, 0, 250);
    ASSERT_LT(old, 0);
    EXPECT_EQ(ExportDateTime(old, " "), "01.02.1965 10:00:00:250");
    EXPECT_EQ(AlignTime(old, TimeSplitDay), LocalMs(1965, 2, 1, 0, 0, 0));
    EXPECT_EQ(FormatAlignTime(old, TimeSplitMinute), "650201_1000");
    // In Berlin the epoch is 01:00 local: 5 ms before it is 00:59:59.995.
    EXPECT_EQ(ExportDate(std::int64_t{-5}), "01.01.1970");
    EXPECT_EQ(ExportTime(std::int64_t{-5}), "00:59:59:995");
    std::time_t seconds = 0;
    Int64ToTimet(const_cast<std::int64_t*>(&old), &seconds);
    EXPECT_EQ(seconds, old / 1000 - 1);

    std::time_t date = -100;
    UpdateDate("01.02.2005", &date);
    EXPECT_EQ(date, LocalMs(2005, 2, 1, 0, 58, 20) / 1000);
    _timeb timeb{};
    timeb.time = -5;
    UpdateTime("18:30:05", &timeb);
    EXPECT_EQ(timeb.time, LocalMs(1970, 1, 1, 18, 30, 5) / 1000);
    CTimeStamp stamp;
    stamp.Set(LocalMs(1960, 1, 1, 0, 0, 0));
    stamp.UpdateDate("24.12.1950");
    stamp.UpdateTime("18:30:05.250");
    EXPECT_EQ(static_cast<std::int64_t>(stamp), LocalMs(1950, 12, 24, 18, 30, 5, 250));
    EXPECT_EQ(CCSVLine(0, "24.12.1950;18:30:05.250", ";", ",", 0, 1).GetTimeStamp(),
              LocalMs(1950, 12, 24, 18, 30, 5, 250));
}

TEST(TimeFormatting, MatchesTheRuntimeAcrossDaylightSavingChanges)
{
    // Every second around both changes of 2010, formatted by the library (which keeps a
    // per-minute cache) and by localtime directly.
    for (const std::int64_t start :
         {LocalMs(2010, 3, 28, 1, 58, 0), LocalMs(2010, 10, 31, 1, 58, 0)}) {
        for (std::int64_t time = start; time < start + 2 * 3600 * 1000; time += 1000 + 37) {
            ASSERT_EQ(ExportDate(time) + " " + ExportTime(time), Reference(time));
        }
    }
}

TEST(TimeFormatting, DateAndTimeMatchMktimeAroundDaylightSavingChanges)
{
    // Parsing clock times minute by minute through both change days, as the CSV lines do.
    for (const int day : {28, 31}) {
        const int month = day == 28 ? 3 : 10;
        for (int minute = 60; minute < 4 * 60; ++minute) {
            // The hour that October has twice is ambiguous: mktime's choice there depends on
            // its previous calls.
            if (month == 10 && minute / 60 == 2)
                continue;
            for (const int second : {0, 31, 59}) {
                _timeb date{};
                date.time = LocalMs(2010, month, day, 12, 0, 0) / 1000;
                _timeb time{};
                time.time = LocalMs(2010, month, day, minute / 60, minute % 60, second) / 1000;
                std::int64_t result = 0;
                DateAndTimeToInt64(&date, &time, &result);
                std::tm expected{};
                const std::time_t t = time.time;
                localtime_r(&t, &expected);
                expected.tm_isdst = -1;
                ASSERT_EQ(result, static_cast<std::int64_t>(std::mktime(&expected)) * 1000)
                    << month << " " << minute << " " << second;
            }
        }
    }
}

TEST(DateAndTime, CombinesDateOfOneWithClockOfTheOther)
{
    _timeb date{};
    date.time = LocalMs(2010, 12, 24, 3, 4, 5) / 1000;
    _timeb time{};
    time.time = LocalMs(2001, 6, 1, 18, 30, 5) / 1000;
    time.millitm = 1250;
    std::int64_t result = 0;
    DateAndTimeToInt64(&date, &time, &result);
    EXPECT_EQ(result, LocalMs(2010, 12, 24, 18, 30, 5, 250));

    time.time = std::numeric_limits<std::time_t>::max();
    DateAndTimeToInt64(&date, &time, &result);
    EXPECT_EQ(result, LocalMs(2010, 12, 24, 0, 0, 0, 250));

    date.time = std::numeric_limits<std::time_t>::max();
    DateAndTimeToInt64(&date, &time, &result);
    EXPECT_EQ(result, 0);

    std::tm day{};
    day.tm_year = 110;
    day.tm_mon = 11;
    day.tm_mday = 24;
    std::tm clock{};
    clock.tm_hour = 18;
    clock.tm_min = 30;
    DateAndTimeToInt64(&day, &clock, &result);
    EXPECT_EQ(result, LocalMs(2010, 12, 24, 18, 30, 0));
}

TEST(Alignment, AlignTimeToEachUnit)
{
    const std::int64_t time = LocalMs(2010, 12, 24, 18, 30, 5, 250);
    EXPECT_EQ(AlignTime(time, TimeSplitMonth), LocalMs(2010, 12, 1, 0, 0, 0));
    EXPECT_EQ(AlignTime(time, TimeSplitYear), LocalMs(2010, 1, 1, 0, 0, 0));
    EXPECT_EQ(AlignTime(time, TimeSplitDay), LocalMs(2010, 12, 24, 0, 0, 0));
    EXPECT_EQ(AlignTime(time, TimeSplitHour), LocalMs(2010, 12, 24, 18, 0, 0));
    EXPECT_EQ(AlignTime(time, TimeSplitMinute), LocalMs(2010, 12, 24, 18, 30, 0));
    EXPECT_EQ(AlignTime(time, static_cast<TimeSplitType>(0)), LocalMs(2010, 12, 24, 18, 30, 5));
    // Aligned across the change to summer time: the local midnight, not 24 hours back.
    EXPECT_EQ(AlignTime(LocalMs(2010, 3, 28, 18, 0, 0), TimeSplitDay),
              LocalMs(2010, 3, 28, 0, 0, 0));
}

TEST(Alignment, AlignedNames)
{
    const std::int64_t time = LocalMs(2010, 12, 24, 18, 30, 5, 250);
    EXPECT_EQ(FormatAlignTime(time, TimeSplitMinute), "101224_1830");
    EXPECT_EQ(FormatAlignTime(time, TimeSplitHour), "101224_18");
    EXPECT_EQ(FormatAlignTime(time, TimeSplitDay), "101224");
    EXPECT_EQ(FormatAlignTime(time, TimeSplitMonth), "1012");
    EXPECT_EQ(FormatAlignTime(time, TimeSplitYear), "10");
    EXPECT_EQ(FormatAlignTime(time, static_cast<TimeSplitType>(9)), "101224_183005");
}

TEST(Comparison, CompareAndDiff)
{
    _timeb a{};
    a.time = 100;
    a.millitm = 5;
    _timeb b = a;
    b.millitm = 7;
    EXPECT_EQ(CompareTime(&a, &b), -1);
    EXPECT_EQ(CompareTime(&b, &a), 1);
    EXPECT_EQ(CompareTime(&a, &a), 0);
    EXPECT_EQ(CompareTime(&a, nullptr), -2);
    EXPECT_DOUBLE_EQ(DiffTime(&a, &b), 0.002);
    EXPECT_DOUBLE_EQ(DiffTime(&b, &a), -0.002);
    b.time = 99;
    EXPECT_EQ(CompareTime(&a, &b), 1);
    EXPECT_DOUBLE_EQ(DiffTime(nullptr, &b), 0);
}

TEST(TimeScale, StepsForRanges)
{
    CCSVTimeScale scale;
    TimeScaleUnit unit = TimeScaleDays;
    scale.m_Low = 1000;
    scale.m_High = 96000;
    scale.m_Range = 95000;
    std::int64_t first = 0;
    std::int64_t last = 0;
    EXPECT_EQ(scale.GetScaleSteps(10, unit, &first, &last), 10000);
    EXPECT_EQ(unit, TimeScaleSeconds);
    EXPECT_EQ(first, 10000);
    EXPECT_EQ(last, 90000);

    scale.m_Range = 3 * 3600000LL;
    EXPECT_EQ(scale.GetScaleSteps(10, unit, nullptr, nullptr), 30 * 60000LL);
    EXPECT_EQ(unit, TimeScaleMinutes);

    scale.m_Range = 21 * 86400000LL;
    EXPECT_EQ(scale.GetScaleSteps(10, unit, nullptr, nullptr), 7 * 86400000LL);
    EXPECT_EQ(unit, TimeScaleDays);

    scale.m_Range = 50;
    EXPECT_EQ(scale.GetScaleSteps(10, unit, nullptr, nullptr), 10);
    EXPECT_EQ(unit, TimeScaleMilliseconds);
}

namespace {

// The ticks of a calendar time scale from low to high with about ticks ticks: their local
// times, each followed by its label in brackets.
std::vector<std::string> Ticks(std::int64_t low, std::int64_t high, int ticks)
{
    CCSVTimeScale scale;
    scale.m_Min = scale.m_Low = low;
    scale.m_Max = scale.m_High = high;
    scale.m_Range = high - low;
    TimeScaleUnit unit = TimeScaleMilliseconds;
    std::int64_t first = 0;
    std::int64_t last = 0;
    const std::int64_t step = scale.GetScaleSteps(ticks, unit, &first, &last);
    std::vector<std::string> labels;
    std::string date;
    std::string time;
    for (std::int64_t tick = first; tick <= last; tick = scale.GetNextStep(tick, step)) {
        scale.FormatStep(tick, unit, date, time);
        labels.push_back(ExportDateTime(tick, " ").substr(0, 16) + " [" + date +
                         (time.empty() ? "" : " " + time) + "]");
    }
    return labels;
}

} // namespace

// Ticks are multiples of the step on the local clock, also where it is put forward or back.
TEST(TimeScale, TicksFollowTheLocalClockAcrossDaylightSaving)
{
    EXPECT_EQ(Ticks(LocalMs(2010, 3, 28, 0, 0, 0), LocalMs(2010, 3, 28, 5, 0, 0), 4),
              (std::vector<std::string>{
                  "28.03.2010 00:00 [28.03.2010 00:00]", "28.03.2010 01:00 [28.03.2010 01:00]",
                  "28.03.2010 03:00 [28.03.2010 03:00]", "28.03.2010 04:00 [28.03.2010 04:00]",
                  "28.03.2010 05:00 [28.03.2010 05:00]"}));
    // The hour from 02:00 comes twice in October.
    EXPECT_EQ(Ticks(LocalMs(2010, 10, 31, 0, 30, 0), LocalMs(2010, 10, 31, 3, 30, 0), 4),
              (std::vector<std::string>{
                  "31.10.2010 01:00 [31.10.2010 01:00]", "31.10.2010 02:00 [31.10.2010 02:00]",
                  "31.10.2010 02:00 [31.10.2010 02:00]", "31.10.2010 03:00 [31.10.2010 03:00]"}));
    // Days begin at local midnight, 23 or 25 hours apart around the changes.
    EXPECT_EQ(Ticks(LocalMs(2010, 3, 26, 12, 0, 0), LocalMs(2010, 3, 30, 12, 0, 0), 4),
              (std::vector<std::string>{
                  "27.03.2010 00:00 [27.03.2010]", "28.03.2010 00:00 [28.03.2010]",
                  "29.03.2010 00:00 [29.03.2010]", "30.03.2010 00:00 [30.03.2010]"}));
    EXPECT_EQ(Ticks(LocalMs(2010, 10, 30, 12, 0, 0), LocalMs(2010, 11, 1, 12, 0, 0), 3),
              (std::vector<std::string>{"31.10.2010 00:00 [31.10.2010]",
                                        "01.11.2010 00:00 [01.11.2010]"}));
}

TEST(TimeScale, LabelsOfDurationsAndOfCalendarTimes)
{
    CCSVTimeScale scale;
    std::string date = "x";
    std::string time;
    scale.m_Min = 0;
    scale.FormatStep(90000, TimeScaleSeconds, date, time);
    EXPECT_EQ(date, "");
    EXPECT_EQ(time, "90s");
    scale.FormatStep(120000, TimeScaleMinutes, date, time);
    EXPECT_EQ(time, "2min");

    const std::int64_t at = LocalMs(2010, 12, 24, 18, 30, 5, 250);
    scale.m_Min = at;
    scale.FormatStep(at, TimeScaleDays, date, time);
    EXPECT_EQ(date, "24.12.2010");
    EXPECT_EQ(time, "");
    // Each label is its own time's, so a tick off the hour does not read as one on it.
    scale.FormatStep(at, TimeScaleHours, date, time);
    EXPECT_EQ(time, "18:30");
    scale.FormatStep(at, TimeScaleMinutes, date, time);
    EXPECT_EQ(time, "18:30");
    scale.FormatStep(at, TimeScaleSeconds, date, time);
    EXPECT_EQ(time, "18:30:05");
    scale.FormatStep(at, TimeScaleMilliseconds, date, time);
    EXPECT_EQ(time, "18:30:05.250");
}

TEST(TimeStampClasses, UpdateAndExport)
{
    CTimeStamp stamp;
    EXPECT_EQ(static_cast<std::int64_t>(stamp), 0);
    stamp.Set(LocalMs(2010, 1, 1, 0, 0, 0));
    stamp.UpdateDate("24.12.2010");
    stamp.UpdateTime("18:30:05.250");
    EXPECT_EQ(static_cast<std::int64_t>(stamp), LocalMs(2010, 12, 24, 18, 30, 5, 250));
    EXPECT_EQ(stamp.ExportDateTime(" "), "24.12.2010 18:30:05:250");

    CTimeStampDiff diff;
    diff = LocalMs(2010, 12, 24, 18, 30, 5);
    diff.SetFirst(0);
    diff = LocalMs(2010, 12, 24, 18, 30, 6, 500);
    EXPECT_EQ(diff.ExportDateTimeStamp(";"), "24.12.2010;18:30:06:500;1500");
    diff.SetFirst(LocalMs(2010, 12, 24, 18, 30, 7));
    EXPECT_EQ(diff.ExportDateTimeStamp(";"), "24.12.2010;18:30:06:500;-500");
}

TEST(TimeStampClasses, StopWatch)
{
    CStopWatch watch;
    EXPECT_FALSE(watch.IsRunning());
    // Started 100 s back with no milliseconds: the times taken lie between 100 s and that plus
    // what the clock says has passed since (and the second it was in).
    const std::time_t before = std::time(nullptr);
    watch.Start(before - 100);
    EXPECT_EQ(watch.m_Start.time, before - 100);
    EXPECT_EQ(watch.m_Start.millitm, 0);
    EXPECT_TRUE(watch.IsRunning());
    const double sinceStart = watch.DiffNow();
    const double elapsed = watch.Diff();
    const auto passed = static_cast<double>(std::time(nullptr) - before);
    EXPECT_FALSE(watch.IsRunning());
    EXPECT_GE(sinceStart, 100.0);
    EXPECT_GE(elapsed, sinceStart);
    EXPECT_LE(elapsed, 101.0 + passed);
    EXPECT_EQ(watch.Diff(), elapsed); // stopped: the time stays
    EXPECT_GE(CStopWatch::DiffNow(before - 100), 100.0);
    EXPECT_LE(CStopWatch::DiffNow(before - 100), 101.0 + passed);
}
