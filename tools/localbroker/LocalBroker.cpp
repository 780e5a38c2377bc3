#include "LocalBroker.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* kMosquitto = "/usr/sbin/mosquitto";
// A hang guard only: the broker listens within milliseconds on an idle machine.
constexpr std::chrono::seconds kStartGuard{60};

sockaddr_in Loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port nothing listens on now: the system's choice for a socket bound to port 0.
int FreePort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

std::string UserName()
{
    const passwd* user = ::getpwuid(::geteuid());
    return user ? user->pw_name : "root";
}

} // namespace

CLocalBroker::CLocalBroker()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "telvan-broker-XXXXXX");
    if (::mkdtemp(pattern.data()))
        m_folder = pattern;
}

CLocalBroker::~CLocalBroker()
{
    Stop();
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

bool CLocalBroker::Start(std::string& error)
{
    if (m_nPid > 0)
        return true;
    if (m_nPort == 0)
        m_nPort = FreePort();
    const std::filesystem::path config = m_folder / "mosquitto.conf";
    {
        std::ofstream out(config);
        out << "listener " << m_nPort << " 127.0.0.1\n"
            << "allow_anonymous true\n"
            << "persistence true\n"
            << "persistence_location " << m_folder.string() << "/\n"
            // Offline subscribers keep every message, and many may be on their way at once.
            << "max_queued_messages 0\n"
            << "max_inflight_messages 100\n"
            << "user " << UserName() << "\n"
            << "log_dest file " << (m_folder / "mosquitto.log").string() << "\n";
    }
    const std::string configPath = config.string();
    char* arguments[] = {const_cast<char*>(kMosquitto), const_cast<char*>("-c"),
                         const_cast<char*>(configPath.c_str()), nullptr};
    // The broker writes to a file of its own, not to the test's output, and ends with the
    // thread that started it: a test that dies leaves no broker that keeps its runner waiting.
    const int output = ::open((m_folder / "mosquitto.out").c_str(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t parent = ::getpid();
    m_nPid = ::fork();
    if (m_nPid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent || output < 0 || ::dup2(output, 1) < 0 || ::dup2(output, 2) < 0)
            ::_exit(127);
        ::execve(kMosquitto, arguments, environ);
        ::_exit(127);
    }
    const int forkError = errno;
    if (output >= 0)
        ::close(output);
    if (m_nPid < 0) {
        error = std::string(kMosquitto) + ": " + std::strerror(forkError);
        return false;
    }
    return WaitForListener(error);
}

bool CLocalBroker::WaitForListener(std::string& error) const
{
    const auto end = std::chrono::steady_clock::now() + kStartGuard;
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (::waitpid(m_nPid, &status, WNOHANG) == m_nPid) {
            error = "mosquitto ended at its start; see " + (m_folder / "mosquitto.log").string() +
                    " and mosquitto.out beside it";
            return false;
        }
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_in address = Loopback(m_nPort);
        const bool listening =
            ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(probe);
        if (listening)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    error = "mosquitto does not listen on port " + std::to_string(m_nPort);
    return false;
}

void CLocalBroker::Stop()
{
    if (m_nPid <= 0)
        return;
    ::kill(m_nPid, SIGTERM);
    int status = 0;
    while (::waitpid(m_nPid, &status, 0) < 0 && errno == EINTR) {
    }
    m_nPid = -1;
}
