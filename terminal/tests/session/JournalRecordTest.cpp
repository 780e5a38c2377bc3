#include "JournalRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::int64_t, std::string>>;

// Entries of the kinds a Log lists: measurement lines, with and without time, an empty line,
// device bytes beyond ASCII, and a long tail.
const Entries kEntries = {
    {1700000000000, "D+0012.345"},
    {1700000000010, "14:03:07:042>> D+0012.346 01500 +29.9"},
    {1700000000020, ""},
    {-5, std::string("B\xC2\x45\x52\0x", 6)},
    {1700000000030, std::string(4096, 'x')},
    {1700000000040, "ID 12345"},
};

struct CFile
{
    std::string bytes;
    std::vector<std::size_t> ends; // where each record ends
};

CFile Write(const Entries& entries)
{
    CFile file{std::string(JournalRecord::kMagic), {}};
    for (const auto& [time, text] : entries) {
        // Written in two pieces, as a time prefix and a line.
        const std::size_t half = text.size() / 2;
        JournalRecord::Append(file.bytes, time, std::string_view(text).substr(0, half),
                              std::string_view(text).substr(half));
        file.ends.push_back(file.bytes.size());
    }
    return file;
}

Entries Read(std::string_view bytes, JournalRecord::CScan& scan)
{
    Entries read;
    scan = JournalRecord::Scan(bytes, [&](std::int64_t time, std::string_view entry) {
        read.emplace_back(time, std::string(entry));
    });
    return read;
}

} // namespace

TEST(JournalRecord, CutAtEveryByteReadsTheRecordsBeforeTheCut)
{
    const CFile file = Write(kEntries);
    for (std::size_t cut = 0; cut <= file.bytes.size(); ++cut) {
        std::size_t whole = 0;
        while (whole < file.ends.size() && file.ends[whole] <= cut)
            ++whole;
        JournalRecord::CScan scan;
        const Entries read = Read(std::string_view(file.bytes).substr(0, cut), scan);
        ASSERT_EQ(read, Entries(kEntries.begin(), kEntries.begin() + static_cast<long>(whole)))
            << "cut at " << cut;
        EXPECT_EQ(scan.records, whole);
        const bool atBoundary =
            cut == JournalRecord::kMagic.size() || (whole > 0 && file.ends[whole - 1] == cut);
        EXPECT_EQ(scan.complete, atBoundary) << "cut at " << cut;
    }
}

TEST(JournalRecord, DamageAnywhereStopsAtTheDamagedRecord)
{
    const CFile file = Write(kEntries);
    for (std::size_t at = 0; at < file.bytes.size(); ++at) {
        std::string damaged = file.bytes;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x20);
        std::size_t before = 0;
        while (before < file.ends.size() && file.ends[before] <= at)
            ++before;
        if (at < JournalRecord::kMagic.size())
            before = 0;
        JournalRecord::CScan scan;
        const Entries read = Read(damaged, scan);
        ASSERT_EQ(read, Entries(kEntries.begin(), kEntries.begin() + static_cast<long>(before)))
            << "damage at " << at;
        EXPECT_FALSE(scan.complete);
    }
}
