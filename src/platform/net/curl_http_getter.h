#pragma once

#include "platform/http_getter.h"

namespace platform {

// HTTP and HTTPS GET through libcurl. The transfer is driven in slices of
// kCancelPollInterval, so the cancel flag and the read time-out are seen
// while the server stays silent. Redirects are followed (a few, http and
// https only); a proxy is never used for a loopback host.
class CurlHttpGetter final : public HttpGetter {
public:
    CurlHttpGetter();

    HttpResponse fetch(const HttpRequest& request, const NetWait& wait) override;
};

}  // namespace platform
