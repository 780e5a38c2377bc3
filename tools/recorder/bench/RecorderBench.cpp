// telvan-recorder at the line's full rate: the device emulator measures a target stepping 1 mm
// a line and streams as fast as BAUD carries into the program, which writes its CSV file and
// publishes every reading to Debian's mosquitto on 127.0.0.1, where a subscriber counts what
// arrives and when.
//   telvan-recorder-bench RECORDER [SECONDS] [BAUD]

#include "DeviceEmulator.h"
#include "LocalBroker.h"
#include "LocalSubscriber.h"

#include <QDateTime>
#include <QString>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr std::chrono::seconds kGuard{120};

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// User and system time of a process so far, in seconds.
double CpuSeconds(pid_t pid)
{
    std::istringstream stat(ReadAll("/proc/" + std::to_string(pid) + "/stat"));
    std::string field;
    // The name in parentheses holds no blank here; fields 14 and 15 are utime and stime.
    std::vector<std::string> fields;
    while (stat >> field)
        fields.push_back(field);
    if (fields.size() < 15)
        return 0;
    return (std::stod(fields[13]) + std::stod(fields[14])) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::string LoadAverage()
{
    std::istringstream load(ReadAll("/proc/loadavg"));
    std::string one;
    load >> one;
    return one;
}

bool WaitFor(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + kGuard;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

constexpr auto Field = &CLocalSubscriber::Field;

double Percentile(std::vector<std::int64_t> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return static_cast<double>(values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))]);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: telvan-recorder-bench RECORDER [SECONDS] [BAUD]\n");
        return 2;
    }
    const std::string program = argv[1];
    const double seconds = argc > 2 ? std::atof(argv[2]) : 60;
    const std::string baud = argc > 3 ? argv[3] : "921600";

    std::string pattern = (fs::temp_directory_path() / "telvan-recorder-bench-XXXXXX");
    if (!::mkdtemp(pattern.data()))
        return 1;
    const fs::path folder = pattern;
    std::string error;
    CLocalBroker broker;
    CLocalSubscriber subscriber("bench-subscriber", "telvan/#");
    if (!broker.Start(error) || !subscriber.Start(broker.Port(), error) ||
        !subscriber.WaitForSubscription(kGuard)) {
        std::fprintf(stderr, "broker: %s\n", error.c_str());
        return 1;
    }
    CDeviceEmulator device(DeviceFamily::Zelnar, 1);
    device.SetCountingTarget(true);
    device.SetMaxRate(true);
    if (!device.Start(error)) {
        std::fprintf(stderr, "emulator: %s\n", error.c_str());
        return 1;
    }

    const fs::path csv = folder / "readings.csv";
    std::ofstream(folder / "recorder.conf") << "queue-dir = " << (folder / "queue").string() << "\n";
    std::vector<std::string> texts = {program, "--config", (folder / "recorder.conf").string(),
                                      "--port", device.DevicePath(), "--family", "zelnar",
                                      "--baud", baud, "--out", csv.string(), "--mqtt", broker.Url(),
                                      "--client-id", "bench"};
    std::vector<char*> arguments;
    for (std::string& text : texts)
        arguments.push_back(text.data());
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 2, (folder / "recorder.err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t recorder = -1;
    if (::posix_spawn(&recorder, program.c_str(), &files, nullptr, arguments.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return 1;
    }
    posix_spawn_file_actions_destroy(&files);
    if (!WaitFor([&] { return ReadAll(folder / "recorder.err").find("measuring") != std::string::npos; })) {
        std::fprintf(stderr, "the recorder does not measure:\n%s", ReadAll(folder / "recorder.err").c_str());
        ::kill(recorder, SIGKILL);
        return 1;
    }

    const std::string loadBefore = LoadAverage();
    const double cpuBefore = CpuSeconds(recorder);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double cpu = CpuSeconds(recorder) - cpuBefore;
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::string loadAfter = LoadAverage();
    ::kill(recorder, SIGTERM);
    int status = 0;
    ::waitpid(recorder, &status, 0);

    // The listing's lines came before the measurement started.
    const std::string listing = device.Listing();
    const std::uint64_t sent = device.LinesSent() - static_cast<std::uint64_t>(std::count(listing.begin(), listing.end(), '\n'));
    std::size_t rows = 0;
    {
        const std::string text = ReadAll(csv);
        rows = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) - 1;
    }
    WaitFor([&] { return subscriber.Payloads("telvan/bench/reading").size() >= rows; });
    std::set<std::string> distinct;
    std::vector<std::int64_t> latencies;
    std::size_t received = 0;
    for (const CLocalSubscriber::CMessage& message : subscriber.Messages()) {
        if (message.topic != "telvan/bench/reading")
            continue;
        ++received;
        if (!distinct.insert(message.payload).second)
            continue;
        const QString time = QString::fromStdString(Field(message.payload, "time"));
        const std::int64_t at = QDateTime::fromString(time, Qt::ISODateWithMs).toMSecsSinceEpoch();
        latencies.push_back(message.receivedMs - at);
    }

    std::printf("%.1f s at %s baud\n", elapsed, baud.c_str());
    std::printf("lines sent by the emulator %llu, rows written %zu, messages received %zu "
                "(%zu distinct)\n",
                static_cast<unsigned long long>(sent), rows, received, distinct.size());
    std::printf("recorder CPU %.4f s per second (%.2f %% of a core)\n", cpu / elapsed,
                100 * cpu / elapsed);
    std::printf("latency from the line's arrival to the subscriber: p50 %.0f ms, p99 %.0f ms, "
                "highest %.0f ms\n",
                Percentile(latencies, 0.5), Percentile(latencies, 0.99), Percentile(latencies, 1.0));
    std::printf("load average (1 min) %s at the start, %s at the end, on %ld cores\n",
                loadBefore.c_str(), loadAfter.c_str(), ::sysconf(_SC_NPROCESSORS_ONLN));
    const bool equal = sent == rows && rows == distinct.size() && WIFEXITED(status) &&
                       WEXITSTATUS(status) == 0;
    std::printf("%s\n", equal ? "PASS: all equal" : "FAIL");
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return equal ? 0 : 1;
}
