#include "CoreTestSupport.h"
#include "ZelnarDisplay.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ZelnarHexBinary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetParameterRecords();
        ZelnarParameters.SF = 1.0;
        ZelnarParameters.SDx = 1;
    }
    void TearDown() override { ResetParameterRecords(); }

    const CZelnarDisplayResult& Hex(std::string_view line, int SDy)
    {
        ZelnarParameters.SDy = SDy;
        return display.DecodeHexadecimal(line, ZelnarParameters, false);
    }

    CZelnarDisplay display;
};

const std::string Speed = "000000000000000001100100";    // 100
const std::string Distance = "000000000011000000111001"; // 12345
const std::string Strength = "10010110";
const std::string Temperature = "0000000100101011";
const std::string RecordE02 = "110000100100010101010010";
const std::string RecordE04 = "110001000100010101010010";

TEST_F(ZelnarHexBinary, HexShortAndLongLinesBySelection)
{
    ExpectFields(Hex("003039", 0), "003039", "", "", "");
    ExpectFields(Hex("000064 003039", 0), "003039", "000064", "", "");
    ExpectFields(Hex("003039 05DC", 1), "003039", "", "05DC", "");
    ExpectFields(Hex("000064 003039 05DC", 1), "003039", "000064", "05DC", "");
    ExpectFields(Hex("003039 12B", 2), "003039", "", "", "12B");
    ExpectFields(Hex("000064 003039 12B", 2), "003039", "000064", "", "12B");
    ExpectFields(Hex("003039 05DC 12B", 3), "003039", "", "05DC", "12B");
    ExpectFields(Hex("000064 003039 05DC 12B", 3), "003039", "000064", "05DC", "12B");
    // The length alone tells whether a speed comes first.
    ExpectFields(Hex("000064 00303", 0), "00303", "000064", "", "");
    ExpectFields(Hex("003039 0506", 0), "003039", "", "", "");
    ExpectFields(Hex("000064 003039 05DC ", 3), "003039", "000064", "05DC", "");
    ExpectFields(Hex("003039 05DC 12B 00", 3), "003039", "", "05DC", "12B");
    // A cut line gives shorter fields, nothing else.
    ExpectFields(Hex("000064 0030", 3), "000064", "", "0030", "");
    ExpectFields(Hex("003039", 7), "", "", "", "");
}

TEST_F(ZelnarHexBinary, HexOtherRepliesAndErrors)
{
    for (const char* line : {"LO", "S0", "w1", "?", "0x12", "PS"}) {
        const CZelnarDisplayResult& r = Hex(line, 0);
        ExpectFields(r, "", "", "", "");
        EXPECT_TRUE(r.bShowFields);
    }
    EXPECT_EQ(display.GetE02Count(), 0);
    EXPECT_EQ(Hex("E02 ", 0).strE02Count, "1");
    EXPECT_EQ(Hex("E04 ", 0).strE04Count, "1");
    const CZelnarDisplayResult& r = Hex("003039", 0);
    EXPECT_FALSE(r.bSetGauge);
    EXPECT_FALSE(r.bAddGraphPoint);
    EXPECT_FALSE(r.bSetStrengthBar);
    EXPECT_FALSE(r.bShowLamps);
}

TEST_F(ZelnarHexBinary, HexUnitsOnlyForMillimetres)
{
    EXPECT_EQ(Hex("003039", 0).strDistanceUnit, "mm");
    EXPECT_EQ(Hex("003039", 0).strSpeedUnit, "mm/s");
    EXPECT_EQ(Hex("003039", 0).strTemperatureUnit, "x0,1°C");
    ZelnarParameters.SF = -1.0;
    EXPECT_EQ(Hex("003039", 0).strDistanceUnit, "mm");
    ZelnarParameters.SF = 10.0;
    EXPECT_EQ(Hex("003039", 0).strDistanceUnit, "");
    EXPECT_EQ(Hex("003039", 0).strSpeedUnit, "");
}

TEST_F(ZelnarHexBinary, BinaryRecordsBySelection)
{
    ExpectFields(display.DecodeBinary(Distance, 0, false), Distance, "", "", "");
    const CZelnarDisplayResult& r = display.DecodeBinary(Speed + Distance, 0, false);
    ExpectFields(r, Distance, Speed, "", "");
    EXPECT_EQ(r.strBinaryLogLine, "B" + Speed + Distance);
    EXPECT_EQ(r.strDistanceUnit, "");
    EXPECT_EQ(r.strSpeedUnit, "");
    EXPECT_EQ(r.strTemperatureUnit, "");
    ExpectFields(display.DecodeBinary(Distance + Strength, 1, false), Distance, "", Strength, "");
    ExpectFields(display.DecodeBinary(Speed + Distance + Temperature, 2, false), Distance, Speed,
                 "", Temperature);
    const std::string all = Speed + Distance + Strength + Temperature;
    const CZelnarDisplayResult& full = display.DecodeBinary(all, 3, false);
    ExpectFields(full, Distance, Speed, Strength, Temperature);
    EXPECT_EQ(full.strBinaryLogLine, "B" + all);
    ExpectFields(display.DecodeBinary(Speed + "010101", 0, false), "010101", Speed, "", "");
    ExpectFields(display.DecodeBinary(Distance + "01010", 0, false), Distance.substr(0, 24), "", "",
                 "");
    // A record cut short yields what is there.
    ExpectFields(display.DecodeBinary(all.substr(0, 60), 3, false), Distance, Speed, "10010110",
                 "0000");
}

TEST_F(ZelnarHexBinary, BinaryErrorRecordsCount)
{
    EXPECT_EQ(display.DecodeBinary(RecordE02, 0, false).strE02Count, "1");
    EXPECT_EQ(display.DecodeBinary(RecordE04 + Distance, 0, false).strE04Count, "1");
    const CZelnarDisplayResult& both = display.DecodeBinary(RecordE02 + RecordE02, 0, false);
    EXPECT_EQ(both.strE02Count, "2"); // one record counts once
    EXPECT_FALSE(display.DecodeBinary(Distance, 0, false).bE02Counted);
    EXPECT_FALSE(display.DecodeBinary(Distance, 0, false).bSetGauge);
}

} // namespace
