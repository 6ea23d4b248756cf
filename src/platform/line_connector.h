#pragma once

#include <memory>
#include <string>

#include "platform/line_connection.h"
#include "platform/net_wait.h"

namespace platform {

// Opens line-protocol connections over TCP.
class LineConnector {
public:
    virtual ~LineConnector() = default;

    // Connects to `host` (a name or an address) on `port` within
    // wait.connectTimeout; later reads and writes use `wait` too. Throws
    // NetError.
    virtual std::unique_ptr<LineConnection> connect(const std::string& host, int port, const NetWait& wait) = 0;
};

}  // namespace platform
