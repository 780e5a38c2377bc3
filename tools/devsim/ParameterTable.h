#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The parameter commands of a device: for each two-letter key the values it carries, where the
// device keeps them and which values it accepts.
class CParameterTable
{
public:
    struct CField
    {
        int* integer = nullptr;
        double* real = nullptr;
        std::string* text = nullptr;
        double minimum = 0;               // integer and real
        double maximum = 0;               // integer and real
        int decimals = 0;                 // real: the digits after the point the device keeps
        double minimumMagnitude = 0;      // real: values nearer to zero are refused
        std::vector<std::string> choices; // text, in upper case unless lowerCase
        bool lowerCase = false;
    };

    static CField Integer(int& field, int minimum, int maximum);
    static CField Real(double& field, int decimals, double minimum, double maximum,
                       double minimumMagnitude = 0);
    // A distance kept to the millimetre, up to largest either way.
    static CField Distance(double& field, double largest)
    {
        return Real(field, 3, -largest, largest);
    }
    static CField Choice(std::string& field, std::vector<std::string> choices,
                         bool lowerCase = false);

    void Add(std::string key, std::vector<CField> fields);
    bool Has(std::string_view key) const;

    // Takes the blank-separated values of argument, all of them or none: false when their
    // number or one of them does not fit.
    bool Apply(std::string_view key, std::string_view argument);

    // The values of key as the device writes them, separated by one blank.
    std::string Values(std::string_view key) const;

private:
    std::map<std::string, std::vector<CField>, std::less<>> m_keys;
};
