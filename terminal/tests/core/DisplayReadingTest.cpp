#include "CoreTestSupport.h"
#include "DisplayReading.h"
#include "IsoTime.h"
#include "QuorinDisplay.h"
#include "ReadingText.h"
#include "TestSupport.h"
#include "ZelnarDisplay.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

class DisplayReading : public testing::Test
{
protected:
    void SetUp() override
    {
        ResetParameterRecords();
        ResetReplyState();
        ZelnarParameters.SF = 1.0;
        ZelnarParameters.QAx = 0;
        ZelnarParameters.QAy = 20;
        ZelnarParameters.Q2w = 12;
        ZelnarParameters.Q2x = 6;
        ZelnarParameters.Q2y = 1;
        ZelnarParameters.Q2z = 1;
        QuorinParameters.RB = 0;
        QuorinParameters.RE = 20;
    }

    // Decodes a Zelnar line of the format as the Display page does, then makes its reading.
    bool Zelnar(std::string_view line, int SDx)
    {
        ZelnarParameters.SDx = SDx;
        const CZelnarDisplayResult& result =
            SDx == 0 ? m_zelnar.DecodeDecimal(line, ZelnarParameters, false)
            : SDx == 1
                ? m_zelnar.DecodeHexadecimal(line, ZelnarParameters, false)
                : m_zelnar.DecodeBinary(line, ZelnarParameters.SDy, false);
        const std::string decoded = SDx == 2 ? result.strBinaryLogLine : std::string(line);
        return ZelnarReading(result, SDx, ZelnarParameters.SF, decoded, m_reading);
    }

    bool Quorin(std::string_view line, std::string_view format)
    {
        const CQuorinDisplayResult& result =
            m_quorin.Decode(line, format, false, QuorinParameters, false);
        return QuorinReading(result, format, QuorinParameters.SF, line, m_reading);
    }

    CZelnarDisplay m_zelnar;
    CQuorinDisplay m_quorin;
    CReading m_reading;
};

void ExpectValue(const std::optional<double>& value, double expected)
{
    ASSERT_TRUE(value.has_value());
    EXPECT_NEAR(*value, expected, 1e-9);
}

} // namespace

TEST_F(DisplayReading, ZelnarDecimalGivesTheDisplaysValuesAsNumbers)
{
    m_reading.timeMs = 42;
    ASSERT_TRUE(Zelnar("+0014.000 01500 +29.9", 0));
    EXPECT_EQ(m_reading.timeMs, 42);
    ExpectValue(m_reading.distance, 14.0);
    EXPECT_FALSE(m_reading.speed);
    ExpectValue(m_reading.strength, 1500);
    ExpectValue(m_reading.temperature, 29.9);
    EXPECT_EQ(m_reading.error, "");
    EXPECT_EQ(m_reading.q1, false);
    EXPECT_EQ(m_reading.q2, true); // 14 is inside Q2's window 12 to 18
    ExpectValue(m_reading.current, 14.0 * 16 / 20 + 4);
    EXPECT_EQ(m_reading.distanceUnit, "m");
    EXPECT_EQ(m_reading.speedUnit, "m/s");
    EXPECT_EQ(m_reading.temperatureUnit, "°C");
    EXPECT_EQ(m_reading.line, "+0014.000 01500 +29.9");

    ASSERT_TRUE(Zelnar("-0001.250 +0012.345 01500 +29.9", 0));
    ExpectValue(m_reading.speed, -1.25);
    ExpectValue(m_reading.distance, 12.345);
    EXPECT_EQ(m_reading.q2, true); // on until the distance leaves the window by the hysteresis
}

TEST_F(DisplayReading, ZelnarErrorLineGivesTheCodeAndTheErrorModesCurrent)
{
    ZelnarParameters.SE = 2;
    ASSERT_TRUE(Zelnar("E02      ", 0));
    EXPECT_EQ(m_reading.error, "E02");
    EXPECT_FALSE(m_reading.distance);
    EXPECT_FALSE(m_reading.strength);
    ExpectValue(m_reading.current, 21.0);
    EXPECT_EQ(m_reading.q2, true); // SE 2 switches an output that is on inside the window on

    ASSERT_TRUE(Zelnar("E04       +29.9", 0));
    EXPECT_EQ(m_reading.error, "E04");
    ExpectValue(m_reading.temperature, 29.9);
}

TEST_F(DisplayReading, LinesTheDisplayShowsNoMeasurementOfMakeNoReading)
{
    EXPECT_FALSE(Zelnar("Telvan Zelnar ZL-30 V1.3.9 SN 104711", 0));
    EXPECT_FALSE(Zelnar("", 0));
    EXPECT_FALSE(Zelnar("LS", 1));
    EXPECT_FALSE(Quorin("SA[n] Average       : 1 (averaged)", "d"));
    EXPECT_FALSE(Quorin("ok", "d"));
    EXPECT_FALSE(Quorin("", "h"));
}

TEST_F(DisplayReading, ZelnarHexadecimalIsConvertedToTheUnitsOfDecimalOutput)
{
    ZelnarParameters.SDy = 3;
    ASSERT_TRUE(Zelnar("00303A 05DC 12B", 1));
    ExpectValue(m_reading.distance, 12.346);
    ExpectValue(m_reading.strength, 1500);
    ExpectValue(m_reading.temperature, 29.9);
    EXPECT_EQ(m_reading.distanceUnit, "m");
    EXPECT_EQ(m_reading.temperatureUnit, "°C");
    // Hexadecimal output changes neither the current nor the alarms.
    EXPECT_FALSE(m_reading.current);
    EXPECT_FALSE(m_reading.q1);

    ZelnarParameters.SDy = 2;
    ASSERT_TRUE(Zelnar("FFFB1E FFCF9C F9C", 1)); // long: speed, distance, temperature
    ExpectValue(m_reading.speed, -1.25);
    ExpectValue(m_reading.distance, -12.388);
    ExpectValue(m_reading.temperature, -10.0);

    ZelnarParameters.SDy = 0;
    ASSERT_TRUE(Zelnar("E04   ", 1));
    EXPECT_EQ(m_reading.error, "E04");
    EXPECT_FALSE(m_reading.distance); // "E04" would read as a hexadecimal number
    ASSERT_TRUE(Zelnar("E00000", 1));
    EXPECT_EQ(m_reading.error, "");
    ExpectValue(m_reading.distance, -2097.152);
}

TEST_F(DisplayReading, ZelnarBinaryRecordGivesItsErrorAndItsLogEntryOnly)
{
    ZelnarParameters.SDy = 0;
    const std::string e02 = "110000100100010101010010";
    ASSERT_TRUE(Zelnar(e02, 2));
    EXPECT_EQ(m_reading.error, "E02");
    EXPECT_FALSE(m_reading.distance);
    EXPECT_EQ(m_reading.distanceUnit, "");
    EXPECT_EQ(m_reading.line, "B" + e02);

    const std::string record = "100000000110000000111010";
    ASSERT_TRUE(Zelnar(record, 2));
    EXPECT_EQ(m_reading.error, "");
    EXPECT_FALSE(m_reading.distance);
    EXPECT_EQ(m_reading.line, "B" + record);
}

TEST_F(DisplayReading, QuorinDecimalGivesDistanceCurrentAndAlarm)
{
    QuorinParameters.AC = 10;
    QuorinParameters.AW = 5;
    ASSERT_TRUE(Quorin("012.345", "d"));
    ExpectValue(m_reading.distance, 12.345);
    ExpectValue(m_reading.current, 12.345 * 16 / 20 + 4);
    EXPECT_EQ(m_reading.q1, true);
    EXPECT_FALSE(m_reading.q2);
    EXPECT_FALSE(m_reading.speed);
    EXPECT_EQ(m_reading.distanceUnit, "m");

    QuorinParameters.SE = 1;
    ASSERT_TRUE(Quorin("E15  ", "d"));
    EXPECT_EQ(m_reading.error, "E15");
    EXPECT_FALSE(m_reading.distance);
    ExpectValue(m_reading.current, 3.0);
    EXPECT_EQ(m_reading.q1, false);

    ASSERT_TRUE(Quorin("E99  ", "d")); // no code of the table, still an error
    EXPECT_EQ(m_reading.error, "E99");
}

TEST_F(DisplayReading, QuorinHexadecimalIsConvertedToMetres)
{
    ASSERT_TRUE(Quorin("0003039", "h"));
    ExpectValue(m_reading.distance, 12.345);
    EXPECT_FALSE(m_reading.current); // the gauge's 3 mA in this format is no measurement
    EXPECT_FALSE(m_reading.q1);
    ASSERT_TRUE(Quorin("FFFFF9C4", "h"));
    ExpectValue(m_reading.distance, -1.596);
    EXPECT_EQ(m_reading.line, "FFFFF9C4");
}

TEST(IsoTime, LocalTimeWithMillisecondsAndOffset)
{
    {
        const CTimeZone utc("UTC0");
        CIsoTime time;
        EXPECT_EQ(time.Format(0), "1970-01-01T00:00:00.000+00:00");
        EXPECT_EQ(time.Format(1715954607125), "2024-05-17T14:03:27.125+00:00");
        EXPECT_EQ(time.Format(1715954607009), "2024-05-17T14:03:27.009+00:00");
        EXPECT_EQ(time.Format(-1), "1969-12-31T23:59:59.999+00:00");
    }
    {
        const CTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
        CIsoTime time;
        EXPECT_EQ(time.Format(1715954607125), "2024-05-17T16:03:27.125+02:00");
        EXPECT_EQ(time.Format(1705500000000), "2024-01-17T15:00:00.000+01:00");
    }
    {
        const CTimeZone newfoundland("<-0330>3:30");
        CIsoTime time;
        EXPECT_EQ(time.Format(1715954607125), "2024-05-17T10:33:27.125-03:30");
    }
}

TEST(ReadingText, FixedDecimalsWithTheChosenPoint)
{
    std::string text;
    AppendFixed(text, 12.3456, 3, ',');
    text += ';';
    AppendFixed(text, -1.25, kDistanceDecimals);
    text += ';';
    AppendFixed(text, 1500, kStrengthDecimals, ',');
    text += ';';
    AppendFixed(text, 29.94, kTemperatureDecimals, ',');
    EXPECT_EQ(text, "12,346;-1.250;1500;29,9");
}
