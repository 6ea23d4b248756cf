#pragma once

#include <string>
#include <string_view>

namespace lookup {

// How the client introduces itself: user, host, client name and version.
// Servers may refuse anonymous hellos, so a usable e-mail address (the Mail
// setting) gives its local part and domain as user and host; anything else
// gives "anonymous" and a placeholder host.
class CddbHello {
public:
    static constexpr std::string_view kAnonymousUser = "anonymous";
    static constexpr std::string_view kPlaceholderHost = "localhost";
    static constexpr std::string_view kClientName = "Vinora";
    // The protocol level the client speaks.
    static constexpr int kProtocolLevel = 5;

    CddbHello(std::string_view mail, std::string_view version);

    const std::string& user() const { return user_; }
    const std::string& host() const { return host_; }

    // "cddb hello USER HOST Vinora VERSION", for the TCP handshake.
    std::string line() const;
    // "&hello=USER+HOST+Vinora+VERSION&proto=5", the tail of every HTTP
    // request (each field percent-encoded).
    std::string httpParameters() const;
    // "Vinora/VERSION"
    std::string userAgent() const;

private:
    std::string user_;
    std::string host_;
    std::string version_;
};

// `text` for a URL query: letters, digits and "-._~" kept, a blank as "+",
// every other byte as %XX.
std::string cddbQueryEncoded(std::string_view text);

}  // namespace lookup
