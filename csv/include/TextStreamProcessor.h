#pragma once

#include <string>

class CTextStream;

// Receives the lines of a text stream. Each operation returns nonzero to go on, 0 to stop.
class CTextStreamProcessor
{
public:
    CTextStreamProcessor() = default;
    CTextStreamProcessor(const CTextStreamProcessor&) {}
    CTextStreamProcessor& operator=(const CTextStreamProcessor&) { return *this; }

    virtual int ProcessStreamStart(CTextStream*) { return 1; }
    virtual int ProcessStreamLine(CTextStream*, std::string&) { return 1; }
    virtual int ProcessStreamEnd(CTextStream*, std::string&) { return 1; }

protected:
    // Processors are owned by whoever made them, never deleted through this interface.
    ~CTextStreamProcessor() = default;
};
