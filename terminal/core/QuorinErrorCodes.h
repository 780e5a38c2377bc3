#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// An error code a Quorin device can report, with the controls of its row on the Display
// page. Texts are UTF-8 and used exactly as they stand.
struct CQuorinErrorCode
{
    std::string_view strCode;        // "E15"
    std::string_view strDescription; // the static text beside the code
    int nCountBoxId;                 // the greyed edit that shows the count
    int nHelpButtonId;               // its "?" button
    std::string_view strHelp;        // what "?" puts into the explanation box
};

// In page order: E15 to E51 form the left column, E52 to E64 the right one.
inline constexpr std::array<CQuorinErrorCode, 17> QuorinErrorCodes{{
    {"E15", " Too weak reflexes", 1140, 1101,
     "E15:Use target board, observe minimum requirement on measuring frequency ( >0,1m )"},
    {"E16", " Too strong reflexes", 1047, 1102, "E16:Use target board"},
    {"E17", " Too much steady light", 1048, 1103,
     "E17:Reduce ambient light at target,Reflecting object remove or cover"},
    {"E18", " Too high distance variation", 1049, 1104,
     "E18:Check path from distance meter to target being measured for obstacles"},
    {"E19", " Too high target speed", 1054, 1106,
     "E19:Reduce motion speed of target or of distance meter"},
    {"E23", " Temperature below -10°C", 1055, 1107, "E23:Provide ambient temperature > -10°C"},
    {"E24", " Temperatureabove +60°C", 1056, 1108, "E24:Provide ambient temperature < +60°C"},
    {"E31", " Faulty EEPROM checksum", 1057, 1109,
     "E31:Service required if fault occurs repeatedly\r\n        Reship Telvan T1/T2 for repair"},
    {"E51", " Failure avalanche voltage", 1067, 1110,
     "E51:1.Check ambient light radiation. Limit ambient light \r\n        2.Service required: "
     "Reship Telvan T1/T2 for repair"},
    {"E52", " Laser current too high", 1058, 1111,
     "E52:Reship Telvan T1/T2 for repair,contact technical support"},
    {"E53", " Parameter not set ( EEPROM )", 1059, 1112,
     "E53:1.Parameter SF examine (SF must be unequal 0 )\r\n        2.Contact technical support: "
     "Reship Telvan T1/T2 for repair"},
    {"E54", " Hardware Error ( PLL )", 1060, 1113,
     "E54:Contact technical support: Reship Telvan T1/T2 for repair"},
    {"E55", " Hardware Error", 1061, 1114,
     "E55:Contact technical support: Reship Telvan T1/T2 for repair"},
    {"E61", " Invalid command", 1062, 1115, "E61:Check control software commands"},
    {"E62", " Invalid parameter", 1063, 1116, "E62:Check external software parity setting"},
    {"E63", " SIO Overflow", 1064, 1117,
     "E63:Check time of emitted signals in application software\r\n        integrate delay on "
     "transmission if necessary"},
    {"E64", " Framing Error SIO", 1065, 1118,
     "E64:Data format of the serial interface examine (8N1) "},
}};

// How often each code arrived; kept for the whole run of the program, across main dialogs.
class CQuorinErrorCounts
{
public:
    // Counts the code whose digits are characters 1 and 2 of an error line; returns its index
    // in QuorinErrorCodes, or -1 when the digits name no code of the table.
    int Count(std::string_view line);
    std::int64_t GetCount(int index) const { return m_Counts.at(static_cast<std::size_t>(index)); }
    // "Clear ERRORS".
    void Clear() { m_Counts.fill(0); }

private:
    std::array<std::int64_t, QuorinErrorCodes.size()> m_Counts{};
};
