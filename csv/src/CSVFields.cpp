#include "CSVFields.h"

#include <algorithm>

void CSVFields::Split(std::string_view text, std::string_view separator)
{
    m_Fields.clear();
    ForEach(text, separator, [this](std::string_view field) { m_Fields.push_back(field); });
}

std::string_view CSVFields::Clamped(int index) const
{
    if (m_Fields.empty())
        return {};
    return m_Fields[static_cast<std::size_t>(std::clamp(index, 0, Count() - 1))];
}
