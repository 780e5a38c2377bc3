#include "QuorinListingParser.h"

#include "DecimalText.h"
#include "ListingText.h"
#include "TerminalState.h"

#include <algorithm>

namespace {

// Walks the listing into the record and the output format; false when the walk was incomplete.
bool ReadListing(const std::string& text, CQuorinParameters& record, std::string& format)
{
    CListingText listing(text);
    const auto at = [&listing](long skip) { listing.DropPast(']', skip); };
    const auto intUpTo = [&listing](char end) { return ReadDecimalInt(listing.UpTo(end)); };
    const auto realUpTo = [&listing](char end) { return ReadDecimalReal(listing.UpTo(end)); };
    const auto pastBlank = [&listing] { listing.DropPast(' ', 1); };

    at(18);
    record.SA = intUpTo('d');
    at(17);
    format = listing.First(1);
    if (format == "d" || format == "h")
        record.SD = format == "h" ? 1 : 0;
    at(19);
    record.ST = intUpTo('s');
    at(19);
    record.SF = realUpTo('e');
    at(21);
    record.SE = intUpTo('A');
    at(19);
    record.AC = realUpTo('A');
    at(16);
    record.AH = realUpTo('A');
    at(20);
    record.AW = realUpTo('d');
    at(10);
    record.RB = realUpTo('d');
    at(9);
    record.RE = realUpTo('r');
    at(12);
    record.RMx = intUpTo(' ');
    pastBlank();
    record.RMy = intUpTo(' ');
    pastBlank();
    record.RMz = intUpTo('t');
    listing.DropPast('t', 0);
    at(3);
    record.TDx = intUpTo(' ');
    pastBlank();
    record.TDy = intUpTo('t');
    at(4);
    record.TMx = TruncateToInt(realUpTo(' '));
    pastBlank();
    record.TMy = intUpTo('b');
    at(22);
    record.BR = intUpTo('a');
    at(14);
    // The autostart command stands four characters before the listing's next "a" at the latest.
    record.AS = listing.First(std::min(2L, listing.Anchor('a') - 4));
    at(16);
    record.OF = realUpTo('\r');
    return listing.Complete();
}

} // namespace

bool ParseQuorinListing(const std::string& text, CQuorinParameters& record)
{
    // A listing cut short or of another shape changes nothing: it is walked on a copy first.
    CSharedParameters shared;
    CQuorinParameters trial(shared);
    std::string format;
    if (!ReadListing(text, trial, format))
        return false;
    ReadListing(text, record, g_strQuorinFormat);
    return true;
}
