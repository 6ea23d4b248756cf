#pragma once

#include <cstddef>
#include <string>

#include "platform/net_error.h"
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

// An answer as the server gave it, whatever its status.
struct HttpResponse {
    long status = 0;
    std::string body;
    std::string retryAfter;  // the Retry-After header's value; "" without one
};

// HTTP GET through the proxy the environment names (http_proxy,
// https_proxy, no_proxy), as other programs on the machine do.
class HttpGetter {
public:
    virtual ~HttpGetter() = default;

    // The answer after redirects, any status. A failed connection, a
    // time-out, a cancel or a body over request.maxBodyBytes throws
    // NetError.
    virtual HttpResponse fetch(const HttpRequest& request, const NetWait& wait) = 0;

    // The body of a 2xx answer, bytes as received; any other status throws
    // NetError too.
    std::string get(const HttpRequest& request, const NetWait& wait)
    {
        HttpResponse response = fetch(request, wait);
        if (response.status < 200 || response.status > 299)
            throw NetError(NetError::Kind::Failed, request.host + " port " + std::to_string(request.port) +
                                                       " answered with HTTP status " +
                                                       std::to_string(response.status));
        return std::move(response.body);
    }
};

}  // namespace platform
