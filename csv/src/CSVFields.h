#pragma once

#include "Strings.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The fields of one line of CSV text as views into it, split as GetNextCSV splits: no quoting,
// two adjacent separators give an empty field, a separator at the end none.
class CSVFields
{
public:
    // The views live as long as text.
    void Split(std::string_view text, std::string_view separator);

    int Count() const { return static_cast<int>(m_Fields.size()); }
    // The field at index; empty when the line has none there.
    std::string_view Field(int index) const
    {
        return index >= 0 && index < Count() ? m_Fields[static_cast<std::size_t>(index)]
                                             : std::string_view();
    }
    // The field at index clamped into the fields, as CCSVLine::GetColumn reads it.
    std::string_view Clamped(int index) const;

    // Visits each field of text in order.
    template <class Visit>
    static void ForEach(std::string_view text, std::string_view separator, Visit visit)
    {
        std::size_t position = 0;
        while (position < text.size()) {
            std::size_t found = std::string_view::npos;
            if (separator.size() == 1) {
                // Fields are short: a plain loop finds their end sooner than a call would.
                found = position;
                while (found < text.size() && text[found] != separator[0])
                    ++found;
                if (found == text.size())
                    found = std::string_view::npos;
            } else if (!separator.empty()) {
                found = text.find(separator, position);
            }
            if (found == std::string_view::npos) {
                visit(text.substr(position));
                return;
            }
            visit(text.substr(position, found - position));
            position = found + separator.size();
        }
    }

private:
    std::vector<std::string_view> m_Fields;
};

// A line given as its fields, with its time stamp: what a table takes of a line.
class CSVFieldsLine
{
public:
    CSVFieldsLine(const CSVFields& fields, const char* decimal, std::int64_t time)
        : m_Fields(fields), m_pszDecimal(decimal), m_Time(time)
    {
    }
    std::int64_t GetTimeStamp() const { return m_Time; }
    bool GetNumber(int index, double& value) const
    {
        return ParseNumber(m_Fields.Field(index), m_pszDecimal, value);
    }

private:
    const CSVFields& m_Fields;
    const char* m_pszDecimal;
    std::int64_t m_Time;
};
