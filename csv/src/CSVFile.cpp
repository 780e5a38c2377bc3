#include "CSVFile.h"

#include "ColumnSummary.h"
#include "Strings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

int CCSVFile::CSVRewind()
{
    if (m_bPipe)
        return RewindPipe() ? 1 : 0;
    m_nLine = -1;
    return SeekToBegin() && GetPosition() == 0 ? 1 : 0;
}

bool CCSVFile::StartData()
{
    ++m_nBufferGeneration;
    RemoveLines();
    if (!CSVRewind())
        return false;
    if (m_bHeader) {
        CSVReadNextLine(nullptr);
        RemoveLines();
    }
    return true;
}

int CCSVFile::ReadNextLine(std::string& line)
{
    ++m_nBufferGeneration;
    return CCSVStream::ReadNextLine(line);
}

int CCSVFile::CSVReadNextLines(CCSVRange* range)
{
    if (!range)
        return m_LineBuffer.GetSize();
    ++m_nBufferGeneration;
    const auto before = [&](const CCSVLine* line) { return range->GetLinePosition(line) < 0; };
    if (m_pLine && before(m_pLine))
        m_pLine = nullptr;
    m_LineBuffer.RemoveIf(before);

    bool after = std::any_of(m_LineBuffer.begin(), m_LineBuffer.end(), [&](const auto& line) {
        return range->GetLinePosition(line.get()) == 1;
    });
    CCSVLine* line = nullptr;
    while (!after && CSVReadNextLine(&line)) {
        const int position = range->GetLinePosition(line);
        after = position == 1;
        // A line before the range would only be dropped by the next call: drop it now, so
        // that a run of such lines cannot fill the memory.
        if (position < 0) {
            m_pLine = nullptr;
            m_LineBuffer.RemoveIf([line](const CCSVLine* kept) { return kept == line; });
        }
    }
    return m_LineBuffer.GetSize();
}

int CCSVFile::CSVGetNextTime(std::int64_t& time)
{
    CCSVLine* line = nullptr;
    if (!CSVReadNextLine(&line)) {
        time = 0;
        return 0;
    }
    time = line->GetTimeStamp();
    return 1;
}

struct CCSVFile::ColumnValues
{
    int index = -1;
    CCSVRange range;
    std::uint64_t generation = 0;
    const CCSVLine* last = nullptr;
    ColumnSummary summary;
};

CCSVFile::CCSVFile() : m_pColumnValues(std::make_unique<ColumnValues>()) {}

CCSVFile::~CCSVFile() = default;

const CCSVFile::ColumnValues& CCSVFile::ValuesInRange(int index, const CCSVRange& range)
{
    ColumnValues& kept = *m_pColumnValues;
    if (kept.index == index && kept.generation == m_nBufferGeneration &&
        kept.range.m_bTimeRange == range.m_bTimeRange && kept.range.m_Begin == range.m_Begin &&
        kept.range.m_End == range.m_End)
        return kept;
    kept.index = index;
    kept.range = range;
    kept.generation = m_nBufferGeneration;
    kept.last = nullptr;
    kept.summary.Clear();
    for (const auto& line : m_LineBuffer) {
        if (!range.InRange(line.get()))
            continue;
        kept.last = line.get();
        double value = 0;
        line->GetNumber(index, value);
        kept.summary.Add(value);
    }
    return kept;
}

int CCSVFile::CSVGetField(int function, CCSVRange* range, std::string& value, int linesReady)
{
    if (!linesReady)
        CSVReadNextLines(range);
    value.clear();
    if (!range || function < -1 || function >= m_Functions.GetSize())
        return 0;

    if (function == -1) {
        const CCSVLine* last = nullptr;
        for (const auto& line : m_LineBuffer) {
            if (range->InRange(line.get()))
                last = line.get();
        }
        if (!last)
            return 0;
        value = last->GetLine();
        return 1;
    }

    const CSVFunction& selected = *m_Functions[function];
    const int index = selected.m_pColumn->m_nIndex;
    const ColumnValues& column = ValuesInRange(index, *range);
    if (!column.last)
        return 0;
    value = column.summary.Result(selected.m_nType, std::string(column.last->GetField(index)));
    return 1;
}

namespace {

// Where a line lies in the range: its key (time stamp or line number) against the bounds.
std::int64_t KeyOf(const CCSVRange& range, const CCSVLine& line)
{
    return range.m_bTimeRange ? line.GetTimeStamp() : line.m_nLine;
}

// One range's record as it is summed up, in constant memory: the numbers of each column, the
// line that dates it and the texts of its last line.
class RangeRecord
{
public:
    RangeRecord(const std::vector<int>& columns, bool timeOrder)
        : m_Columns(columns), m_Summaries(columns.size()), m_LastTexts(columns.size()),
          m_bTimeOrder(timeOrder)
    {
    }

    bool IsEmpty() const { return !m_bAny; }

    // Line ranges take the lines in the file's order: the first line with a time dates the
    // record, the last gives Last. Time ranges take them in time order: the earliest and the
    // latest.
    void Add(const CCSVLine& line)
    {
        const std::int64_t time = line.GetTimeStamp();
        if (time != 0 && (m_Time == 0 || (m_bTimeOrder && time < m_Time)))
            m_Time = time;
        const bool last = !m_bTimeOrder || !m_bAny || time >= m_LastTime;
        if (last)
            m_LastTime = time;
        m_bAny = true;
        for (std::size_t i = 0; i < m_Columns.size(); ++i) {
            double value = 0;
            line.GetNumber(m_Columns[i], value);
            m_Summaries[i].Add(value);
            if (last)
                m_LastTexts[i] = line.GetField(m_Columns[i]);
        }
    }

    // Date and time of the record, the time since start, then every function's result; a
    // record without any time has empty date, time and time stamp.
    void Write(const CPointerArray<CSVFunction>& functions, std::int64_t start, std::ostream& out,
               std::ostream& err)
    {
        if (m_Time != 0) {
            const std::string date = ExportDate(m_Time);
            const std::string clock = ExportTime(m_Time);
            err << date << " / " << clock << "\n";
            out << date << ";" << clock << ";" << (m_Time - start);
        } else {
            out << ";;";
        }
        for (const auto& function : functions) {
            const auto column = static_cast<std::size_t>(
                std::find(m_Columns.begin(), m_Columns.end(), function->m_pColumn->m_nIndex) -
                m_Columns.begin());
            out << ";" << m_Summaries[column].Result(function->m_nType, m_LastTexts[column]);
        }
        out << "\n";
        for (ColumnSummary& summary : m_Summaries)
            summary.Clear();
        m_Time = 0;
        m_LastTime = 0;
        m_bAny = false;
    }

private:
    const std::vector<int>& m_Columns;
    std::vector<ColumnSummary> m_Summaries;
    std::vector<std::string> m_LastTexts;
    bool m_bTimeOrder;
    bool m_bAny = false;
    std::int64_t m_Time = 0;
    std::int64_t m_LastTime = 0;
};

// Switches a stream to keeping its current line alone while it lives.
class CurrentLineOnly
{
public:
    explicit CurrentLineOnly(CCSVStream& stream) : m_Stream(stream), m_bKept(stream.m_bKeepLines)
    {
        m_Stream.m_bKeepLines = 0;
    }
    ~CurrentLineOnly() { m_Stream.m_bKeepLines = m_bKept; }
    CurrentLineOnly(const CurrentLineOnly&) = delete;
    CurrentLineOnly& operator=(const CurrentLineOnly&) = delete;

private:
    CCSVStream& m_Stream;
    int m_bKept;
};

} // namespace

void CCSVFile::MoveRangeTo(const CCSVLine& line)
{
    // Floored, so that a line before the range finds the range of the same grid that holds it;
    // wide, so that no range length overflows.
    __extension__ using Wide = __int128;
    const Wide offset = Wide{KeyOf(m_Range, line)} - m_Range.m_Begin;
    const Wide skip = offset / m_Range.m_Count - (offset % m_Range.m_Count < 0 ? 1 : 0);
    const auto begin = static_cast<std::int64_t>(
        std::clamp<Wide>(m_Range.m_Begin + skip * m_Range.m_Count, INT64_MIN, INT64_MAX));
    if (m_Range.m_bTimeRange)
        m_Range.SetTimeDiff(begin, m_Range.m_Count);
    else
        m_Range.SetLineDiff(begin, m_Range.m_Count);
}

int CCSVFile::CSVSummarize(int byLines, std::int64_t length, std::ostream& out, std::ostream& err)
{
    err << "Parameters:\n" << GetParams() << "\n\n";
    if (m_Functions.IsEmpty())
        return 0;
    out << "Date;Time;Timestamp" << GetHeader(0, 1) << "\n";
    // The ranges are summed up while the lines are read; no line is kept but the current one.
    const CurrentLineOnly current(*this);
    if (!StartData()) {
        err << "Error: the input cannot be read again from its start\n";
        return 0;
    }
    if (byLines)
        m_Range.SetLineDiff(m_bHeader ? 1 : 0, length);

    std::vector<int> columns;
    for (const auto& function : m_Functions) {
        if (std::find(columns.begin(), columns.end(), function->m_pColumn->m_nIndex) ==
            columns.end())
            columns.push_back(function->m_pColumn->m_nIndex);
    }
    RangeRecord record(columns, !byLines);
    // The first line with a time starts the time ranges and counts the time stamps.
    std::int64_t start = 0;
    CCSVLine* line = nullptr;
    while (CSVReadNextLine(&line)) {
        const std::int64_t time = line->GetTimeStamp();
        if (start == 0 && time != 0) {
            start = time;
            if (!byLines)
                m_Range.SetTimeDiff(start, length);
        }
        // Lines without a time have no place among time ranges.
        if (!byLines && time == 0)
            continue;
        if (!m_Range.InRange(line)) {
            // The line lies after the range, or, where the times step back, before it: the
            // range is done, and the line starts the range of the same grid that holds it.
            if (!record.IsEmpty())
                record.Write(m_Functions, start, out, err);
            MoveRangeTo(*line);
        }
        record.Add(*line);
    }
    if (!record.IsEmpty())
        record.Write(m_Functions, start, out, err);
    RemoveLines();
    return 1;
}
