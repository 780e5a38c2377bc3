#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The bytes of a journal file: the magic text, then one record per Log entry:
//   checksum (4 bytes) | length (4 bytes) | time (8 bytes) | entry (length - 8 bytes)
// Numbers are little-endian; the time is in milliseconds since 1970-01-01 00:00:00 UTC; the
// checksum is the CRC-32 of length, time and entry. A file cut anywhere, or damaged anywhere,
// reads as the records before the cut or the damage.
namespace JournalRecord {

inline constexpr std::string_view kMagic = "TLVJRNL1";
inline constexpr std::size_t kHeaderSize = 8; // checksum and length
inline constexpr std::size_t kLongestEntry = std::size_t{1} << 20;

using EntryHandler = std::function<void(std::int64_t timeMs, std::string_view entry)>;

// Appends the record of the entry made of head followed by tail.
void Append(std::string& out, std::int64_t timeMs, std::string_view head, std::string_view tail);

// The size of the record at the start of bytes, read from its length field; 0 when bytes are
// too short to tell.
std::size_t RecordSize(std::string_view bytes);

// Reads the records of a file's bytes in order, up to the first one that is cut short or
// damaged, and calls entry for each. Returns the number of records read; complete is false
// when something followed them that is no record (a cut or damage), or the magic is missing.
struct CScan
{
    std::uint64_t records = 0;
    bool complete = true;
};
CScan Scan(std::string_view file, const EntryHandler& entry);

} // namespace JournalRecord
