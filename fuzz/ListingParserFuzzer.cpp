// The text of a Classic page after PA, read as a parameter listing of either family. Byte 1
// chooses the family; the rest is the listing. A text that is no whole listing changes nothing.

#include "FuzzInput.h"
#include "QuorinListingParser.h"
#include "ZelnarListingParser.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const bool quorin = input.Byte() & 1;
    const std::string text(input.Rest());
    CSharedParameters shared;
    shared.SA = -7;
    if (quorin) {
        CQuorinParameters record(shared);
        record.AS = "unread";
        const bool read = ParseQuorinListing(text, record);
        FUZZ_CHECK(read ? record.AS.size() <= 2 : record.AS == "unread" && record.SA == -7);
    } else {
        CZelnarParameters record(shared);
        record.AS = "unread";
        const bool read = ParseZelnarListing(text, record);
        FUZZ_CHECK(read ? record.AS.size() <= 2 : record.AS == "unread" && record.SA == -7);
    }
    return 0;
}
