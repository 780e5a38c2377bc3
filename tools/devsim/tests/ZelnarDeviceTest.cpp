#include "ZelnarDevice.h"
#include "CoreListing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

namespace {

std::string Ask(CDevice& device, const std::string& command)
{
    return device.Receive(command + "\r");
}

// The line as the terminal's Log page hands it on: without its first character and CR LF.
std::string Body(const std::string& reply)
{
    EXPECT_GE(reply.size(), 3u);
    EXPECT_EQ(reply.substr(reply.size() - 2), "\r\n");
    return reply.substr(1, reply.size() - 3);
}

long long HexValue(const std::string& digits)
{
    long long value = std::strtoll(digits.c_str(), nullptr, 16);
    const long long sign = 1LL << (4 * digits.size() - 1);
    return value >= sign ? value - 2 * sign : value;
}

std::string Bits(const std::string& bytes)
{
    std::string bits;
    for (const unsigned char byte : bytes)
        for (int bit = 7; bit >= 0; --bit)
            bits += (byte >> bit) & 1 ? '1' : '0';
    return bits;
}

} // namespace

TEST(ZelnarDevice, RepliesThatAreNoMeasurementsStayOutOfTheDisplay)
{
    CZelnarDevice device(1);
    // The terminal hands lines beginning with D or H to its Display page as measurements.
    for (const char* command : {"ID", "HW", "TP", "PR", "MF", "XX"}) {
        const std::string reply = Ask(device, command);
        ASSERT_FALSE(reply.empty()) << command;
        for (std::size_t line = 0; line < reply.size(); line = reply.find("\r\n", line) + 2)
            EXPECT_EQ(std::string("DH").find(reply[line]), std::string::npos)
                << command << ": " << reply;
    }
    EXPECT_TRUE(std::regex_match(Ask(device, "TP"), std::regex(R"(T[+-]\d\d\.\d\r\n)")));
}

TEST(ZelnarDevice, DecimalRepliesHaveTheLayoutsTheDisplayCuts)
{
    CZelnarDevice device(1);
    // Without "D" and CR LF: distance 9 characters, strength 5, temperature 5 behind blanks;
    // with speed, nine more characters in front.
    const std::size_t distanceLength[] = {9, 15, 15, 21};
    for (int sdy = 0; sdy < 4; ++sdy) {
        Ask(device, "SD0 " + std::to_string(sdy));
        const std::string single = Ask(device, "DM");
        const std::string speed = Ask(device, "VM");
        ASSERT_EQ(single[0], 'D');
        ASSERT_EQ(speed[0], 'D');
        const std::string dm = Body(single), vm = Body(speed);
        EXPECT_EQ(dm.size(), distanceLength[sdy]) << dm;
        EXPECT_EQ(vm.size(), distanceLength[sdy] + 10) << vm;
        EXPECT_TRUE(std::regex_match(dm.substr(0, 9), std::regex(R"([+-]\d{4}\.\d{3})"))) << dm;
        EXPECT_TRUE(std::regex_match(vm.substr(0, 20),
                                     std::regex(R"([+-]\d{4}\.\d{3} [+-]\d{4}\.\d{3} ?)")))
            << vm;
        const std::string dmRest = dm.substr(9), vmRest = vm.substr(19);
        const char* rest[] = {"", R"( \d{5})", R"( [+-]\d\d\.\d)", R"( \d{5} [+-]\d\d\.\d)"};
        EXPECT_TRUE(std::regex_match(dmRest, std::regex(rest[sdy]))) << dm;
        EXPECT_TRUE(std::regex_match(vmRest, std::regex(rest[sdy]))) << vm;
    }
}

TEST(ZelnarDevice, ScaleFactorAndOffsetShapeEveryFormat)
{
    // Same seed, same draws: the devices see the same target.
    CZelnarDevice plain(7), scaled(7), hex(7);
    Ask(scaled, "SF2");
    Ask(scaled, "OF-30.5");
    Ask(hex, "SF2");
    Ask(hex, "OF-30.5");
    Ask(hex, "SD1 0");
    for (int i = 0; i < 20; ++i) {
        const double distance = std::atof(Body(Ask(plain, "DM")).c_str());
        const double value = std::atof(Body(Ask(scaled, "DM")).c_str());
        EXPECT_NEAR(value, 2 * distance - 30.5, 0.0015);
        const std::string line = Ask(hex, "DM");
        ASSERT_EQ(line[0], 'H');
        EXPECT_NEAR(HexValue(Body(line)), value * 1000, 0.5) << line;
    }
}

TEST(ZelnarDevice, HexadecimalRepliesHaveTheLayoutsTheDisplayCuts)
{
    CZelnarDevice device(3);
    const std::size_t shortLength[] = {6, 11, 10, 15}; // the Display's "short" lines: no speed
    const std::size_t shortBelow[] = {12, 15, 15, 19};
    for (int sdy = 0; sdy < 4; ++sdy) {
        Ask(device, "SD1 " + std::to_string(sdy));
        const std::string dm = Body(Ask(device, "DM")), vm = Body(Ask(device, "VM"));
        EXPECT_EQ(dm.size(), shortLength[sdy]) << dm;
        EXPECT_GE(vm.size(), shortBelow[sdy]) << vm;
        EXPECT_TRUE(std::regex_match(
            vm, std::regex(R"([0-9A-F]{6} [0-9A-F]{6}( [0-9A-F]{4})?( [0-9A-F]{3})?)")));
        if (sdy >= 2) {
            EXPECT_NEAR(HexValue(dm.substr(dm.size() - 3)), 299, 3) << "tenths of a degree: " << dm;
        }
    }
}

TEST(ZelnarDevice, BinaryRecordsHaveTheLengthsTheAssemblyAllows)
{
    CZelnarDevice device(5);
    for (int sdy = 0; sdy < 4; ++sdy) {
        Ask(device, "SD2 " + std::to_string(sdy));
        const std::string dm = Ask(device, "DM"), vm = Ask(device, "VM");
        EXPECT_EQ(dm.size(), 3u + (sdy & 1) + (sdy & 2)) << "SDy " << sdy;
        EXPECT_EQ(vm.size(), dm.size() + 3) << "SDy " << sdy;
        for (const std::string& record : {dm, vm}) {
            // Only the first byte starts a record.
            EXPECT_TRUE(record[0] & 0x80);
            for (std::size_t i = 1; i < record.size(); ++i)
                EXPECT_FALSE(record[i] & 0x80) << "byte " << i << " of SDy " << sdy;
        }
    }
    CZelnarDevice decimal(9), binary(9);
    Ask(binary, "SD2 2");
    for (int i = 0; i < 20; ++i) {
        const double distance = std::atof(Body(Ask(decimal, "DM")).c_str());
        const std::string record = Ask(binary, "DM");
        const long long mm = ((record[0] & 0x3F) << 14) | (record[1] << 7) | record[2];
        EXPECT_NEAR(mm, distance * 1000, 0.5);
        EXPECT_NEAR((record[3] << 7) | record[4], 299, 3) << "tenths of a degree";
    }
}

TEST(ZelnarDevice, ErrorRepliesInEveryFormat)
{
    CZelnarDevice device(1);
    // E04 on demand: at once when nothing streams, else in the next streamed line.
    EXPECT_EQ(device.InjectError(4), "DE04      \r\n");
    Ask(device, "SD0 3");
    Ask(device, "VT");
    EXPECT_EQ(device.InjectError(4), "");
    const std::string streamed = Body(device.NextStreamLine());
    // Speed and distance both carry it, as the Display's layout C expects.
    EXPECT_EQ(streamed.substr(0, 19), "E04       E04      ");
    EXPECT_TRUE(std::regex_match(streamed.substr(19), std::regex(R"( 00000 [+-]\d\d\.\d)")))
        << streamed;
    EXPECT_NE(Body(device.NextStreamLine())[0], 'E');
    device.Receive("\x1b");

    Ask(device, "SD1 0");
    EXPECT_EQ(device.InjectError(4), "HE04   \r\n");
    // The binary error records are the patterns the Display counts.
    Ask(device, "SD2 0");
    EXPECT_EQ(Bits(device.InjectError(4)), "110001000100010101010010");
    Ask(device, "MW100 200"); // every reading lies outside the measuring window
    EXPECT_EQ(Bits(Ask(device, "DM")), "110000100100010101010010");
    const std::string speed = Ask(device, "VM");
    EXPECT_EQ(Bits(speed.substr(0, 3)), "110000100100010101010010");
    EXPECT_FALSE(speed[3] & 0x80) << "the distance behind it starts no record";
    Ask(device, "SD0 0");
    EXPECT_EQ(Ask(device, "DM"), "DE02      \r\n");
}

TEST(ZelnarDevice, StreamsAMovingTargetWithStretchesOfNoTarget)
{
    CZelnarDevice device(11), same(11), other(12);
    for (CZelnarDevice* d : {&device, &same, &other}) {
        Ask(*d, "MF1000");
        Ask(*d, "SA10");
        Ask(*d, "DT");
    }
    EXPECT_EQ(device.StreamInterval(), std::chrono::milliseconds(10));
    double lowest = 1e9, highest = -1e9;
    int errors = 0, stretches = 0;
    bool differs = false;
    bool inError = false;
    for (int i = 0; i < 3000; ++i) { // 30 s of the device's time
        const std::string line = device.NextStreamLine();
        ASSERT_EQ(line, same.NextStreamLine());
        differs = differs || line != other.NextStreamLine();
        const bool error = line[1] == 'E';
        errors += error;
        stretches += error && !inError;
        inError = error;
        if (!error) {
            lowest = std::min(lowest, std::atof(line.c_str() + 1));
            highest = std::max(highest, std::atof(line.c_str() + 1));
        }
    }
    EXPECT_TRUE(differs);
    EXPECT_LT(lowest, 2);
    EXPECT_GT(highest, 18);
    EXPECT_EQ(stretches, 2);
    EXPECT_NEAR(errors, 200, 2); // one second of every fifteen
    Ask(device, "DF");
    EXPECT_EQ(device.StreamInterval(), std::chrono::milliseconds(100));
    device.Receive("\x1b");
    EXPECT_FALSE(device.Streaming());
}

TEST(ZelnarDevice, ACountingTargetStepsOneMillimetreAMeasurement)
{
    CZelnarDevice device(11);
    device.SetCountingTarget(true);
    Ask(device, "SD0 0");
    Ask(device, "DT");
    for (int i = 1; i <= 3000; ++i) // past the stretch where a moving target is lost
        ASSERT_EQ(std::lround(std::atof(device.NextStreamLine().c_str() + 1) * 1000), i);
}

TEST(ZelnarDevice, ParameterCommandsSetQueryAndRefuse)
{
    CZelnarDevice device(1);
    EXPECT_EQ(Ask(device, "MF"), "MF 2000\r\n");
    EXPECT_EQ(Ask(device, "td12.345 1 5"), "TD 12.35 1 5\r\n") << "kept to the device's resolution";
    EXPECT_EQ(device.Parameters().TDx, 12.35);
    EXPECT_EQ(Ask(device, "Q1-1.5 2 0.25 0"), "Q1 -1.500 2.000 0.250 0\r\n");
    EXPECT_EQ(Ask(device, "ASdt"), "AS DT\r\n");
    // Refused values change nothing.
    for (const char* refused : {"MF0", "MF1,5", "TD1 2", "TD1 2 3 4", "SD3 0", "SD0 4", "SF0",
                                "PL4", "Q11 2 3 2", "ASXY", "DM5"}) {
        const CZelnarParameterSet before = device.Parameters();
        EXPECT_EQ(Ask(device, refused), "E62\r\n") << refused;
        EXPECT_EQ(device.Parameters(), before) << refused;
    }
    EXPECT_EQ(Ask(device, "QQ"), "E61\r\n");
    EXPECT_EQ(Ask(device, "M"), "E61\r\n");
    EXPECT_EQ(Ask(device, ""), "");
    EXPECT_EQ(device.Receive("MF12\x1b"
                             "MF\r"),
              "MF 2000\r\n")
        << "ESC drops the command being typed";
    EXPECT_EQ(device.Parameters().MF, 2000);
    EXPECT_EQ(Ask(device, "PR"), "ok\r\n");
    EXPECT_EQ(device.Parameters(), CZelnarParameterSet{});
}

TEST(ZelnarDevice, ColdStartRunsTheAutostartCommand)
{
    CZelnarDevice device(1);
    Ask(device, "DT");
    EXPECT_EQ(Ask(device, "DR"), Ask(device, "ID")) << "the autostart of a fresh device";
    EXPECT_FALSE(device.Streaming());
    Ask(device, "ASVT");
    EXPECT_EQ(Ask(device, "DR"), "");
    EXPECT_TRUE(device.Streaming());
    EXPECT_EQ(Body(device.NextStreamLine()).size(), 19u) << "speed and distance";
}

TEST(ZelnarDevice, SetOffsetZeroesTheReading)
{
    CZelnarDevice device(1);
    Ask(device, "SF2");
    const std::string reply = Ask(device, "SO");
    EXPECT_TRUE(std::regex_match(reply, std::regex(R"(OF -\d+\.\d{3}\r\n)"))) << reply;
    EXPECT_NEAR(std::atof(Body(Ask(device, "DM")).c_str()), 0, 0.1);
}

TEST(ZelnarDevice, ListingReadsBackToTheHeldParameters)
{
    const std::vector<std::vector<std::string>> sets = {
        {},
        {"MF50000", "SA9999", "TD9999.99 1 9", "SF-100", "OF-99999.999", "MW-99999.999 99999.999",
         "Q1-99999.999 99999.999 -0.001 0", "Q2 0.001 -1 12345.678 1", "QA-3 -99999.999", "PL3",
         "SE2", "SC1", "SD2 3", "ASVT"},
        {"MF1", "SA1", "TD0.01 0 0", "SF0.000001", "OF0.5", "MW0 0", "Q10 0 0 0", "Q20 0 0 0",
         "QA1.25 1.25", "PL2", "SE1", "SC0", "SD1 1", "ASdf"},
        {"MF3000", "SA3", "TD5 1 2", "SF1.0936", "OF12.345", "MW-1.5 30", "SD0 2", "ASVM"},
    };
    for (const auto& commands : sets) {
        CZelnarDevice device(1);
        for (const std::string& command : commands)
            ASSERT_NE(Ask(device, command)[0], 'E') << command;
        const std::string listing = Ask(device, "PA");
        EXPECT_EQ(listing, device.Listing());
        EXPECT_EQ(ReadZelnarListing(listing), device.Parameters()) << listing;
        EXPECT_EQ(std::count(listing.begin(), listing.end(), '\r'), 16)
            << "fits a cleared Classic page";
    }
}
