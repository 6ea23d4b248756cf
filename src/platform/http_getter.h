#pragma once

#include <cstddef>
#include <string>

#include "platform/net_wait.h"

namespace platform {

struct HttpRequest {
    bool tls = false;  // https
    std::string host;
    int port = 80;
    std::string target;  // path and query, already encoded
    std::string userAgent;
    // A longer body ends the request rather than filling memory.
    std::size_t maxBodyBytes = 4 * 1024 * 1024;
};

// HTTP GET through the proxy the environment names (http_proxy,
// https_proxy, no_proxy), as other programs on the machine do.
class HttpGetter {
public:
    virtual ~HttpGetter() = default;

    // The body of a 2xx answer, bytes as received. Any other status, a
    // failed connection, a time-out, a cancel or a body over
    // request.maxBodyBytes throws NetError.
    virtual std::string get(const HttpRequest& request, const NetWait& wait) = 0;
};

}  // namespace platform
