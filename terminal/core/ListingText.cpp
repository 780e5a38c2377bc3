#include "ListingText.h"

#include <algorithm>

long CListingText::Find(char c) const
{
    const std::size_t position = m_text.find(c);
    return position == std::string_view::npos ? -1 : static_cast<long>(position);
}

long CListingText::Anchor(char anchor)
{
    const long position = Find(anchor);
    if (position < 0)
        m_bComplete = false;
    return position;
}

void CListingText::Drop(long count)
{
    if (count > 0)
        m_text.remove_prefix(std::min(static_cast<std::size_t>(count), m_text.size()));
}

std::string CListingText::UpTo(char end)
{
    const long position = Anchor(end);
    return position < 0 ? std::string{}
                        : std::string(m_text.substr(0, static_cast<std::size_t>(position)));
}

std::string CListingText::First(long count)
{
    if (count <= 0)
        return {};
    if (static_cast<std::size_t>(count) > m_text.size())
        m_bComplete = false;
    return std::string(m_text.substr(0, static_cast<std::size_t>(count)));
}
