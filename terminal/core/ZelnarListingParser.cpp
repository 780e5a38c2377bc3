#include "ZelnarListingParser.h"

#include "DecimalText.h"
#include "ListingText.h"

namespace {

// Walks the listing into the record; false when the walk was incomplete.
bool ReadListing(const std::string& text, CZelnarParameters& record)
{
    CListingText listing(text);
    const auto at = [&listing](char anchor, long skip) { listing.DropPast(anchor, skip); };
    const auto intUpTo = [&listing](char end) { return ReadDecimalInt(listing.UpTo(end)); };
    const auto realUpTo = [&listing](char end) { return ReadDecimalReal(listing.UpTo(end)); };
    const auto intOf = [&listing](long count) { return ReadDecimalInt(listing.First(count)); };

    at('M', 15);
    record.MF = intUpTo('(');
    at('T', 8);
    // Some listings fill the trigger delay's label with dots.
    if (listing.StartsWith('.'))
        listing.Drop(5);
    record.TDx = realUpTo('m');
    at('c', 2);
    record.TDy = intOf(1);
    at(' ', 1);
    record.TDz = intOf(1);
    at(']', 17);
    record.SA = intUpTo('s');
    at(']', 18);
    record.SF = realUpTo('m');
    at(']', 16);
    record.MWx = realUpTo(' ');
    at(' ', 0);
    record.MWy = realUpTo('d');
    at(']', 15);
    record.OF = realUpTo('e');
    at(']', 20);
    record.SE = intUpTo('d');
    at(']', 19);
    record.Q1w = realUpTo(' ');
    at(' ', 1);
    record.Q1x = realUpTo(' ');
    at(' ', 1);
    record.Q1y = realUpTo(' ');
    at(' ', 1);
    record.Q1z = intUpTo('d');
    at(']', 19);
    record.Q2w = realUpTo(' ');
    at(' ', 1);
    record.Q2x = realUpTo(' ');
    at(' ', 1);
    record.Q2y = realUpTo(' ');
    at(' ', 1);
    record.Q2z = intUpTo('d');
    at(']', 20);
    record.QAx = realUpTo(' ');
    at(' ', 1);
    record.QAy = realUpTo('R');
    at(']', 11);
    record.BR = intUpTo('R');
    at('(', 1);
    record.SDx = intUpTo(')');
    at('(', 1);
    record.SDy = intUpTo(')');
    // The SD line's third value is not kept.
    at('(', 1);
    at('(', 1);
    record.SC = intUpTo(')');
    at(']', 18);
    record.PL = intOf(1);
    at(']', 13);
    record.AS = listing.First(2);
    return listing.Complete();
}

} // namespace

bool ParseZelnarListing(const std::string& text, CZelnarParameters& record)
{
    // A listing cut short or of another shape changes nothing: it is walked on a copy first.
    CSharedParameters shared;
    CZelnarParameters trial(shared);
    if (!ReadListing(text, trial))
        return false;
    ReadListing(text, record);
    return true;
}
