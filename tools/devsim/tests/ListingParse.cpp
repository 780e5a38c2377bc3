#include "ListingParse.h"

#include <cstdlib>

namespace {

// The working text of the parse: anchors are searched from its start, drops shorten it.
class CWorkingText
{
public:
    explicit CWorkingText(std::string text) : m_text(std::move(text)) {}

    long Find(char c) const
    {
        const auto position = m_text.find(c);
        return position == std::string::npos ? -1 : static_cast<long>(position);
    }
    // A negative count drops nothing, one beyond the end everything.
    void Drop(long count)
    {
        if (count > 0)
            m_text.erase(0, std::min<std::size_t>(static_cast<std::size_t>(count), m_text.size()));
    }
    void DropAt(char anchor, long skip) { Drop(Find(anchor) + skip); }
    std::string UpTo(char end) const
    {
        const long position = Find(end);
        return position < 0 ? std::string() : m_text.substr(0, static_cast<std::size_t>(position));
    }
    std::string Take(std::size_t count) const { return m_text.substr(0, count); }

private:
    std::string m_text;
};

int Integer(const std::string& value)
{
    return static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
}

double Real(const std::string& value)
{
    return std::strtod(value.c_str(), nullptr);
}

} // namespace

CZelnarParameterSet ParseZelnarListing(const std::string& listing)
{
    CWorkingText t(listing);
    CZelnarParameterSet p;
    t.DropAt('M', 15);
    p.MF = Integer(t.UpTo('('));
    t.DropAt('T', 8);
    if (t.Take(1) == ".")
        t.Drop(5);
    p.TDx = Real(t.UpTo('m'));
    t.DropAt('c', 2);
    p.TDy = Integer(t.Take(1));
    t.DropAt(' ', 1);
    p.TDz = Integer(t.Take(1));
    t.DropAt(']', 17);
    p.SA = Integer(t.UpTo('s'));
    t.DropAt(']', 18);
    p.SF = Real(t.UpTo('m'));
    t.DropAt(']', 16);
    p.MWx = Real(t.UpTo(' '));
    t.DropAt(' ', 0);
    p.MWy = Real(t.UpTo('d'));
    t.DropAt(']', 15);
    p.OF = Real(t.UpTo('e'));
    t.DropAt(']', 20);
    p.SE = Integer(t.UpTo('d'));
    for (auto [w, x, y, z] :
         {std::tie(p.Q1w, p.Q1x, p.Q1y, p.Q1z), std::tie(p.Q2w, p.Q2x, p.Q2y, p.Q2z)}) {
        t.DropAt(']', 19);
        w = Real(t.UpTo(' '));
        t.DropAt(' ', 1);
        x = Real(t.UpTo(' '));
        t.DropAt(' ', 1);
        y = Real(t.UpTo(' '));
        t.DropAt(' ', 1);
        z = Integer(t.UpTo('d'));
    }
    t.DropAt(']', 20);
    p.QAx = Real(t.UpTo(' '));
    t.DropAt(' ', 1);
    p.QAy = Real(t.UpTo('R'));
    t.DropAt(']', 11);
    p.BR = Integer(t.UpTo('R'));
    t.DropAt('(', 1);
    p.SDx = Integer(t.UpTo(')'));
    t.DropAt('(', 1);
    p.SDy = Integer(t.UpTo(')'));
    t.DropAt('(', 1); // a further value of the SD line, not kept
    t.DropAt('(', 1);
    p.SC = Integer(t.UpTo(')'));
    t.DropAt(']', 18);
    p.PL = Integer(t.Take(1));
    t.DropAt(']', 13);
    p.AS = t.Take(2);
    return p;
}

CQuorinParameterSet ParseQuorinListing(const std::string& listing)
{
    CWorkingText t(listing);
    CQuorinParameterSet p;
    const auto dropThrough = [&t](char c) { t.Drop(t.Find(c) + 1); };
    t.DropAt(']', 18);
    p.SA = Integer(t.UpTo('d'));
    t.DropAt(']', 17);
    p.SD = t.Take(1);
    t.DropAt(']', 19);
    p.ST = Integer(t.UpTo('s'));
    t.DropAt(']', 19);
    p.SF = Real(t.UpTo('e'));
    t.DropAt(']', 21);
    p.SE = Integer(t.UpTo('A'));
    t.DropAt(']', 19);
    p.AC = Real(t.UpTo('A'));
    t.DropAt(']', 16);
    p.AH = Real(t.UpTo('A'));
    t.DropAt(']', 20);
    p.AW = Real(t.UpTo('d'));
    t.DropAt(']', 10);
    p.RB = Real(t.UpTo('d'));
    t.DropAt(']', 9);
    p.RE = Real(t.UpTo('r'));
    t.DropAt(']', 12);
    p.RMx = Integer(t.UpTo(' '));
    dropThrough(' ');
    p.RMy = Integer(t.UpTo(' '));
    dropThrough(' ');
    p.RMz = Integer(t.UpTo('t'));
    t.Drop(t.Find('t'));
    t.DropAt(']', 3);
    p.TDx = Integer(t.UpTo(' '));
    dropThrough(' ');
    p.TDy = Integer(t.UpTo('t'));
    t.DropAt(']', 4);
    p.TMx = static_cast<int>(Real(t.UpTo(' ')));
    dropThrough(' ');
    p.TMy = Integer(t.UpTo('b'));
    t.DropAt(']', 22);
    p.BR = Integer(t.UpTo('a'));
    t.DropAt(']', 14);
    const long a = t.Find('a');
    p.AS = a < 4 ? std::string() : t.Take(static_cast<std::size_t>(a - 4)).substr(0, 2);
    t.DropAt(']', 16);
    p.OF = Real(t.UpTo('\r'));
    return p;
}
