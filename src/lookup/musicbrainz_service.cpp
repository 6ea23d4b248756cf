#include "lookup/musicbrainz_service.h"

#include <charconv>

#include "common/product_version.h"
#include "common/trim_and_case.h"

namespace lookup {

std::optional<MusicBrainzAddress> musicBrainzAddress(std::string_view url)
{
    MusicBrainzAddress address;
    if (url.starts_with("https://")) {
        url.remove_prefix(8);
    } else if (url.starts_with("http://")) {
        url.remove_prefix(7);
        address.tls = false;
        address.port = 80;
    } else {
        return std::nullopt;
    }
    const auto slash = url.find('/');
    std::string_view authority = url.substr(0, slash);
    if (slash != std::string_view::npos) {
        address.path = url.substr(slash);
        while (!address.path.empty() && address.path.back() == '/')
            address.path.pop_back();
    }
    const auto colon = authority.rfind(':');
    if (colon != std::string_view::npos && authority.find(']', colon) == std::string_view::npos) {
        const std::string_view port = authority.substr(colon + 1);
        const auto [end, status] = std::from_chars(port.data(), port.data() + port.size(), address.port);
        if (status != std::errc() || end != port.data() + port.size() || address.port < 1 || address.port > 65535)
            return std::nullopt;
        authority = authority.substr(0, colon);
    }
    if (authority.size() > 2 && authority.front() == '[' && authority.back() == ']')
        authority = authority.substr(1, authority.size() - 2);
    if (authority.empty() || authority.find_first_of(" ?#@") != std::string_view::npos)
        return std::nullopt;
    address.host = authority;
    return address;
}

std::string musicBrainzUserAgent(std::string_view version, std::string_view mail)
{
    const std::string product = std::string(common::kAppTitle) + "/" + std::string(version);
    const std::string_view contact = common::trimmed(mail);
    return contact.empty() ? product : product + " ( " + std::string(contact) + " )";
}

MusicBrainzService musicBrainzServiceFromSettings(const settings::ProgramSettings& settings)
{
    return {settings.musicBrainzUrl, settings.coverArtUrl,
            musicBrainzUserAgent(common::productVersion(), settings.mail)};
}

}  // namespace lookup
