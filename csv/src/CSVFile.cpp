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

namespace {

const std::string& FieldOf(const CCSVLine& line, int index)
{
    static const std::string empty;
    const int count = line.GetColumnCount();
    if (count == 0)
        return empty;
    return line.m_Fields[static_cast<std::size_t>(std::clamp(index, 0, count - 1))];
}

} // namespace

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
        kept.summary.Add(line->AtoV(FieldOf(*line, index).c_str()));
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
    value = column.summary.Result(selected.m_nType, FieldOf(*column.last, index));
    return 1;
}

namespace {

// The key of the range kind: time stamp or line number.
std::int64_t KeyOf(const CCSVRange& range, const CCSVLine& line)
{
    return range.m_bTimeRange ? line.GetTimeStamp() : line.m_nLine;
}

} // namespace

void CCSVFile::DropLine(const CCSVLine* line)
{
    ++m_nBufferGeneration;
    if (m_pLine == line)
        m_pLine = nullptr;
    m_LineBuffer.RemoveIf([line](const CCSVLine* kept) { return kept == line; });
}

void CCSVFile::MoveRangeTo(const CCSVLine& line)
{
    const std::int64_t skip = (KeyOf(m_Range, line) - m_Range.m_Begin) / m_Range.m_Count;
    const std::int64_t begin = m_Range.m_Begin + skip * m_Range.m_Count;
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
    if (!StartData()) {
        err << "Error: the input cannot be read again from its start\n";
        return 0;
    }
    std::int64_t start = 0;
    CSVGetNextTime(start);
    // Time ranges start at the first line with a time: lines without one (an undeclared
    // header, say) would otherwise start them in 1970.
    while (!byLines && start == 0 && m_pLine) {
        DropLine(m_pLine);
        CSVGetNextTime(start);
    }
    if (byLines)
        m_Range.SetLineDiff(m_bHeader ? 1 : 0, length);
    else
        m_Range.SetTimeDiff(start, length);

    // The ranges are summed up while the lines are read, so that only the earliest and the
    // latest line of a range stay in the buffer, however long the range.
    std::vector<int> columns;
    for (const auto& function : m_Functions) {
        if (std::find(columns.begin(), columns.end(), function->m_pColumn->m_nIndex) ==
            columns.end())
            columns.push_back(function->m_pColumn->m_nIndex);
    }
    std::vector<ColumnSummary> summaries(columns.size());
    const CCSVLine* first = nullptr;
    const CCSVLine* last = nullptr;
    const auto writeRange = [&] {
        const std::int64_t time = first->GetTimeStamp();
        const std::string date = ExportDate(time);
        const std::string clock = ExportTime(time);
        err << date << " / " << clock << "\n";
        out << date << ";" << clock << ";" << (time - start);
        for (const auto& function : m_Functions) {
            const int index = function->m_pColumn->m_nIndex;
            const auto column = std::find(columns.begin(), columns.end(), index) - columns.begin();
            out << ";"
                << summaries[static_cast<std::size_t>(column)].Result(function->m_nType,
                                                                      FieldOf(*last, index));
        }
        out << "\n";
        for (ColumnSummary& summary : summaries)
            summary.Clear();
        first = last = nullptr;
    };

    CCSVLine* line = m_pLine;
    for (bool more = line != nullptr; more; more = CSVReadNextLine(&line)) {
        int position = m_Range.GetLinePosition(line);
        if (position > 0 && first) {
            const CCSVLine* earliest = first;
            const CCSVLine* latest = last;
            writeRange();
            DropLine(earliest);
            DropLine(latest);
            m_Range.NextRange();
            position = m_Range.GetLinePosition(line);
        }
        if (position > 0) {
            // An empty range: go straight to the one that holds the line, so that a gap in
            // the times costs no time.
            MoveRangeTo(*line);
            position = 0;
        }
        if (position < 0) {
            DropLine(line);
            continue;
        }
        for (std::size_t i = 0; i < columns.size(); ++i)
            summaries[i].Add(line->AtoV(FieldOf(*line, columns[i]).c_str()));
        // The buffer keeps its lines in time order: its first line in the range is the
        // earliest, its last the latest, and lines of equal time keep their order.
        if (!first || line->GetTimeStamp() < first->GetTimeStamp())
            first = line;
        if (!last || line->GetTimeStamp() >= last->GetTimeStamp())
            last = line;
        if (line != first && line != last)
            m_pLine = nullptr;
        m_LineBuffer.RemoveIf([&](const CCSVLine* kept) { return kept != first && kept != last; });
    }
    if (first)
        writeRange();
    return 1;
}
