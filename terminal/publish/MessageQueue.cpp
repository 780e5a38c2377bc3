#include "MessageQueue.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFileEnding = ".queue";
constexpr std::string_view kHeadName = "head";
constexpr std::uint64_t kSmallestFile = std::uint64_t{64} << 10;
constexpr std::uint64_t kLargestFile = std::uint64_t{16} << 20;
// Files of an eighth of the queue, so that the oldest eighth goes when it is full.
constexpr std::uint64_t kFilesPerQueue = 8;

fs::path FileName(const fs::path& folder, std::uint64_t first)
{
    char name[32];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(first));
    return folder / (std::string(name) + std::string(kFileEnding));
}

// The number a file's name gives its first message; false for other files.
bool FirstOf(const fs::path& path, std::uint64_t& first)
{
    const std::string name = path.filename().string();
    if (name.size() != 16 + kFileEnding.size() || !name.ends_with(kFileEnding))
        return false;
    const auto [end, error] = std::from_chars(name.data(), name.data() + 16, first, 16);
    return error == std::errc() && end == name.data() + 16;
}

} // namespace

CMessageQueue::CMessageQueue(std::filesystem::path folder, std::uint64_t maxBytes)
    : m_folder(std::move(folder)), m_nMaxBytes(maxBytes),
      m_nFileBytes(std::clamp(maxBytes / kFilesPerQueue, kSmallestFile, kLargestFile))
{
}

bool CMessageQueue::Open(std::string& error)
{
    std::error_code failure;
    fs::create_directories(m_folder, failure);
    std::vector<std::pair<std::uint64_t, fs::path>> found;
    for (const auto& entry : fs::directory_iterator(m_folder, failure)) {
        std::uint64_t first = 0;
        if (entry.is_regular_file() && FirstOf(entry.path(), first))
            found.emplace_back(first, entry.path());
    }
    if (failure) {
        error = m_folder.string() + ": " + failure.message();
        return false;
    }
    std::sort(found.begin(), found.end());
    for (const auto& [first, path] : found) {
        auto file = std::make_unique<CQueueFile>(path, first);
        if (!file->Recover(error))
            return false;
        m_nNext = std::max(m_nNext, file->End());
        m_files.push_back(std::move(file));
    }
    std::ifstream head(m_folder / kHeadName);
    std::uint64_t saved = 0;
    if (head >> saved)
        m_nHead = m_nHeadSaved = saved;
    if (!m_files.empty())
        m_nHead = std::max(m_nHead, m_files.front()->First());
    m_nNext = std::max(m_nNext, m_nHead);
    m_nSend = m_nHead;
    m_nMemoryFirst = m_nNext;
    RemoveAcknowledgedFiles();
    // A folder that takes no file is told now, not after the first second of readings.
    return SaveHead(true, error);
}

void CMessageQueue::Push(std::string_view message)
{
    m_memory.emplace_back(message);
    m_nMemoryBytes += message.size();
    ++m_nNext;
}

bool CMessageQueue::Next(std::uint64_t& number, std::string& message)
{
    while (m_nSend < m_nMemoryFirst) {
        const auto file = std::find_if(m_files.begin(), m_files.end(),
                                       [this](const auto& f) { return f->End() > m_nSend; });
        if (file == m_files.end()) {
            m_nSend = m_nMemoryFirst;
            break;
        }
        // A stretch that no file holds was acknowledged before the last run saved its head.
        m_nSend = std::max(m_nSend, (*file)->First());
        if (!(*file)->Read(m_nSend, message))
            return false;
        number = m_nSend++;
        return true;
    }
    if (m_nSend >= m_nNext)
        return false;
    number = m_nSend++;
    message = m_memory[static_cast<std::size_t>(number - m_nMemoryFirst)];
    return true;
}

void CMessageQueue::Unsend(std::uint64_t number)
{
    m_nSend = std::max(std::min(m_nSend, number), m_nHead);
}

void CMessageQueue::Acknowledge(std::uint64_t number)
{
    if (number < m_nHead)
        return;
    if (number != m_nHead) {
        m_acknowledged.insert(number);
        return;
    }
    std::uint64_t head = number + 1;
    for (auto next = m_acknowledged.begin(); next != m_acknowledged.end() && *next == head;
         next = m_acknowledged.erase(next))
        ++head;
    AdvanceHead(head);
}

void CMessageQueue::AdvanceHead(std::uint64_t head)
{
    m_nHead = std::max(m_nHead, head);
    m_nSend = std::max(m_nSend, m_nHead);
    m_acknowledged.erase(m_acknowledged.begin(), m_acknowledged.lower_bound(m_nHead));
    while (!m_memory.empty() && m_nMemoryFirst < m_nHead)
        PopMemory();
    if (m_memory.empty())
        m_nMemoryFirst = std::max(m_nMemoryFirst, m_nHead);
    RemoveAcknowledgedFiles();
}

void CMessageQueue::PopMemory()
{
    m_nMemoryBytes -= m_memory.front().size();
    m_memory.pop_front();
    ++m_nMemoryFirst;
    if (m_nSpillable > 0)
        --m_nSpillable;
}

void CMessageQueue::RemoveAcknowledgedFiles()
{
    while (!m_files.empty() && m_files.front()->End() <= m_nHead) {
        m_files.front()->Remove();
        m_files.pop_front();
    }
}

std::uint64_t CMessageQueue::Bytes() const
{
    std::uint64_t bytes = m_nMemoryBytes;
    for (const auto& file : m_files)
        bytes += file->Bytes();
    return bytes;
}

bool CMessageQueue::Spill(std::size_t count, std::string& error)
{
    CQueueFile* file = nullptr;
    std::size_t appended = 0; // to file, since it was last written
    const auto write = [&] {
        if (appended == 0)
            return true;
        if (!file->Flush(error)) {
            if (file->End() == file->First()) {
                file->Remove();
                m_files.pop_back();
            }
            return false;
        }
        for (; appended > 0; --appended)
            PopMemory();
        return true;
    };
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t number = m_nMemoryFirst + appended;
        CQueueFile* last = m_files.empty() ? nullptr : m_files.back().get();
        if (!last || last->End() != number || last->Sealed() || last->Bytes() >= m_nFileBytes) {
            if (!write())
                return false;
            auto created =
                std::make_unique<CQueueFile>(FileName(m_folder, m_nMemoryFirst), m_nMemoryFirst);
            if (!created->Create(error))
                return false;
            m_files.push_back(std::move(created));
            last = m_files.back().get();
        }
        file = last;
        file->Append(m_memory[appended++]);
    }
    return write();
}

bool CMessageQueue::Save(bool all, std::string& error)
{
    const std::size_t count = all ? m_memory.size() : std::min(m_nSpillable, m_memory.size());
    const bool spilled = Spill(count, error);
    m_nSpillable = m_memory.size();
    // The oldest go first, from the files and then, when the folder takes nothing, from memory.
    while (Bytes() > m_nMaxBytes) {
        const std::uint64_t end = m_files.empty() ? m_nMemoryFirst + 1 : m_files.front()->End();
        const std::uint64_t unsent = std::max(m_nSend, m_nHead);
        if (end > unsent)
            m_nDropped += end - unsent;
        AdvanceHead(end);
    }
    return SaveHead(false, error) && spilled;
}

bool CMessageQueue::SaveHead(bool always, std::string& error)
{
    // Without files the next run starts afresh, whatever the head said.
    if (!always && (m_nHead == m_nHeadSaved || m_files.empty()))
        return true;
    const fs::path target = m_folder / kHeadName;
    const fs::path written = m_folder / "head.new";
    {
        std::ofstream out(written, std::ios::trunc);
        out << m_nHead << '\n';
        if (!out.flush()) {
            error = written.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    std::error_code failure;
    fs::rename(written, target, failure);
    if (failure) {
        error = target.string() + ": " + failure.message();
        return false;
    }
    m_nHeadSaved = m_nHead;
    return true;
}

std::uint64_t CMessageQueue::TakeDropped()
{
    return std::exchange(m_nDropped, 0);
}
