#include "ReadingMessage.h"
#include "TestSupport.h"

#include <gtest/gtest.h>


namespace {

class ReadingMessage : public testing::Test
{
protected:
    const CTimeZone m_zone{"UTC0"};
};

} // namespace

TEST_F(ReadingMessage, CarriesTheValuesTheReadingHas)
{
    CReading reading;
    reading.timeMs = 1715954607125;
    reading.distance = 12.345;
    reading.distanceUnit = "m";
    reading.strength = 1500;
    reading.temperature = 29.94;
    reading.temperatureUnit = "°C";
    reading.q1 = false;
    reading.q2 = true;
    reading.current = 13.876;
    reading.line = "+0012.345 01500 +29.9";
    CReadingMessage message;
    EXPECT_EQ(message.Json(reading),
              "{\"time\":\"2024-05-17T14:03:27.125+00:00\",\"distance\":12.345,\"unit\":\"m\","
              "\"strength\":1500,\"temperature\":29.9,\"temperatureUnit\":\"°C\",\"q1\":false,"
              "\"q2\":true,\"current\":13.876,\"line\":\"+0012.345 01500 +29.9\"}");

    CReading error;
    error.timeMs = 1715954607200;
    error.speed = -1.25;
    error.speedUnit = "m/s";
    error.error = "E02";
    error.line = "E02      ";
    EXPECT_EQ(message.Json(error),
              "{\"time\":\"2024-05-17T14:03:27.200+00:00\",\"speed\":-1.250,\"speedUnit\":\"m/s\","
              "\"error\":\"E02\",\"line\":\"E02      \"}");
}

TEST_F(ReadingMessage, DeviceBytesBecomeValidJsonText)
{
    CReading reading;
    reading.line = std::string("a\"b\\c\r\n\x01") + "\xb0" + "C";
    CReadingMessage message;
    EXPECT_EQ(message.Json(reading),
              "{\"time\":\"1970-01-01T00:00:00.000+00:00\",\"line\":\"a\\\"b\\\\c\\u000d\\u000a"
              "\\u0001\xc2\xb0"
              "C\"}");
}
