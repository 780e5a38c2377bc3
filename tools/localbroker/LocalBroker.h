#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

// Debian's mosquitto on 127.0.0.1 at a free port, with a configuration and a persistence
// folder of its own in a temporary folder; stopped when the object goes.
class CLocalBroker
{
public:
    CLocalBroker();
    ~CLocalBroker();
    CLocalBroker(const CLocalBroker&) = delete;
    CLocalBroker& operator=(const CLocalBroker&) = delete;

    // Starts the broker (on the port it had before, after a Stop) and waits until it takes
    // connections; false with the reason when it does not.
    bool Start(std::string& error);
    // Ends the broker as its service would (SIGTERM): it saves its sessions and goes.
    void Stop();

    int Port() const { return m_nPort; }
    std::string Url() const { return "mqtt://127.0.0.1:" + std::to_string(m_nPort); }
    const std::filesystem::path& Folder() const { return m_folder; }

private:
    bool WaitForListener(std::string& error) const;

    std::filesystem::path m_folder;
    int m_nPort = 0;
    pid_t m_nPid = -1;
};
