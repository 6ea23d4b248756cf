#include "platform/net/tcp_line_connector.h"

#include "platform/net/tcp_line_connection.h"

namespace platform {

std::unique_ptr<LineConnection> TcpLineConnector::connect(const std::string& host, int port, const NetWait& wait)
{
    return TcpLineConnection::open(host, port, wait);
}

}  // namespace platform
