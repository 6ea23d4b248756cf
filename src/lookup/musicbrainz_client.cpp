#include "lookup/musicbrainz_client.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include <QUrl>

#include "catalogue/file_replacement.h"
#include "lookup/musicbrainz_disc_id.h"
#include "platform/net_error.h"

namespace lookup {
namespace {

constexpr long kNotFound = 404;
constexpr long kUnavailable = 503;
constexpr char kReleaseIncludes[] = "inc=artist-credits+recordings&fmt=json";
constexpr std::chrono::seconds kDefaultRetryWait{1};

std::string encoded(const std::string& text)
{
    return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
}

std::chrono::milliseconds retryWait(const std::string& retryAfter)
{
    long seconds = 0;
    const auto [end, status] = std::from_chars(retryAfter.data(), retryAfter.data() + retryAfter.size(), seconds);
    // An HTTP date, or nothing usable: a second, as the service asks of
    // every client anyway.
    if (status != std::errc() || end != retryAfter.data() + retryAfter.size() || seconds < 0)
        return kDefaultRetryWait;
    return std::chrono::seconds(std::min<long>(seconds, MusicBrainzClient::kMaxRetryWait.count()));
}

platform::HttpRequest requestTo(const std::string& base, const std::string& target, const std::string& userAgent,
                                std::size_t maxBytes)
{
    const auto address = musicBrainzAddress(base);
    if (!address)
        throw platform::NetError(platform::NetError::Kind::Failed, "Not a web address: " + base);
    return {address->tls, address->host, address->port, address->path + target, userAgent, maxBytes};
}

std::string statusMessage(long status)
{
    if (status == kUnavailable)
        return "MusicBrainz is busy (HTTP status 503) and stayed so after a second try; try again later.";
    return "MusicBrainz answered with HTTP status " + std::to_string(status) + ".";
}

}  // namespace

MusicBrainzClient::MusicBrainzClient(MusicBrainzService service, platform::HttpGetter& http,
                                     MusicBrainzRateLimit& limit)
    : service_(std::move(service)), http_(http), limit_(limit)
{
}

MusicBrainzClient::Result MusicBrainzClient::lookupDisc(const platform::DiscToc& toc)
{
    const std::string discId = musicBrainzDiscId(toc);
    try {
        Result result = releasesOf(ask("/ws/2/discid/" + discId + "?cdstubs=no&" + kReleaseIncludes), discId, 0);
        if (result.outcome != Outcome::NotFound)
            return result;
        return releasesOf(ask("/ws/2/discid/-?toc=" + musicBrainzTocParameter(toc) + "&cdstubs=no&" +
                              kReleaseIncludes),
                          {}, toc.trackCount);
    } catch (const std::exception& error) {
        return failed(error);
    }
}

MusicBrainzClient::Result MusicBrainzClient::searchBarcode(const std::string& barcode)
{
    try {
        return releasesOf(ask("/ws/2/release?query=" + encoded("barcode:" + barcode) + "&fmt=json"), {}, 0);
    } catch (const std::exception& error) {
        return failed(error);
    }
}

MusicBrainzClient::Result MusicBrainzClient::release(const std::string& releaseId)
{
    if (!isMusicBrainzId(releaseId))
        return {Outcome::Failed, "Not a MusicBrainz release: " + releaseId, {}};
    try {
        return releasesOf(ask("/ws/2/release/" + releaseId + "?" + kReleaseIncludes), {}, 0);
    } catch (const std::exception& error) {
        return failed(error);
    }
}

MusicBrainzClient::CoverResult MusicBrainzClient::downloadFrontCover(const std::string& releaseId,
                                                                     const std::string& folder)
{
    if (!isMusicBrainzId(releaseId))
        return {Outcome::Failed, "Not a MusicBrainz release: " + releaseId, {}};
    try {
        // The 500-pixel rendering is always a JPEG and enough for the
        // cover window; the archive redirects to where it is stored.
        const platform::HttpResponse response = http_.fetch(
            requestTo(service_.coverArt, "/release/" + releaseId + "/front-500", service_.userAgent, kMaxCoverBytes),
            wait_);
        if (response.status == kNotFound)
            return {Outcome::NotFound, {}, {}};
        if (response.status != 200)
            return {Outcome::Failed,
                    "The Cover Art Archive answered with HTTP status " + std::to_string(response.status) + ".",
                    {}};
        std::filesystem::create_directories(folder);
        const std::string path = (std::filesystem::path(folder) / (releaseId + ".jpg")).string();
        catalogue::replaceFile(path, "the cover image", response.body);
        return {Outcome::Found, {}, path};
    } catch (const std::exception& error) {
        const Result result = failed(error);
        return {result.outcome, result.message, {}};
    }
}

platform::HttpResponse MusicBrainzClient::ask(const std::string& target)
{
    const platform::HttpRequest request =
        requestTo(service_.webService, target, service_.userAgent, kMaxDocumentBytes);
    limit_.waitTurn(wait_);
    platform::HttpResponse response = http_.fetch(request, wait_);
    if (response.status != kUnavailable)
        return response;
    MusicBrainzRateLimit::pauseFor(retryWait(response.retryAfter), wait_);
    limit_.waitTurn(wait_);
    return http_.fetch(request, wait_);
}

MusicBrainzClient::Result MusicBrainzClient::releasesOf(const platform::HttpResponse& response,
                                                        const std::string& discId, int trackCount) const
{
    if (response.status == kNotFound)
        return {Outcome::NotFound, {}, {}};
    if (response.status != 200)
        return {Outcome::Failed, statusMessage(response.status), {}};
    MusicBrainzReading reading = readMusicBrainzReleases(response.body, discId, trackCount);
    if (!reading.error.empty())
        return {Outcome::Failed, reading.error, {}};
    const Outcome outcome = reading.releases.empty() ? Outcome::NotFound : Outcome::Found;
    return {outcome, {}, std::move(reading.releases)};
}

MusicBrainzClient::Result MusicBrainzClient::failed(const std::exception& error) const
{
    const auto* netError = dynamic_cast<const platform::NetError*>(&error);
    if (netError != nullptr && netError->kind() == platform::NetError::Kind::Cancelled)
        return {Outcome::Cancelled, {}, {}};
    return {Outcome::Failed, error.what(), {}};
}

}  // namespace lookup
