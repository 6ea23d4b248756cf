#include "lookup/cddb_server.h"

namespace lookup {

int CddbServer::effectivePort() const
{
    if (port != 0)
        return port;
    if (transport == CddbTransport::Tcp)
        return kTcpPort;
    return tls ? kHttpsPort : kHttpPort;
}

CddbServer cddbServerFromSettings(const settings::ProgramSettings& settings)
{
    CddbServer server;
    server.host = settings.host;
    const bool http = !settings.protocol.empty() && settings.protocol.front() == 'H';
    server.transport = http ? CddbTransport::Http : CddbTransport::Tcp;
    server.tls = http && settings.ssl;
    return server;
}

}  // namespace lookup
