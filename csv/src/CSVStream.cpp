#include "CSVStream.h"

#include "CSVFields.h"
#include "CSVFileHalf.h"
#include "DateTimeText.h"
#include "LocalTime.h"
#include "Strings.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>

const char* const CSVFunctionNames[7] = {"Last", "Average", "Minimum", "Maximum",
                                         "Sum",  "Stddev",  "Count"};
const char CSVFunctionLetters[8] = "LANXSDC";

namespace {

// Column numbers above this are taken for mistakes rather than columns to make.
constexpr long MaxColumnNumber = 100000;

int FunctionTypeOf(char letter)
{
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (int type = CSVFunctionAverage; type <= CSVFunctionCount; ++type) {
        if (CSVFunctionLetters[type] == upper)
            return type;
    }
    return CSVFunctionLast;
}

} // namespace

CCSVStream::~CCSVStream() = default;

int CCSVStream::OpenStream(const std::string& fileSpec, const std::string& separator,
                           const std::string& decimalPoint, CTextStreamProcessor* processor)
{
    const std::size_t comma = fileSpec.find(',');
    m_bHeader = 0;
    m_bAllColumns = 0;
    m_strSeparator = separator;
    m_strDecimal = decimalPoint;
    m_pLine = nullptr;
    m_nDateColumn = -1;
    m_nTimeColumn = -1;
    RemoveLines();
    RemoveColumns();
    m_pProcessor = nullptr;
    if (!CTextStream::OpenStream(fileSpec.substr(0, comma), nullptr))
        return 0;

    m_nLine = -1;
    CCSVLine* line = nullptr;
    if (CSVReadNextLine(&line)) {
        CSVReadFormat(line);
        if (comma != std::string::npos) {
            CSVGetFunctions(fileSpec, line);
            line->GetDateTime(m_nDateColumn, m_nTimeColumn);
            line->m_TimeStamp = FollowDays(line->m_nTimeMode, line->GetTimeStamp());
        } else {
            // Without a selection the first line names the columns.
            m_bHeader = 1;
        }
    }
    m_pProcessor = processor;
    if (m_pProcessor) {
        m_pProcessor->ProcessStreamStart(this);
        if (!m_bHeader && m_pLine)
            m_pProcessor->ProcessStreamLine(this, m_strText);
    }
    return 1;
}

int CCSVStream::CSVReadNextLine(CCSVLine** line)
{
    // Read aside, so that the current text stays at the end of the input.
    const int result = ReadNextLine(m_strRead);
    if (result)
        m_strText.swap(m_strRead);
    if (line)
        *line = result ? m_pLine : nullptr;
    return result;
}

int CCSVStream::ReadNextLine(std::string& line)
{
    if (!CTextStream::ReadNextLine(line))
        return 0;
    if (&line != &m_strRead)
        m_strText = line;
    CCSVLine* csvLine = nullptr;
    if (!m_bKeepLines && m_pLine && m_LineBuffer.GetSize() == 1 && m_LineBuffer[0] == m_pLine) {
        // The one line kept takes the new text: no allocation for lines that fit the old.
        csvLine = m_pLine;
        csvLine->m_Fields.clear();
        csvLine->SetLine(m_nLine, line, m_strSeparator.c_str(), m_strDecimal.c_str());
        csvLine->GetDateTime(m_nDateColumn, m_nTimeColumn);
        csvLine->m_TimeStamp = FollowDays(csvLine->m_nTimeMode, csvLine->GetTimeStamp());
    } else {
        if (!m_bKeepLines)
            RemoveLines();
        csvLine = new CCSVLine(m_nLine, line, m_strSeparator.c_str(), m_strDecimal.c_str(),
                               m_nDateColumn, m_nTimeColumn);
        csvLine->m_TimeStamp = FollowDays(csvLine->m_nTimeMode, csvLine->GetTimeStamp());
        m_LineBuffer.Insert(csvLine);
    }
    m_pLine = csvLine;
    return 1;
}

std::int64_t CCSVStream::FollowDays(int timeMode, std::int64_t time)
{
    if (m_nLine == 0) {
        m_nDayOffset = 0;
        m_PreviousTime = 0;
    }
    if (timeMode != 3 || time == 0)
        return time;
    constexpr std::int64_t HalfDay = 12 * 3600 * 1000LL;
    std::int64_t moved = AddLocalDays(time, m_nDayOffset);
    if (m_PreviousTime != 0 && moved < m_PreviousTime - HalfDay)
        moved = AddLocalDays(time, ++m_nDayOffset);
    m_PreviousTime = moved;
    return moved;
}

int CCSVStream::ProcessStream()
{
    auto* table = m_bKeepLines ? nullptr : dynamic_cast<CCSVTable*>(m_pProcessor);
    if (!table || table->m_pNextProcessor || !m_pLine)
        return CTextStream::ProcessStream();
    const int timeMode = TimeModeOf(m_nDateColumn, m_nTimeColumn);
    // Tables over X values need no time: their lines are read without, unless the times of a
    // file without dates must be followed over midnight for the last line's.
    const bool timed = table->m_FormatType == CSVFormatTime ||
                       table->m_FormatType == CSVFormatRelativeTime ||
                       (timeMode == 3 && m_nTimeColumn >= 0);
    // Lines of X values stand each on their own: a large file's second half is read beside.
    CSVFileHalf secondHalf;
    const bool split =
        !timed && table->m_FormatType == CSVFormatXY && secondHalf.Start(*this, *table);
    CSVFields fields;
    bool read = false;
    std::int64_t time = 0;
    std::string_view text;
    while (ReadNextLineView(text)) {
        read = true;
        fields.Split(text, m_strSeparator);
        if (timed)
            time = FollowDays(timeMode, LineTimeStamp(timeMode, fields.Clamped(m_nDateColumn),
                                                      fields.Clamped(m_nTimeColumn)));
        table->TakeLine(*this, CSVFieldsLine(fields, m_strDecimal.c_str(), time));
    }
    if (split && secondHalf.Join(*this, *table, text))
        read = true;
    if (read) {
        // The last line is the current one, as after reading line by line.
        m_strText.assign(text);
        m_pLine->m_Fields.clear();
        m_pLine->SetLine(m_nLine - 1, m_strText, m_strSeparator.c_str(), m_strDecimal.c_str());
        m_pLine->GetDateTime(m_nDateColumn, m_nTimeColumn);
        if (timed)
            m_pLine->m_TimeStamp = time;
    }
    return table->ProcessStreamEnd(this, m_strText);
}

int CCSVStream::CSVReadFormat(CCSVLine* line)
{
    RemoveColumns();
    if (!line)
        return 1;
    bool buffered = false;
    for (const auto& kept : m_LineBuffer)
        buffered = buffered || kept.get() == line;
    if (!buffered)
        m_LineBuffer.Insert(line);
    for (int i = 0; i < line->GetColumnCount(); ++i) {
        auto* column = new CSVColumn;
        column->m_strHeader = column->m_strCaption = line->m_Fields[static_cast<std::size_t>(i)];
        column->m_nIndex = i;
        m_Format.Add(column);
    }
    return 1;
}

void CCSVStream::CSVGetFunctions(const std::string& fileSpec, CCSVLine*)
{
    m_nDateColumn = -1;
    m_nTimeColumn = -1;
    const std::size_t comma = fileSpec.find(',');
    if (comma == std::string::npos)
        return;
    const std::string selection = fileSpec.substr(comma + 1);
    int position = 0;
    for (int k = 0; position < static_cast<int>(selection.size()); ++k) {
        const std::string item = GetNextCSV(selection, ",", position);
        std::string token = item;
        std::string name;
        bool named = false;
        const std::size_t bracket = item.find('[');
        if (bracket != std::string::npos) {
            token = item.substr(0, bracket);
            for (const char c : item.substr(bracket + 1)) {
                if (c != '[' && c != ']')
                    name += c;
            }
            named = !name.empty();
            if (!named)
                m_bHeader = 1;
        }
        if (token == "*") {
            m_bAllColumns = 1;
            continue;
        }
        const long n = token.empty() ? 0 : std::atol(token.c_str());
        if (n < 1 || n > MaxColumnNumber)
            continue;
        while (m_Format.GetSize() < n) {
            auto* column = new CSVColumn;
            column->m_nIndex = m_Format.GetSize();
            m_Format.Add(column);
        }
        CSVColumn* column = m_Format[static_cast<int>(n - 1)];
        if (named) {
            column->m_strCaption = name;
            column->m_bHasCaption = 1;
        }
        if (k == 0) {
            m_nDateColumn = static_cast<int>(n - 1);
        } else if (k == 1) {
            m_nTimeColumn = static_cast<int>(n - 1);
        } else {
            auto* function = new CSVFunction;
            function->m_pColumn = column;
            function->m_nType = FunctionTypeOf(token.back());
            m_Functions.Add(function);
        }
    }
    if (!m_bHeader) {
        for (const auto& column : m_Format) {
            if (!column->m_bHasCaption)
                column->m_strCaption = FormatString("Column %d", column->m_nIndex + 1);
        }
    }
}

std::string CCSVStream::GetParams() const
{
    std::string params = m_strName;
    params += FormatString(",%d,%d", m_nDateColumn + 1, m_nTimeColumn + 1);
    if (m_bAllColumns) {
        params += ",*";
    } else {
        for (const auto& function : m_Functions) {
            const CSVColumn* column = function->m_pColumn;
            params +=
                FormatString(",%d%c", column->m_nIndex + 1, CSVFunctionLetters[function->m_nType]);
            if (column->m_bHasCaption)
                params += "[" + column->m_strCaption + "]";
        }
    }
    if (m_bHeader)
        params += ",[]";
    return params;
}

std::string CCSVStream::GetHeader(int withFilePrefix, int withFunctionName) const
{
    std::string prefix =
        m_bPipe ? std::string("stdin") : std::filesystem::path(m_strName).stem().string();
    ReplaceAll(prefix, ";", "_");
    prefix += "/";
    std::string header;
    if (m_bAllColumns) {
        for (const auto& column : m_Format)
            header += ";" + (withFilePrefix ? prefix : "") + column->m_strCaption;
        return header;
    }
    for (const auto& function : m_Functions) {
        header += ";";
        if (withFilePrefix)
            header += prefix;
        if (withFunctionName)
            header += std::string(CSVFunctionNames[function->m_nType]) + " of ";
        header += function->m_pColumn->m_strCaption;
    }
    return header;
}

void CCSVStream::RemoveColumns()
{
    RemoveFunctions();
    m_Format.RemoveAll();
}

void CCSVStream::RemoveFunctions()
{
    m_Functions.RemoveAll();
}

void CCSVStream::RemoveLines()
{
    m_LineBuffer.RemoveAll();
    m_pLine = nullptr;
}
