#pragma once

#include <string>
#include <string_view>

// The working text of a parameter-listing parse. The parse walks the device's listing by
// anchor characters: it finds one, drops the text up to it plus a skip, and takes a value from
// the new start. A missing anchor counts as position -1, so a listing that lacks one still
// moves on by the skip less one, and a drop beyond the end leaves nothing.
class CListingText
{
public:
    explicit CListingText(std::string_view text) : m_text(text) {}

    // Position of the first c, or -1.
    long Find(char c) const;
    // Drops the first count characters; nothing when count is negative.
    void Drop(long count);
    // The text up to, not including, the first end; empty when end does not occur.
    std::string UpTo(char end) const;
    // The first count characters (fewer at the end of the text, none for count <= 0).
    std::string First(long count) const;
    bool StartsWith(char c) const { return !m_text.empty() && m_text.front() == c; }

private:
    std::string_view m_text;
};
