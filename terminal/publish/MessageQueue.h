#pragma once

#include "QueueFile.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <string_view>

// Messages on their way to a broker, numbered in the order they came and kept until the broker
// acknowledges them. The newest wait in memory; Save moves those that were already waiting at
// the call before to files in the queue's folder, so that saving twice a second a crash loses at
// most the last second, and a long absence of the broker costs no memory. The next run sends
// what the files hold. The files stay below a total size: when it is reached the oldest file
// is dropped, and its messages not yet sent are counted.
class CMessageQueue
{
public:
    CMessageQueue(std::filesystem::path folder, std::uint64_t maxBytes);

    // Makes the folder and takes up the files an earlier run left.
    bool Open(std::string& error);

    void Push(std::string_view message);
    // The oldest message not yet handed out, and its number; false when none waits.
    bool Next(std::uint64_t& number, std::string& message);
    // The message was handed out but not taken: it and all after it are handed out again.
    void Unsend(std::uint64_t number);
    void Acknowledge(std::uint64_t number);

    // Writes the messages that waited in memory since the last call (all of them when all is
    // set), drops the oldest files beyond the size, and notes how far the broker has
    // acknowledged. False with the reason when the folder takes nothing; the messages then
    // stay in memory, within the same size.
    bool Save(bool all, std::string& error);

    // Messages dropped since the last call.
    std::uint64_t TakeDropped();
    // Messages not yet acknowledged.
    std::uint64_t Waiting() const { return m_nNext - m_nHead - m_acknowledged.size(); }
    // Messages not yet handed out.
    std::uint64_t Unsent() const { return m_nNext - m_nSend; }

private:
    std::uint64_t Bytes() const;
    // Writes the oldest count messages in memory to the files.
    bool Spill(std::size_t count, std::string& error);
    void PopMemory();
    // Everything before head is done with: acknowledged or dropped.
    void AdvanceHead(std::uint64_t head);
    void RemoveAcknowledgedFiles();
    bool SaveHead(bool always, std::string& error);

    const std::filesystem::path m_folder;
    const std::uint64_t m_nMaxBytes;
    const std::uint64_t m_nFileBytes;

    std::deque<std::unique_ptr<CQueueFile>> m_files; // oldest first
    std::deque<std::string> m_memory;                // newer than every file's messages
    std::uint64_t m_nMemoryFirst = 0;                // the number of m_memory.front()
    std::uint64_t m_nMemoryBytes = 0;
    std::size_t m_nSpillable = 0; // memory messages that waited at the last Save

    std::uint64_t m_nNext = 0;     // the number of the next message pushed
    std::uint64_t m_nSend = 0;     // the next to hand out
    std::uint64_t m_nHead = 0;     // every message before it is acknowledged
    std::set<std::uint64_t> m_acknowledged; // after the head
    std::uint64_t m_nHeadSaved = 0;
    std::uint64_t m_nDropped = 0;
};
