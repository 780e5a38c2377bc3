#include "ParameterTable.h"

#include "DeviceText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

namespace {

// The value a field would take from word, or none when the device refuses it.
struct CParsed
{
    int integer = 0;
    double real = 0;
    std::string text;
};

std::optional<CParsed> ParseField(const CParameterTable::CField& field, std::string_view word)
{
    CParsed parsed;
    if (field.integer) {
        const auto value = ParseInteger(word);
        if (!value || *value < field.minimum || *value > field.maximum)
            return std::nullopt;
        parsed.integer = static_cast<int>(*value);
    } else if (field.real) {
        const auto value = ParseDecimal(word, field.decimals);
        if (!value || *value < field.minimum || *value > field.maximum ||
            std::fabs(*value) < field.minimumMagnitude)
            return std::nullopt;
        parsed.real = *value;
    } else {
        std::string text = UpperCase(word);
        if (field.lowerCase)
            std::transform(text.begin(), text.end(), text.begin(),
                           [](char c) { return static_cast<char>(std::tolower(c)); });
        if (std::find(field.choices.begin(), field.choices.end(), text) == field.choices.end())
            return std::nullopt;
        parsed.text = std::move(text);
    }
    return parsed;
}

} // namespace

CParameterTable::CField CParameterTable::Integer(int& field, int minimum, int maximum)
{
    CField f;
    f.integer = &field;
    f.minimum = minimum;
    f.maximum = maximum;
    return f;
}

CParameterTable::CField CParameterTable::Real(double& field, int decimals, double minimum,
                                              double maximum, double minimumMagnitude)
{
    CField f;
    f.real = &field;
    f.decimals = decimals;
    f.minimum = minimum;
    f.maximum = maximum;
    f.minimumMagnitude = minimumMagnitude;
    return f;
}

CParameterTable::CField CParameterTable::Choice(std::string& field,
                                                std::vector<std::string> choices, bool lowerCase)
{
    CField f;
    f.text = &field;
    f.choices = std::move(choices);
    f.lowerCase = lowerCase;
    return f;
}

void CParameterTable::Add(std::string key, std::vector<CField> fields)
{
    m_keys.emplace(std::move(key), std::move(fields));
}

bool CParameterTable::Has(std::string_view key) const
{
    return m_keys.find(key) != m_keys.end();
}

bool CParameterTable::Apply(std::string_view key, std::string_view argument)
{
    const auto& fields = m_keys.find(key)->second;
    const auto words = SplitBlanks(argument);
    if (words.size() != fields.size())
        return false;
    std::vector<CParsed> values;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto value = ParseField(fields[i], words[i]);
        if (!value)
            return false;
        values.push_back(std::move(*value));
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].integer)
            *fields[i].integer = values[i].integer;
        else if (fields[i].real)
            *fields[i].real = values[i].real;
        else
            *fields[i].text = values[i].text;
    }
    return true;
}

std::string CParameterTable::Values(std::string_view key) const
{
    std::string values;
    for (const CField& field : m_keys.find(key)->second) {
        if (!values.empty())
            values += ' ';
        if (field.integer)
            values += std::to_string(*field.integer);
        else if (field.real)
            values += FormatDecimal(*field.real, field.decimals);
        else
            values += *field.text;
    }
    return values;
}
