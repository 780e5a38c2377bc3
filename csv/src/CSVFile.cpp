#include "CSVFile.h"

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

std::string NumberText(double value)
{
    std::string text = FormatString("%e", value);
    ReplaceAll(text, ".", ",");
    return text;
}

} // namespace

const CCSVFile::ColumnValues& CCSVFile::ValuesInRange(int index, const CCSVRange& range)
{
    ColumnValues& kept = m_ColumnValues;
    if (kept.index == index && kept.generation == m_nBufferGeneration &&
        kept.range.m_bTimeRange == range.m_bTimeRange && kept.range.m_Begin == range.m_Begin &&
        kept.range.m_End == range.m_End)
        return kept;
    kept.index = index;
    kept.range = range;
    kept.generation = m_nBufferGeneration;
    kept.last = nullptr;
    kept.values.clear();
    for (const auto& line : m_LineBuffer) {
        if (!range.InRange(line.get()))
            continue;
        kept.last = line.get();
        kept.values.push_back(line->AtoV(FieldOf(*line, index).c_str()));
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
    const std::vector<double>& values = column.values;
    const auto count = static_cast<double>(values.size());
    double sum = 0;
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();
    for (const double v : values) {
        sum += v;
        minimum = std::min(minimum, v);
        maximum = std::max(maximum, v);
    }

    switch (selected.m_nType) {
    case CSVFunctionAverage:
        value = NumberText(sum / count);
        break;
    case CSVFunctionMinimum:
        value = NumberText(minimum);
        break;
    case CSVFunctionMaximum:
        value = NumberText(maximum);
        break;
    case CSVFunctionSum:
        value = NumberText(sum);
        break;
    case CSVFunctionStddev: {
        // Population standard deviation: the root of the mean square deviation.
        const double mean = sum / count;
        double squares = 0;
        for (const double v : values)
            squares += (v - mean) * (v - mean);
        value = NumberText(std::sqrt(squares / count));
        break;
    }
    case CSVFunctionCount:
        value = NumberText(count);
        break;
    default:
        value = FieldOf(*column.last, index);
        break;
    }
    return 1;
}

namespace {

// The key of the range kind: time stamp or line number.
std::int64_t KeyOf(const CCSVRange& range, const CCSVLine& line)
{
    return range.m_bTimeRange ? line.GetTimeStamp() : line.m_nLine;
}

} // namespace

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
        CCSVLine* undated = m_pLine;
        m_pLine = nullptr;
        m_LineBuffer.RemoveIf([undated](const CCSVLine* line) { return line == undated; });
        CSVGetNextTime(start);
    }
    if (byLines)
        m_Range.SetLineDiff(m_bHeader ? 1 : 0, length);
    else
        m_Range.SetTimeDiff(start, length);

    std::string value;
    while (CSVReadNextLines(&m_Range) > 0) {
        const CCSVLine* first = nullptr;
        const CCSVLine* next = nullptr;
        for (const auto& line : m_LineBuffer) {
            const int position = m_Range.GetLinePosition(line.get());
            if (position == 0 && !first)
                first = line.get();
            if (position == 1 && (!next || KeyOf(m_Range, *line) < KeyOf(m_Range, *next)))
                next = line.get();
        }
        if (!first) {
            if (!next)
                break;
            // An empty range: go straight to the range that holds the next line, so a gap
            // in the times costs no time.
            const std::int64_t skip = (KeyOf(m_Range, *next) - m_Range.m_Begin) / m_Range.m_Count;
            const std::int64_t begin = m_Range.m_Begin + skip * m_Range.m_Count;
            if (m_Range.m_bTimeRange)
                m_Range.SetTimeDiff(begin, m_Range.m_Count);
            else
                m_Range.SetLineDiff(begin, m_Range.m_Count);
            continue;
        }
        const std::int64_t time = first->GetTimeStamp();
        const std::string date = ExportDate(time);
        const std::string clock = ExportTime(time);
        err << date << " / " << clock << "\n";
        out << date << ";" << clock << ";" << (time - start);
        for (int i = 0; i < m_Functions.GetSize(); ++i) {
            CSVGetField(i, &m_Range, value, 1);
            out << ";" << value;
        }
        out << "\n";
        m_Range.NextRange();
    }
    return 1;
}
