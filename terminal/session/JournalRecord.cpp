#include "JournalRecord.h"

#include <zlib.h>

namespace {

constexpr std::size_t kTimeSize = 8;

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetLittleEndian(std::string_view bytes, std::size_t at, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::uint32_t Checksum(std::string_view bytes, std::uint32_t crc = 0)
{
    return static_cast<std::uint32_t>(
        crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

} // namespace

namespace JournalRecord {

void Append(std::string& out, std::int64_t timeMs, std::string_view head, std::string_view tail)
{
    const std::size_t start = out.size();
    PutLittleEndian(out, 0, 4); // the checksum, once the rest is there
    PutLittleEndian(out, kTimeSize + head.size() + tail.size(), 4);
    PutLittleEndian(out, static_cast<std::uint64_t>(timeMs), kTimeSize);
    out.append(head);
    out.append(tail);
    const std::uint32_t crc = Checksum(std::string_view(out).substr(start + 4));
    for (int i = 0; i < 4; ++i)
        out[start + static_cast<std::size_t>(i)] = static_cast<char>((crc >> (8 * i)) & 0xFF);
}

std::size_t RecordSize(std::string_view bytes)
{
    if (bytes.size() < kHeaderSize)
        return 0;
    return kHeaderSize + static_cast<std::size_t>(GetLittleEndian(bytes, 4, 4));
}

CScan Scan(std::string_view file, const EntryHandler& entry)
{
    CScan scan;
    if (file.substr(0, kMagic.size()) != kMagic) {
        scan.complete = false;
        return scan;
    }
    std::string_view rest = file.substr(kMagic.size());
    while (!rest.empty()) {
        const std::size_t size = RecordSize(rest);
        const std::size_t length = size - kHeaderSize;
        if (size == 0 || length < kTimeSize || length > kTimeSize + kLongestEntry ||
            size > rest.size() ||
            Checksum(rest.substr(4, size - 4)) != GetLittleEndian(rest, 0, 4)) {
            scan.complete = false;
            break;
        }
        entry(static_cast<std::int64_t>(GetLittleEndian(rest, kHeaderSize, kTimeSize)),
              rest.substr(kHeaderSize + kTimeSize, length - kTimeSize));
        ++scan.records;
        rest.remove_prefix(size);
    }
    return scan;
}

} // namespace JournalRecord
