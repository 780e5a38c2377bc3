#pragma once

#include "LineBatch.h"
#include "ParameterRecords.h"
#include "ReplyAssembly.h"
#include "ReplyPage.h"
#include "TerminalState.h"

#include <string>
#include <vector>

// What a page saw of the reply values when it was notified.
struct CNotification
{
    std::string page;
    std::string received;
    std::string record;
    std::string measLine;
    std::string quorinLine;
    bool echo = false;
    int lineCount = 0;
    bool tempRequest = false;
};

// A page that writes every notification into a journal shared with the other pages.
class CRecordingPage : public CReplyPage
{
public:
    CRecordingPage(std::string name, std::vector<CNotification>& journal)
        : m_name(std::move(name)), m_journal(journal)
    {
    }

    void OnData() override
    {
        m_journal.push_back({m_name, g_strReceived, g_strBinaryRecord, g_strMeasLine,
                             g_strQuorinLine, g_bEchoTypedLine, g_nLineCount, g_bTempRequest});
    }

private:
    std::string m_name;
    std::vector<CNotification>& m_journal;
};

inline std::vector<std::string> PagesOf(const std::vector<CNotification>& journal)
{
    std::vector<std::string> pages;
    for (const CNotification& notification : journal)
        pages.push_back(notification.page);
    return pages;
}

// The reply values, connection and simulation flags and output format the tests use.
inline void ResetReplyState()
{
    g_strReceived.clear();
    g_nLineCount = 0;
    g_strBinaryPending.clear();
    g_strBinaryRecord.clear();
    g_bEchoTypedLine = false;
    g_nLogLines = 0;
    g_strMeasLine.clear();
    g_strBinaryLogLine.clear();
    g_strQuorinLine.clear();
    g_strQuorinFormat.clear();
    g_bTempRequest = false;
    g_bConnected = false;
    g_bSimulation = false;
    g_arrDisplayLines.Clear();
    g_BinaryStream = BinaryStream::Unknown;
    ZelnarParameters.SDx = 0;
    ZelnarParameters.SDy = 0;
}
