#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "support/temp_dir.h"

namespace test_support {

// A real SMTP server on 127.0.0.1 with an ephemeral port: Debian's
// aiosmtpd, run by /usr/bin/python3 from smtp_test_server.py, for as long
// as this object lives.
class SmtpTestServer {
public:
    enum class Mode {
        Accept,  // keeps every message
        Refuse,  // refuses every message at its end with kRefusal
        Silent,  // accepts connections, never greets
    };
    inline static const std::string kRefusal = "554 5.7.1 Submissions from this sender are not taken";

    struct Delivery {
        std::string from;
        std::vector<std::string> to;
        std::string bytes;  // the message as received
    };

    explicit SmtpTestServer(Mode mode = Mode::Accept);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    int port() const { return port_; }
    // The messages accepted so far, in order.
    std::vector<Delivery> deliveries() const;

    // A loopback port that nothing listens on.
    static int closedPort();

private:
    TempDir folder_;
    pid_t pid_ = -1;
    int port_ = 0;
};

}  // namespace test_support
