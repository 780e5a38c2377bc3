#include "RecorderProcess.h"

#include "TestSupport.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::chrono::milliseconds kPoll{10};

} // namespace

CRecorderProcess::CRecorderProcess(std::filesystem::path folder) : m_folder(std::move(folder)) {}

CRecorderProcess::~CRecorderProcess()
{
    if (m_nPid > 0) {
        ::kill(m_nPid, SIGKILL);
        ::waitpid(m_nPid, nullptr, 0);
    }
}

bool CRecorderProcess::Start(const std::vector<std::string>& arguments)
{
    std::vector<std::string> texts{TELVAN_RECORDER_PROGRAM};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, (m_folder / "recorder.out").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&files, 2, (m_folder / "recorder.err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int failed = ::posix_spawn(&m_nPid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    if (failed)
        m_nPid = -1;
    return !failed;
}

void CRecorderProcess::Signal(int signal) const
{
    if (m_nPid > 0)
        ::kill(m_nPid, signal);
}

int CRecorderProcess::Wait(std::chrono::seconds guard)
{
    if (m_nPid <= 0)
        return -1;
    const auto end = std::chrono::steady_clock::now() + guard;
    int status = 0;
    while (::waitpid(m_nPid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= end) {
            ::kill(m_nPid, SIGKILL);
            ::waitpid(m_nPid, &status, 0);
            m_nPid = -1;
            return -1;
        }
        std::this_thread::sleep_for(kPoll);
    }
    m_nPid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool CRecorderProcess::WaitForError(const std::string& text, std::chrono::seconds guard,
                                    int count) const
{
    const auto holds = [&] {
        const std::string error = Error();
        int found = 0;
        for (auto at = error.find(text); at != std::string::npos; at = error.find(text, at + 1))
            ++found;
        return found >= count;
    };
    const auto end = std::chrono::steady_clock::now() + guard;
    while (!holds()) {
        // Ended, but left to Wait to collect.
        siginfo_t ended{};
        if (std::chrono::steady_clock::now() >= end || m_nPid <= 0 ||
            (::waitid(P_PID, static_cast<id_t>(m_nPid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
             ended.si_pid != 0))
            return holds();
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

std::string CRecorderProcess::Output() const
{
    return ReadAll((m_folder / "recorder.out").string());
}

std::string CRecorderProcess::Error() const
{
    return ReadAll((m_folder / "recorder.err").string());
}

CRecorderRun RunRecorder(const std::filesystem::path& folder,
                         const std::vector<std::string>& arguments)
{
    CRecorderProcess process(folder);
    CRecorderRun run;
    if (!process.Start(arguments))
        return run;
    run.status = process.Wait(std::chrono::seconds(120));
    run.out = process.Output();
    run.err = process.Error();
    return run;
}
