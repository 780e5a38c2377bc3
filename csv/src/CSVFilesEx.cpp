#include "CSVFile.h"

#include "Strings.h"

#include <algorithm>

namespace {

// A line of an all-columns file in the merged convention: fields separated by ";", decimal
// comma, exactly as many fields as the file's header, so that the next file's fields stay
// under their own. Field by field, so that a "," separator and a "." decimal point cannot be
// confused, and the date and time fields keep their points.
std::string MergedLineText(const CCSVLine& line, const CCSVFile& file)
{
    std::string merged;
    const int fields = file.m_Format.GetSize();
    for (int index = 0; index < fields; ++index) {
        std::string field(line.GetField(index));
        if (index != file.m_nDateColumn && index != file.m_nTimeColumn)
            ReplaceAll(field, file.m_strDecimal, ",");
        merged += (index ? ";" : "") + field;
    }
    return merged;
}

// The fields of a file over a stretch without lines.
std::string EmptyFields(const CCSVFile& file)
{
    const int fields = file.m_bAllColumns ? file.m_Format.GetSize() : file.m_Functions.GetSize();
    return std::string(static_cast<std::size_t>(fields), ';');
}

// A file's fields over the lines of the range, each led by ";"; the lines ready in the buffer
// when ready is set, else read ahead as far as the range needs.
std::string FieldsOver(CCSVFile& file, CCSVRange& range, bool ready)
{
    std::string fields;
    std::string value;
    if (file.m_bAllColumns) {
        if (!ready)
            file.CSVReadNextLines(&range);
        const CCSVLine* last = nullptr;
        for (const auto& line : file.m_LineBuffer) {
            if (range.InRange(line.get()))
                last = line.get();
        }
        return last ? ";" + MergedLineText(*last, file) : EmptyFields(file);
    }
    for (int i = 0; i < file.m_Functions.GetSize(); ++i) {
        file.CSVGetField(i, &range, value, ready || i > 0);
        fields += ";" + value;
    }
    return fields;
}

} // namespace

int CCSVFilesEx::CSVCompile(int master, int withFunctionNames, std::ostream& out, std::ostream& err,
                            CProgressWindowBase* progress)
{
    const CCSVFile* settings = master >= 0 && master < GetSize() ? GetAt(master)
                               : IsEmpty()                       ? nullptr
                                                                 : GetAt(0);
    err << "Parameters:\n";
    for (const auto& file : *this)
        err << " \"" << file->GetParams() << "\"";
    err << FormatString(" -MASTER=%d", master + 1);
    if (settings)
        err << " -FS=\"" << settings->m_strSeparator << "\" -DP=\"" << settings->m_strDecimal
            << "\"";
    err << "\n";

    out << "Date;Time";
    for (const auto& file : *this)
        out << file->GetHeader(1, withFunctionNames);
    out << "\n";

    if (master < 0) {
        err << "Error: Not implemented yet!\n";
        return 0;
    }
    if (master >= GetSize()) {
        err << "Error: there is no master file " << master + 1 << "!\n";
        return 0;
    }
    for (const auto& file : *this) {
        if (!file->StartData()) {
            err << "Error: " << file->m_strName << " cannot be read again from its start\n";
            return 0;
        }
    }

    CConsoleProgress console;
    CProgressWindowBase& shown = progress ? *progress : console;
    CCSVFile& masterFile = *GetAt(master);
    shown.SetTitle("Processing master file...");
    shown.SetRange(0, masterFile.GetLength());

    // The master's own lines are taken as read: a record's master fields are those of the
    // master line before it, and only the other files read ahead. Master lines without a
    // valid time bound no range.
    const auto dropMasterLinesBefore = [&masterFile](int number) {
        masterFile.m_LineBuffer.RemoveIf(
            [number](const CCSVLine* line) { return line->m_nLine < number; });
    };
    std::int64_t time = 0;
    while (time == 0 && masterFile.CSVGetNextTime(time))
        dropMasterLinesBefore(masterFile.m_pLine->m_nLine);
    if (time == 0)
        return 1;
    int previousLine = masterFile.m_pLine->m_nLine;
    // The others' lines count once each: every record takes theirs from the latest master time
    // so far up to its own, none where the master's time does not advance.
    std::int64_t reached = time;
    CCSVRange masterRange;
    CCSVRange range;
    while (masterFile.CSVGetNextTime(time)) {
        const int thisLine = masterFile.m_pLine->m_nLine;
        if (time == 0) {
            masterFile.m_LineBuffer.RemoveIf(
                [thisLine](const CCSVLine* line) { return line->m_nLine == thisLine; });
            continue;
        }
        shown.SetPos(masterFile.GetPosition());
        if (shown.IsCancelled())
            break;
        out << ExportDate(time) << ";" << ExportTime(time);
        const bool advanced = time > reached;
        if (advanced)
            range.SetTimeDiff(reached, time - reached);
        masterRange.SetLineDiff(previousLine, 1);
        for (const auto& file : *this) {
            if (file.get() == &masterFile)
                out << FieldsOver(masterFile, masterRange, true);
            else
                out << (advanced ? FieldsOver(*file, range, false) : EmptyFields(*file));
        }
        out << "\n";
        dropMasterLinesBefore(thisLine);
        previousLine = thisLine;
        reached = std::max(reached, time);
    }
    return 1;
}
