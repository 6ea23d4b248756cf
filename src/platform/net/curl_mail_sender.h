#pragma once

#include "platform/mail_sender.h"

namespace platform {

// SMTP through libcurl. STARTTLS is used when the server offers it (with
// the certificate checked); otherwise the message goes in the clear, as
// port 25 allows. No proxy is used. The transfer is driven in slices of
// kCancelPollInterval, so the cancel flag and the read time-out are seen
// while the server stays silent.
class CurlMailSender final : public MailSender {
public:
    CurlMailSender();

    void send(const MailServer& server, const MailMessage& message, const NetWait& wait) override;
};

}  // namespace platform
