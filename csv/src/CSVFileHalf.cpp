#include "CSVFileHalf.h"

#include "CSVFields.h"
#include "CSVStream.h"

#include <algorithm>
#include <string>

#include <sys/stat.h>

namespace {

// On a thread of its own; where no thread can be made, on the waiting one when it waits, which
// is reading in order (libstdc++ defers only then).
constexpr auto Beside = std::launch::async | std::launch::deferred;

// Room made ahead for the lines of the second half, at most, as the table makes for a file.
constexpr std::int64_t MaxLinesReserved = std::int64_t{1} << 20;

// The range of the lines before, widened by the range of the lines after; when the table had
// no line before, the range of the lines after alone, as reading in order restarts it there.
void JoinRange(CCSVAxis& range, const CCSVAxis& after, bool first)
{
    if (first) {
        range.m_bEmpty = after.m_bEmpty;
        range.m_Min = after.m_Min;
        range.m_Max = after.m_Max;
        return;
    }
    if (after.m_bEmpty)
        return;
    range.Merge(after, range.m_bEmpty);
    range.m_bEmpty = false;
}

void Append(std::vector<double>& values, const std::vector<double>& after)
{
    values.insert(values.end(), after.begin(), after.end());
}

} // namespace

bool CSVFileHalf::Start(CCSVStream& stream, const CCSVTable& table)
{
    struct stat info
    {
    };
    if (stream.m_bPipe || stream.m_bKeepNewline || stream.IsFileUnicodeText() ||
        !stream.m_pStream || ::fstat(::fileno(stream.m_pStream), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return false;
    const std::int64_t begin = stream.GetPosition();
    const std::int64_t end = info.st_size;
    if (begin < 0 || end - begin < MinimumLength)
        return false;
    // A reader of its own on the same file, even if its name now names another.
    m_Reader.m_bFormatName = 0;
    if (!m_Reader.OpenStream("/proc/self/fd/" + std::to_string(::fileno(stream.m_pStream)),
                             nullptr) ||
        m_Reader.IsFileUnicodeText() || !m_Reader.Seek(begin + (end - begin) / 2))
        return false;
    // The second half begins with the line after the one the middle falls into.
    std::string_view line;
    if (!m_Reader.ReadNextLineView(line))
        return false;
    const std::int64_t split = m_Reader.GetPosition();
    if (split <= begin || split >= end)
        return false;
    m_Reader.m_nLine = -1;

    for (const auto& column : table) {
        auto* half = new CCSVColumn;
        half->m_pFormat = column->m_pFormat;
        m_Table.Add(half);
    }
    const auto room = static_cast<std::size_t>(
        std::min((end - split) / static_cast<std::int64_t>(line.size() + 1), MaxLinesReserved));
    m_Table.m_XValues.reserve(room);
    for (const auto& column : m_Table)
        column->m_Values.reserve(room);

    stream.SetReadEnd(split);
    m_Done = std::async(Beside, [this, &stream] { Read(stream); });
    return true;
}

void CSVFileHalf::Read(const CCSVStream& stream)
{
    CSVFields fields;
    std::string_view text;
    while (m_Reader.ReadNextLineView(text)) {
        fields.Split(text, stream.m_strSeparator);
        m_Table.TakeLine(stream, CSVFieldsLine(fields, stream.m_strDecimal.c_str(), 0));
    }
    m_strLast.assign(text);
}

bool CSVFileHalf::Join(CCSVStream& stream, CCSVTable& table, std::string_view& last)
{
    m_Done.get();
    stream.SetReadEnd(-1);
    stream.Seek(m_Reader.GetPosition());
    // The reader's line number counts its lines, with the one read past the end.
    const int lines = m_Reader.m_nLine;
    stream.m_nLine += lines;
    if (!m_Table.m_XValues.empty()) {
        const bool first = table.GetLineCount() == 0;
        // Filling fresh pages takes its time: the X values are copied beside the columns.
        auto xValues = std::async(Beside, [&] { Append(table.m_XValues, m_Table.m_XValues); });
        JoinRange(table.m_XAxis, m_Table.m_XAxis, first);
        for (int i = 0; i < table.GetSize(); ++i) {
            Append(table[i]->m_Values, m_Table[i]->m_Values);
            JoinRange(*table[i], *m_Table[i], first);
        }
        JoinRange(table.m_ValueAxis, m_Table.m_ValueAxis, first);
        xValues.get();
    }
    if (lines <= 0)
        return false;
    last = m_strLast;
    return true;
}
