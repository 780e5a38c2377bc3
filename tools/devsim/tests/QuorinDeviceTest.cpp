#include "QuorinDevice.h"
#include "CoreListing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace {

std::string Ask(CDevice& device, const std::string& command)
{
    return device.Receive(command + "\r");
}

// A decimal reply as the Quorin Display recognises a distance reading.
bool IsDistanceReading(const std::string& line)
{
    return line.size() > 4 && line[3] == '.' && line[2] != '.' && line[4] != '.' && line[0] != 'A';
}

} // namespace

TEST(QuorinDevice, DecimalAndHexadecimalDistances)
{
    CQuorinDevice decimal(4), hex(4);
    Ask(decimal, "OF-15"); // the target passes zero: both signs appear
    Ask(hex, "OF-15");
    EXPECT_EQ(Ask(hex, "SDH"), "SD h\r\n");
    bool negative = false, positive = false;
    for (int i = 0; i < 200; ++i) {
        const std::string d = Ask(decimal, "DM"), h = Ask(hex, "DM");
        if (d == "E15  \r\n") {
            EXPECT_EQ(h, d) << "no target";
            continue;
        }
        ASSERT_TRUE(std::regex_match(d, std::regex(R"((\d{3}|-\d\d)\.\d{3}\r\n)"))) << d;
        EXPECT_TRUE(IsDistanceReading(d)) << d;
        const double value = std::atof(d.c_str());
        if (value < 0) {
            negative = true;
            // Eight digits of two's complement: the Display drops the first because
            // character 1 is "F".
            ASSERT_TRUE(std::regex_match(h, std::regex(R"(FF[0-9A-F]{6}\r\n)"))) << h;
            EXPECT_NEAR(std::strtoll(h.c_str(), nullptr, 16) - (1LL << 32), value * 1000, 0.5);
        } else {
            positive = true;
            ASSERT_TRUE(std::regex_match(h, std::regex(R"([0-9A-F]{7}\r\n)"))) << h;
            EXPECT_NEAR(std::strtoll(h.c_str(), nullptr, 16), value * 1000, 0.5);
        }
    }
    EXPECT_TRUE(negative && positive);
}

TEST(QuorinDevice, ErrorRepliesOnDemandAndFromTheTarget)
{
    CQuorinDevice device(2);
    for (int code : {15, 23, 53, 64})
        EXPECT_EQ(device.InjectError(code), "E" + std::to_string(code) + "  \r\n");
    Ask(device, "DW");
    EXPECT_EQ(device.InjectError(16), "");
    EXPECT_EQ(device.NextStreamLine(), "E16  \r\n");
    EXPECT_TRUE(IsDistanceReading(device.NextStreamLine()));
    EXPECT_EQ(Ask(device, "XY"), "E61  \r\n");
    EXPECT_EQ(Ask(device, "SA21"), "E62  \r\n");

    int lost = 0;
    for (int i = 0; i < 300; ++i) // 30 s at 10 Hz
        lost += device.NextStreamLine() == "E15  \r\n";
    EXPECT_NEAR(lost, 20, 1);

    // DS reaches 7 m: farther targets are too weak.
    Ask(device, "DS");
    for (int i = 0; i < 300; ++i) {
        const std::string line = device.NextStreamLine();
        if (line != "E15  \r\n") {
            EXPECT_LE(std::atof(line.c_str()), 7.0) << line;
        }
    }
}

TEST(QuorinDevice, MeasuringTimes)
{
    using std::chrono::milliseconds;
    CQuorinDevice device(1);
    const std::pair<const char*, milliseconds> automatic[] = {{"DT", milliseconds(160)},
                                                              {"DS", milliseconds(100)},
                                                              {"DW", milliseconds(100)},
                                                              {"DX", milliseconds(20)},
                                                              {"DF", milliseconds(100)}};
    for (const auto& [command, interval] : automatic) {
        Ask(device, command);
        EXPECT_EQ(device.StreamInterval(), interval) << command;
    }
    Ask(device, "ST3");
    Ask(device, "DT");
    EXPECT_EQ(device.StreamInterval(), milliseconds(720));
    Ask(device, "DS");
    EXPECT_EQ(device.StreamInterval(), milliseconds(450));
    device.Receive("\x1b");
    EXPECT_FALSE(device.Streaming());
}

TEST(QuorinDevice, ParameterCommandsSetQueryAndRefuse)
{
    CQuorinDevice device(1);
    EXPECT_EQ(Ask(device, "RM5 3 2"), "RM 5 3 2\r\n");
    EXPECT_EQ(Ask(device, "AS dt"), "AS DT\r\n");
    EXPECT_EQ(Ask(device, "SF-0.0015"), "SF -0.001500\r\n");
    EXPECT_EQ(Ask(device, "AH-1"), "AH -1.000\r\n");
    EXPECT_EQ(Ask(device, "LO"), "ok\r\n");
    EXPECT_TRUE(device.LaserOn());
    Ask(device, "LF");
    EXPECT_FALSE(device.LaserOn());
    for (const char* refused : {"SA0", "SA21", "ST26", "SF0.0005", "SF10.5", "TD10000 0", "TM2 0",
                                "SDx", "SE3", "ASVT", "RM1 2", "LO1"}) {
        const CQuorinParameterSet before = device.Parameters();
        EXPECT_EQ(Ask(device, refused), "E62  \r\n") << refused;
        EXPECT_EQ(device.Parameters(), before) << refused;
    }
    Ask(device, "PR");
    EXPECT_EQ(device.Parameters(), CQuorinParameterSet{});
}

TEST(QuorinDevice, ListingReadsBackToTheHeldParameters)
{
    const std::vector<std::vector<std::string>> sets = {
        {},
        {"RM99 9999 99", "ST25", "SA20", "TD9999 1", "SF-10", "OF-9999.999", "TM1 1", "SDh", "SE2",
         "RB-9999.999", "RE9999.999", "AC-0.001", "AW0.5", "AH-1", "ASTP"},
        {"RM5 3 2", "ST1", "SA7", "TD250 0", "SF1.0936", "OF0.125", "TM0 1", "SDd", "SE1", "RB20",
         "RE0", "AC12.5", "AW3.25", "AH0.75", "ASLO"},
        {"SF0.001", "ASDF"},
    };
    for (const auto& commands : sets) {
        CQuorinDevice device(1);
        for (const std::string& command : commands)
            ASSERT_NE(Ask(device, command)[0], 'E') << command;
        const std::string listing = Ask(device, "PA");
        EXPECT_EQ(ReadQuorinListing(listing), device.Parameters()) << listing;
        // Its lines are no distance readings, and in hexadecimal output the Display passes
        // over them too ("[" as character 2).
        for (std::size_t line = 0; line < listing.size(); line = listing.find("\r\n", line) + 2) {
            const std::string text = listing.substr(line, listing.find("\r\n", line) - line);
            EXPECT_FALSE(IsDistanceReading(text)) << text;
            EXPECT_TRUE(text.size() != 7 && (text[1] != 'F' || text[2] == '[')) << text;
        }
    }
}
