#pragma once

#include <string>

#include "settings/program_settings.h"

namespace lookup {

enum class CddbTransport { Tcp, Http };

// Where the CDDB exchanges go and how.
struct CddbServer {
    static constexpr int kTcpPort = 8880;
    static constexpr int kHttpPort = 80;
    static constexpr int kHttpsPort = 443;

    std::string host;
    int port = 0;  // 0: the transport's own port
    CddbTransport transport = CddbTransport::Tcp;
    bool tls = false;  // HTTPS; over HTTP only

    // `port`, or 8880 for TCP, 80 for HTTP, 443 for HTTPS.
    int effectivePort() const;
};

// The server the settings name: Protocol "H" means HTTP, any other value
// TCP; SSL on means HTTPS on port 443 (TLS on port 80 cannot work).
CddbServer cddbServerFromSettings(const settings::ProgramSettings& settings);

}  // namespace lookup
