#include "DeviceEmulator.h"
#include "DeviceText.h"
#include "DevsimOptions.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes link point to device; a symbolic link left by an earlier run is replaced, anything
// else at that path is kept.
bool MakeLink(const std::string& link, const std::string& device, std::string& error)
{
    struct stat status
    {
    };
    if (::lstat(link.c_str(), &status) == 0) {
        if (!S_ISLNK(status.st_mode)) {
            error = link + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(link.c_str());
    }
    if (::symlink(device.c_str(), link.c_str()) != 0) {
        error = "cannot make the link " + link + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void RemoveLink(const std::string& link, const std::string& device)
{
    char target[4096];
    const auto length = ::readlink(link.c_str(), target, sizeof target);
    if (length > 0 && std::string(target, static_cast<std::size_t>(length)) == device)
        ::unlink(link.c_str());
}

// An input line "Exx" injects that error code.
void TakeInputLine(CDeviceEmulator& emulator, std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty())
        return;
    const auto code = line.size() > 1 && (line[0] == 'E' || line[0] == 'e')
                          ? ParseInteger(line.substr(1))
                          : std::nullopt;
    if (code && *code > 0 && *code < 100)
        emulator.InjectError(static_cast<int>(*code));
    else
        std::cerr << "telvan-devsim: \"" << line << "\" is no error code such as E04\n";
}

} // namespace

int main(int argc, char** argv)
{
    const CDevsimArguments arguments = ParseDevsimArguments({argv + 1, argv + argc});
    const CDevsimOptions& options = arguments.options;
    if (options.help) {
        std::cout << DevsimUsage();
        return 0;
    }
    if (!arguments.error.empty()) {
        std::cerr << "telvan-devsim: " << arguments.error << "\n\n" << DevsimUsage();
        return 2;
    }

    // The stop signals are read from a descriptor: blocked before any thread starts, so that
    // none of them is delivered elsewhere.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    const int signals = ::signalfd(-1, &stopSignals, SFD_CLOEXEC);

    CDeviceEmulator emulator(options.family, options.seed);
    std::string error;
    if (signals < 0 || !emulator.Start(error)) {
        std::cerr << "telvan-devsim: " << (signals < 0 ? std::strerror(errno) : error) << '\n';
        return 1;
    }
    emulator.SetMaxRate(options.maxRate);
    const std::string device = emulator.DevicePath();
    if (!options.link.empty() && !MakeLink(options.link, device, error)) {
        std::cerr << "telvan-devsim: " << error << '\n';
        return 1;
    }
    std::cout << device << std::endl;

    bool input = true;
    std::string pending;
    for (;;) {
        pollfd descriptors[2] = {{signals, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (::poll(descriptors, input ? 2 : 1, -1) < 0 && errno != EINTR)
            break;
        if (descriptors[0].revents & POLLIN)
            break;
        if (input && (descriptors[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            char buffer[256];
            const auto count = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (count <= 0) {
                input = false;
                continue;
            }
            pending.append(buffer, static_cast<std::size_t>(count));
            for (auto end = pending.find('\n'); end != std::string::npos;
                 end = pending.find('\n')) {
                TakeInputLine(emulator, pending.substr(0, end));
                pending.erase(0, end + 1);
            }
        }
    }
    if (!options.link.empty())
        RemoveLink(options.link, device);
    std::cerr << "telvan-devsim: " << emulator.LinesSent() << " lines sent\n";
    return 0;
}
