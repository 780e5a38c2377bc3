#pragma once

#include "CSV_API.h"
#include "StdioFileEx.h"

#include <ctime>
#include <string>
#include <string_view>

class CTextStreamProcessor;

// Lines of a file (UTF-16 files too) or of standard input, handed one by one to a processor.
class CSV_API CTextStream : public CStdioFileEx
{
public:
    explicit CTextStream(int keepNewline = 0) : m_bKeepNewline(keepNewline) {}

    // Opens the file (standard input for an empty name), after putting the current date
    // into the name when m_bFormatName is set (strftime: %Y%m%d, "%%" for "%"). 0 when it
    // cannot be opened, else the processor's start result (1 without a processor).
    int OpenStream(const std::string& fileName, CTextStreamProcessor* processor);
    // The next line without its line end (with "\n" when m_bKeepNewline is set); 0 when
    // the input has ended.
    virtual int ReadNextLine(std::string& line);
    // The next line as CTextStream::ReadNextLine gives it, without what derived streams do
    // with their lines, as a view that stays valid until the next line is read. Lines of a
    // plain file are not copied.
    int ReadNextLineView(std::string_view& line);
    // Hands every remaining line to the processor, then the end; 0 when it stopped.
    int ProcessStream();
    void CloseStream();
    int IsPipe() const { return m_bPipe; }

    CTextStreamProcessor* m_pProcessor = nullptr; // not owned
    int m_nLine = -1;
    std::string m_strName;
    int m_bPipe = 0;
    int m_bFormatName = 1;
    int m_bKeepNewline = 0;
    std::time_t m_OpenTime = 0;

protected:
    // Lets standard input be read again from its first line while only that one was read.
    bool RewindPipe();

private:
    bool ReadPipeLine(std::string& line);

    std::string m_strFirstLine;
    bool m_bReplayFirstLine = false;
    // The line viewed, and the next one read beside it, for the inputs that are read as copies.
    std::string m_strViewed;
    std::string m_strViewNext;
};
