#pragma once

#include <string>
#include <string_view>

// The working text of a parameter-listing parse. The parse walks the device's listing by
// anchor characters: it finds one, drops the text up to it plus a skip, and takes a value from
// the new start. A missing anchor counts as position -1, so a listing that lacks one still
// moves on by the skip less one, and a drop beyond the end leaves nothing. A walk that missed
// an anchor, the end of a value or characters of a value read no listing: it is incomplete.
class CListingText
{
public:
    explicit CListingText(std::string_view text) : m_text(text) {}

    // Position of the first c, or -1.
    long Find(char c) const;
    // Position of the first anchor, or -1 and the walk is incomplete.
    long Anchor(char anchor);
    // Drops the text up to the anchor's position plus skip.
    void DropPast(char anchor, long skip) { Drop(Anchor(anchor) + skip); }
    // Drops the first count characters; nothing when count is negative.
    void Drop(long count);
    // The text up to, not including, the first end; empty, and incomplete, when end does not
    // occur.
    std::string UpTo(char end);
    // The first count characters; fewer at the end of the text make the walk incomplete.
    std::string First(long count);
    bool StartsWith(char c) const { return !m_text.empty() && m_text.front() == c; }
    bool Complete() const { return m_bComplete; }

private:
    std::string_view m_text;
    bool m_bComplete = true;
};
