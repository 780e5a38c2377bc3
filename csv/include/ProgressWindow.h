#pragma once

#include "CSV_API.h"

#include <cstdint>
#include <cstdio>
#include <string>

// Progress of a long operation over a range of positions.
class CSV_API CProgressWindowBase
{
public:
    virtual ~CProgressWindowBase() = default;
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetRange(std::int64_t lower, std::int64_t upper) = 0;
    virtual void SetPos(std::int64_t position) = 0;
    virtual bool IsCancelled() const { return false; }
};

// Shows the progress as a percentage on a terminal; silent when the stream is not one.
class CSV_API CConsoleProgress : public CProgressWindowBase
{
public:
    explicit CConsoleProgress(FILE* stream = stderr);
    ~CConsoleProgress() override;
    CConsoleProgress(const CConsoleProgress&) = delete;
    CConsoleProgress& operator=(const CConsoleProgress&) = delete;

    void SetTitle(const std::string& title) override;
    void SetRange(std::int64_t lower, std::int64_t upper) override;
    void SetPos(std::int64_t position) override;

private:
    FILE* m_pStream;
    bool m_bTerminal;
    std::string m_strTitle;
    std::int64_t m_Lower = 0;
    std::int64_t m_Upper = 0;
    int m_nShownPercent = -1;
};
