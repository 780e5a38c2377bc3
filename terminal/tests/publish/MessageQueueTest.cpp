#include "MessageQueue.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kLarge = std::uint64_t{16} << 20;

class MessageQueue : public testing::Test
{
protected:
    std::unique_ptr<CMessageQueue> Open(std::uint64_t maxBytes = kLarge)
    {
        auto queue = std::make_unique<CMessageQueue>(m_folder / "queue", maxBytes);
        std::string error;
        EXPECT_TRUE(queue->Open(error)) << error;
        return queue;
    }

    static void Save(CMessageQueue& queue, bool all = true)
    {
        std::string error;
        EXPECT_TRUE(queue.Save(all, error)) << error;
    }

    // Everything the queue hands out now, in order.
    static std::vector<std::string> Drain(CMessageQueue& queue,
                                          std::vector<std::uint64_t>* numbers = nullptr)
    {
        std::vector<std::string> messages;
        std::uint64_t number = 0;
        std::string message;
        while (queue.Next(number, message)) {
            messages.push_back(message);
            if (numbers)
                numbers->push_back(number);
        }
        return messages;
    }

    std::vector<fs::path> Files() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(m_folder / "queue"))
            if (entry.path().extension() == ".queue")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }

    static std::string Numbered(int i) { return "{\"distance\":" + std::to_string(i) + "}"; }

    TempDir m_temp;
    const fs::path m_folder = m_temp.Path("");
};

} // namespace

TEST_F(MessageQueue, HandsOutInOrderAndForgetsWhatIsAcknowledged)
{
    auto queue = Open();
    for (int i = 0; i < 5; ++i)
        queue->Push(Numbered(i));
    std::vector<std::uint64_t> numbers;
    EXPECT_EQ(Drain(*queue, &numbers),
              (std::vector<std::string>{Numbered(0), Numbered(1), Numbered(2), Numbered(3),
                                        Numbered(4)}));
    EXPECT_EQ(queue->Waiting(), 5u);
    EXPECT_EQ(queue->Unsent(), 0u);
    // Acknowledgements may come in any order.
    queue->Acknowledge(numbers[2]);
    queue->Acknowledge(numbers[0]);
    EXPECT_EQ(queue->Waiting(), 3u);
    queue->Acknowledge(numbers[1]);
    queue->Acknowledge(numbers[4]);
    queue->Acknowledge(numbers[3]);
    EXPECT_EQ(queue->Waiting(), 0u);
    // Nothing acknowledged in time touches the disk.
    Save(*queue, false);
    Save(*queue, false);
    EXPECT_TRUE(Files().empty());
}

TEST_F(MessageQueue, UnsentMessageIsHandedOutAgainWithAllAfterIt)
{
    auto queue = Open();
    for (int i = 0; i < 3; ++i)
        queue->Push(Numbered(i));
    std::uint64_t first = 0, second = 0;
    std::string message;
    ASSERT_TRUE(queue->Next(first, message));
    ASSERT_TRUE(queue->Next(second, message));
    queue->Unsend(second);
    EXPECT_EQ(Drain(*queue), (std::vector<std::string>{Numbered(1), Numbered(2)}));
}

TEST_F(MessageQueue, WhatWaitsASaveGoesToDiskAndTheNextRunSendsIt)
{
    {
        auto queue = Open();
        queue->Push(Numbered(0));
        queue->Push(Numbered(1));
        Save(*queue, false); // they came after the last save: they stay in memory
        EXPECT_TRUE(Files().empty());
        queue->Push(Numbered(2));
        std::vector<std::uint64_t> numbers;
        Drain(*queue, &numbers);
        queue->Acknowledge(numbers[0]);
        Save(*queue, false); // 1 waited a whole save unacknowledged; 2 has not
        EXPECT_EQ(Files().size(), 1u);
        // The crash: the object goes without saving again.
    }
    auto queue = Open();
    EXPECT_EQ(Drain(*queue), (std::vector<std::string>{Numbered(1)}));
}

TEST_F(MessageQueue, AcknowledgedHeadIsKeptAcrossRuns)
{
    {
        auto queue = Open();
        for (int i = 0; i < 10; ++i)
            queue->Push(Numbered(i));
        Save(*queue);
        std::vector<std::uint64_t> numbers;
        Drain(*queue, &numbers);
        for (int i = 0; i < 4; ++i)
            queue->Acknowledge(numbers[static_cast<std::size_t>(i)]);
        Save(*queue);
        // New messages after a restart come after the old ones.
    }
    auto queue = Open();
    queue->Push(Numbered(10));
    std::vector<std::string> expected;
    for (int i = 4; i <= 10; ++i)
        expected.push_back(Numbered(i));
    EXPECT_EQ(Drain(*queue), expected);
}

TEST_F(MessageQueue, FileCutShortIsReadUpToItsLastWholeMessage)
{
    {
        auto queue = Open();
        for (int i = 0; i < 20; ++i)
            queue->Push(Numbered(i));
        Save(*queue);
    }
    ASSERT_EQ(Files().size(), 1u);
    const fs::path file = Files().front();
    const auto size = fs::file_size(file);
    // Every cut, at every byte of the last message, and a zero-filled tail after it.
    const std::string lastMessage = Numbered(19);
    for (std::uintmax_t cut = size - lastMessage.size() - 8; cut < size; ++cut) {
        fs::resize_file(file, cut);
        {
            std::ofstream zeros(file, std::ios::app | std::ios::binary);
            zeros << std::string(12, '\0');
        }
        auto queue = Open();
        const auto messages = Drain(*queue);
        ASSERT_EQ(messages.size(), 19u) << "cut at " << cut;
        EXPECT_EQ(messages.back(), Numbered(18));
        queue->Push(Numbered(19));
        Save(*queue);
    }
    auto queue = Open();
    EXPECT_EQ(Drain(*queue).back(), Numbered(19));
}

TEST_F(MessageQueue, DamagedMessageEndsTheFile)
{
    {
        auto queue = Open();
        for (int i = 0; i < 10; ++i)
            queue->Push(Numbered(i));
        Save(*queue);
    }
    const fs::path file = Files().front();
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    // A byte of the fifth message's text changed.
    const auto at = bytes.find(Numbered(4));
    ASSERT_NE(at, std::string::npos);
    bytes[at + 3] ^= 0x20;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    auto queue = Open();
    EXPECT_EQ(Drain(*queue), (std::vector<std::string>{Numbered(0), Numbered(1), Numbered(2),
                                                       Numbered(3)}));
}

TEST_F(MessageQueue, FullQueueDropsTheOldestAndCountsThem)
{
    const std::uint64_t max = std::uint64_t{512} << 10;
    auto queue = Open(max);
    const std::string padding(400, 'x');
    constexpr int kCount = 4000; // about three times the size
    for (int i = 0; i < kCount; ++i) {
        queue->Push(Numbered(i) + padding);
        if (i % 100 == 99)
            Save(*queue);
    }
    Save(*queue);
    std::uint64_t size = 0;
    for (const fs::path& file : Files())
        size += fs::file_size(file);
    EXPECT_LE(size, max);
    const std::uint64_t dropped = queue->TakeDropped();
    EXPECT_GT(dropped, 0u);
    EXPECT_EQ(queue->TakeDropped(), 0u);
    const auto left = Drain(*queue);
    ASSERT_EQ(left.size() + dropped, static_cast<std::size_t>(kCount));
    // The newest remain, in order.
    for (std::size_t i = 0; i < left.size(); ++i)
        ASSERT_EQ(left[i], Numbered(static_cast<int>(dropped + i)) + padding);
}

TEST_F(MessageQueue, MessagesHandedOutAreNotCountedAsDropped)
{
    const std::uint64_t max = std::uint64_t{256} << 10;
    auto queue = Open(max);
    const std::string padding(400, 'x');
    for (int i = 0; i < 100; ++i)
        queue->Push(Numbered(i) + padding);
    const auto handedOut = Drain(*queue); // on their way; the broker is gone
    for (int i = 100; i < 2000; ++i) {
        queue->Push(Numbered(i) + padding);
        if (i % 100 == 99)
            Save(*queue);
    }
    const std::uint64_t dropped = queue->TakeDropped();
    const auto left = Drain(*queue);
    EXPECT_EQ(handedOut.size() + dropped + left.size(), 2000u);
    EXPECT_EQ(left.back(), Numbered(1999) + padding);
}

TEST_F(MessageQueue, FolderThatCannotBeMadeIsTold)
{
    std::ofstream(m_folder / "file") << "not a folder";
    CMessageQueue queue(m_folder / "file" / "queue", kLarge);
    std::string error;
    EXPECT_FALSE(queue.Open(error));
    EXPECT_NE(error.find((m_folder / "file" / "queue").string()), std::string::npos) << error;
}
