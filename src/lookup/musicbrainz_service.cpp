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

bool isMusicBrainzId(const std::string& id)
{
    if (id.size() != 36)
        return false;
    for (std::size_t i = 0; i < id.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        const char c = id[i];
        if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

std::string musicBrainzReleasePage(std::string_view webService, std::string_view releaseId)
{
    while (webService.ends_with('/'))
        webService.remove_suffix(1);
    return std::string(webService) + "/release/" + std::string(releaseId);
}

std::optional<std::string> musicBrainzReleaseOfPage(std::string_view address, std::string_view webService)
{
    const std::string prefix = musicBrainzReleasePage(webService, "");
    address = common::trimmed(address);
    if (!address.starts_with(prefix))
        return std::nullopt;
    std::string id(address.substr(prefix.size()));
    if (!isMusicBrainzId(id))
        return std::nullopt;
    return id;
}

MusicBrainzService musicBrainzServiceFromSettings(const settings::ProgramSettings& settings)
{
    return {settings.musicBrainzUrl, settings.coverArtUrl,
            musicBrainzUserAgent(common::productVersion(), settings.mail)};
}

}  // namespace lookup
