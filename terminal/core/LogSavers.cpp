#include "LogSavers.h"

#include "LineList.h"
#include "ReplacingFile.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kHeaderZL = "Point number;Time;Speed;Distance;Strength;Temperature\r\n";
constexpr std::string_view kHeaderQR = "Point Number;Time;Distance\r\n";
constexpr std::size_t kErrorCodeLength = 3; // "E" and two digits

// An entry made ready for a row: decimal commas, CR LF at the end, the time prefix moved to
// the time column.
struct CExcelEntry
{
    std::string time;
    std::string text;
};

CExcelEntry PrepareEntry(std::string_view entry)
{
    CExcelEntry prepared{{}, std::string(entry)};
    std::string& text = prepared.text;
    std::replace(text.begin(), text.end(), '.', ',');
    text += kCrLf;
    if (text.size() > 13 && text[12] == '>' && text[13] == '>') {
        prepared.time = text.substr(0, 12);
        text.erase(0, 15);
    }
    return prepared;
}

// The error code at the front of the text, never reaching into its closing CR LF.
std::string ErrorCode(const std::string& text)
{
    return text.substr(0, std::min(kErrorCodeLength, text.size() - kCrLf.size()));
}

void AppendPointAndTime(std::string& row, int n, const std::string& time)
{
    row = std::to_string(n);
    row += ';';
    row += time;
    row += ';';
}

bool WriteEntries(CReplacingFile& file, LogFileKind kind, const CLineList& entries,
                  std::size_t first, std::size_t last)
{
    if (kind == LogFileKind::Text) {
        for (std::size_t i = first; i < last; ++i)
            if (!file.Write(entries[i]) || !file.Write(kCrLf))
                return false;
        return true;
    }
    const bool zelnar = kind == LogFileKind::ExcelZL;
    if (!file.Write(zelnar ? kHeaderZL : kHeaderQR))
        return false;
    int n = 0;
    std::string row;
    for (std::size_t i = first; i < last; ++i) {
        const bool made = zelnar ? ExcelRowZL(entries[i], n, row) : ExcelRowQR(entries[i], n, row);
        if (made && !file.Write(row))
            return false;
    }
    return true;
}

} // namespace

bool ExcelRowZL(std::string_view entry, int& n, std::string& row)
{
    CExcelEntry prepared = PrepareEntry(entry);
    std::string& text = prepared.text;
    if (text.front() != 'D')
        return false;
    text.erase(0, 1);
    std::string speed, distance, strength, temperature;
    const auto isSign = [&](std::size_t i) { return text[i] == '+' || text[i] == '-'; };
    if (text.front() == 'E') {
        speed = distance = ErrorCode(text);
    } else {
        switch (text.size()) {
        case 11:
            distance = text.substr(0, 9);
            break;
        case 21:
            speed = text.substr(0, 9);
            distance = text.substr(10, 9);
            break;
        case 23:
            distance = text.substr(0, 9);
            strength = text.substr(10, 5);
            temperature = text.substr(16, 5);
            break;
        case 33:
            speed = text.substr(0, 9);
            distance = text.substr(10, 9);
            strength = text.substr(20, 5);
            temperature = text.substr(26, 5);
            break;
        case 17:
            distance = text.substr(0, 9);
            (isSign(10) ? temperature : strength) = text.substr(10, 5);
            break;
        case 27:
            speed = text.substr(0, 9);
            distance = text.substr(10, 9);
            (isSign(20) ? temperature : strength) = text.substr(20, 5);
            break;
        default:
            break;
        }
    }
    AppendPointAndTime(row, ++n, prepared.time);
    row += speed + ';' + distance + ';' + strength + ';' + temperature;
    row += kCrLf;
    return true;
}

bool ExcelRowQR(std::string_view entry, int& n, std::string& row)
{
    const CExcelEntry prepared = PrepareEntry(entry);
    const std::string& text = prepared.text;
    if (text.front() == 'E') {
        AppendPointAndTime(row, ++n, prepared.time);
        row += ErrorCode(text);
        row += kCrLf;
        return true;
    }
    // A seven-character distance reading; lines of that length starting with "R" are not.
    if (text.size() == 9 && text.front() != 'R') {
        AppendPointAndTime(row, ++n, prepared.time);
        row += text;
        return true;
    }
    return false;
}

std::string_view SaveLog(const std::string& path, LogFileKind kind, const CLineList& entries,
                         std::size_t first, std::size_t last)
{
    last = std::min(last, entries.size());
    first = std::min(first, last);
    CReplacingFile file(path);
    if (file.IsOpen() && WriteEntries(file, kind, entries, first, last) && file.Commit())
        return {};
    return kCanNotSaveFile;
}
