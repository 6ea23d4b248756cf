#include "lookup/cddb_hello.h"

#include <algorithm>

namespace lookup {
namespace {

// Servers refuse arguments longer than this.
constexpr std::size_t kMaxField = 128;

// A field travels as one word of a command line: printable ASCII only.
bool usableField(std::string_view field)
{
    return !field.empty() && field.size() <= kMaxField &&
           std::all_of(field.begin(), field.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

}  // namespace

CddbHello::CddbHello(std::string_view mail, std::string_view version)
    : user_(kAnonymousUser), host_(kPlaceholderHost), version_(usableField(version) ? version : "0")
{
    const auto at = mail.find('@');
    if (at == std::string_view::npos || mail.find('@', at + 1) != std::string_view::npos)
        return;
    const std::string_view local = mail.substr(0, at);
    const std::string_view domain = mail.substr(at + 1);
    if (usableField(local) && usableField(domain) && domain.find('.') != std::string_view::npos) {
        user_ = local;
        host_ = domain;
    }
}

std::string CddbHello::line() const
{
    return "cddb hello " + user_ + " " + host_ + " " + std::string(kClientName) + " " + version_;
}

std::string CddbHello::httpParameters() const
{
    return "&hello=" + cddbQueryEncoded(user_) + "+" + cddbQueryEncoded(host_) + "+" +
           cddbQueryEncoded(kClientName) + "+" + cddbQueryEncoded(version_) +
           "&proto=" + std::to_string(kProtocolLevel);
}

std::string CddbHello::userAgent() const { return std::string(kClientName) + "/" + version_; }

std::string cddbQueryEncoded(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0f];
        }
    }
    return out;
}

}  // namespace lookup
