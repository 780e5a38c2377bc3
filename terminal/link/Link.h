#pragma once

#include "LinkSettings.h"

#include <functional>
#include <string>
#include <string_view>

// The operator's messages about the port. A failure adds the system's reason as a second line.
inline constexpr std::string_view kConnectFailedText = "Failed to establish COM Port connection!";
inline constexpr std::string_view kConfigureFailedText = "Failed to configurate the COM Port!";
inline constexpr std::string_view kConnectionLostText = "COM Port connection lost!";

// The serial link of a main dialog: what the dialog uses, so that tests can put a
// pseudo-terminal or a fake behind it. All calls come from the user-interface thread, and
// the receiver and the lost handler are called there.
class CLink
{
public:
    // Takes each chunk read from the port, at most 100 bytes, in arrival order.
    using Receiver = std::function<void(std::string_view chunk)>;
    // Told once when the port failed while connected; the link is closed by then. Its
    // argument is the message for the operator.
    using LostHandler = std::function<void(const std::string& message)>;

    virtual ~CLink() = default;

    virtual void SetReceiver(Receiver receiver) = 0;
    virtual void SetLostHandler(LostHandler handler) = 0;
    // Taken by the next OpenPort or ConfigurePort.
    virtual void SetSettings(const CLinkSettings& settings) = 0;

    // Opens and configures the port and starts reading; false when it is connected already
    // or the port cannot be used.
    virtual bool OpenPort() = 0;
    // Applies the settings to the open port.
    virtual bool ConfigurePort() = 0;
    // Stops reading and closes the port; no chunk reaches the receiver afterwards.
    virtual void ClosePort() = 0;
    // Writes the bytes and returns when they are written: the number written, 0 when not
    // connected.
    virtual int WritePort(const char* bytes, int length) = 0;

    // The message for the operator after OpenPort or ConfigurePort returned false.
    virtual std::string FailureText() const = 0;
};
