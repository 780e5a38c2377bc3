// The text of a Classic page after PA, read as a parameter listing of either family. Byte 1
// chooses the family; the rest is the listing.

#include "FuzzInput.h"
#include "QuorinListingParser.h"
#include "ZelnarListingParser.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const bool quorin = input.Byte() & 1;
    const std::string text(input.Rest());
    if (quorin) {
        CQuorinParameters record;
        ParseQuorinListing(text, record);
        FUZZ_CHECK(record.AS.size() <= 2);
    } else {
        CZelnarParameters record;
        ParseZelnarListing(text, record);
        FUZZ_CHECK(record.AS.size() <= 2);
    }
    return 0;
}
