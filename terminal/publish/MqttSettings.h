#pragma once

#include <cstdint>
#include <string>

// Where and how readings are published. The topics are PREFIX/ID/reading, PREFIX/ID/status
// (retained, "offline" as the last will) and PREFIX/ID/dropped.
struct CMqttSettings
{
    std::string host = "localhost";
    int port = 1883;
    bool tls = false;
    std::string topicPrefix = "telvan";
    std::string clientId; // also the ID in the topics; the broker keeps its session by it
    int qos = 1;
    std::string username; // none when empty
    std::string password;
    std::string caFile; // TLS: the authorities to trust; the system's when empty
    std::string certFile; // TLS: a client certificate with its key, or none
    std::string keyFile;
    std::string queueFolder; // where readings the broker has not acknowledged wait
    std::uint64_t queueBytes = std::uint64_t{100} << 20;
    int keepAliveSeconds = 30;
};
