#pragma once

#include "platform/line_connector.h"

namespace platform {

// Line-protocol connections over POSIX sockets.
class TcpLineConnector final : public LineConnector {
public:
    std::unique_ptr<LineConnection> connect(const std::string& host, int port, const NetWait& wait) override;
};

}  // namespace platform
