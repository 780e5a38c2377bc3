#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One measurement as the Display page decodes it, for the programs and rooms that pass
// measurements on (files, a broker). A value is missing when the line does not carry it or the
// output format gives no number for it.
//
// Values are in the units of decimal output: hexadecimal output is converted from its
// thousandths and tenths; binary output gives only the error code. The strings keep their
// buffers, so a reading that is filled again for every line allocates nothing once grown.
struct CReading
{
    std::int64_t timeMs = 0; // when the line arrived, milliseconds since 1970 UTC
    std::optional<double> distance;
    std::optional<double> speed;
    std::optional<double> strength;
    std::optional<double> temperature;
    std::string error; // the device's error code ("E02", "E15"), empty without one
    std::optional<bool> q1;
    std::optional<bool> q2;
    std::optional<double> current; // analog output, mA
    std::string_view distanceUnit; // static texts, UTF-8; empty when the scale names none
    std::string_view speedUnit;
    std::string_view temperatureUnit;
    std::string line; // the line as it was decoded (without its leading "D" or "H")
};
