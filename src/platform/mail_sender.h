#pragma once

#include <string>

#include "platform/net_wait.h"

namespace platform {

// An outgoing mail server: `host` (a name or an address) and its port.
struct MailServer {
    std::string host;
    int port = 25;
};

// One message for one recipient. `text` is the whole message as it goes
// on the wire, header lines and body, every line ended by CR LF.
struct MailMessage {
    std::string from;  // the sender's address, also the envelope sender
    std::string to;    // the one recipient's address
    std::string text;
};

// Hands messages to an SMTP server, encrypted with STARTTLS when the
// server offers it.
class MailSender {
public:
    virtual ~MailSender() = default;

    // Returns once `server` has accepted `message` for delivery. A refusal
    // throws NetError with the server's own words; a failed connection, a
    // time-out or a cancel throws NetError too, its message naming the
    // server.
    virtual void send(const MailServer& server, const MailMessage& message, const NetWait& wait) = 0;
};

}  // namespace platform
