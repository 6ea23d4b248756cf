// vinora-cddb: the program's CDDB client on the command line, for scripts
// and for checking a server by hand.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cddb_tool_options.h"
#include "common/ansi_text.h"
#include "common/product_version.h"
#include "lookup/cddb_client.h"
#include "lookup/cddb_commands.h"
#include "lookup/disc_id.h"
#include "lookup/musicbrainz_client.h"
#include "lookup/musicbrainz_disc_id.h"
#include "platform/cdio/libcdio_access.h"
#include "platform/net/curl_http_getter.h"
#include "platform/net/tcp_line_connector.h"
#include "settings/settings_file.h"

namespace {

constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kError = 2;

int fail(const std::string& message)
{
    std::cerr << "vinora-cddb: " << message << "\n";
    return kError;
}

// The program directory as the program finds it, a collection carried
// beside an executable aside.
std::string programDirectory()
{
    const auto variable = [](const char* name) { return std::string(std::getenv(name) ? std::getenv(name) : ""); };
    if (!variable("VINORA_HOME").empty())
        return variable("VINORA_HOME") + "/";
    const std::string data = variable("XDG_DATA_HOME");
    if (!data.empty() && data.front() == '/')
        return data + "/vinora/";
    return variable("HOME") + "/.local/share/vinora/";
}

settings::ProgramSettings readSettings()
{
    const settings::SettingsFile file({programDirectory(), {}});
    return std::filesystem::exists(file.path()) ? file.read() : file.defaults();
}

// The TOC of the disc at `source`, or nothing.
std::optional<platform::DiscToc> tocOfDisc(const std::string& source, std::string& error)
{
    platform::LibcdioAccess access;
    platform::CdRomDriveList drives;
    platform::DiscToc toc;
    if (access.getCdRomDrives(source, drives))
        access.readCdToc(drives.drives.front(), toc);
    if (toc.trackCount == 0) {
        error = "no audio disc in " + source;
        return std::nullopt;
    }
    return toc;
}

std::string queryOf(const platform::DiscToc& toc)
{
    return lookup::cddbQueryCommand(lookup::discIdText(lookup::calcDiscId(toc)), toc);
}

// One line per release: its identifier and what the choice among several
// shows, in UTF-8.
int printReleases(const lookup::MusicBrainzClient::Result& result)
{
    if (result.outcome == lookup::MusicBrainzClient::Outcome::Failed)
        return fail(result.message);
    if (result.outcome != lookup::MusicBrainzClient::Outcome::Found)
        return kNotFound;
    for (const lookup::MusicBrainzRelease& release : result.releases)
        std::cout << release.id << " " << common::fromAnsi(lookup::musicBrainzMatchText(release)).toStdString()
                  << "\n";
    return kFound;
}

int printLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        std::cout << line << "\n";
    return lines.empty() ? kNotFound : kFound;
}

int printLookup(const lookup::CddbLookupResult& result, bool wantEntry)
{
    if (result.outcome != lookup::CddbOutcome::Completed || !result.message.empty())
        return fail(result.message);
    if (result.notFound)
        return kNotFound;
    if (wantEntry)
        return result.entry ? printLines(*result.entry) : fail("the server answered: " + result.reply);
    if (result.matches.empty())
        return fail("the server answered: " + result.reply);
    return printLines(result.matches);
}

int printList(const lookup::CddbListResult& result)
{
    if (result.outcome != lookup::CddbOutcome::Completed)
        return fail(result.message);
    return printLines(result.items);
}

int run(const CddbToolOptions& options)
{
    std::optional<platform::DiscToc> toc;
    if (options.command == "discid" || options.command == "query" || options.command == "mb") {
        std::string error;
        toc = tocOfDisc(options.arguments[0], error);
        if (!toc)
            return fail(error);
        if (options.command == "discid") {
            std::cout << queryOf(*toc).substr(std::string_view("cddb query ").size()) << "\n"
                      << "musicbrainz " << lookup::musicBrainzDiscId(*toc) << "\n";
            return kFound;
        }
    }
    const settings::ProgramSettings settings = readSettings();
    platform::CurlHttpGetter http;
    if (options.command == "mb") {
        lookup::MusicBrainzService service = lookup::musicBrainzServiceFromSettings(settings);
        service.webService = options.musicBrainz.value_or(service.webService);
        if (options.mail)
            service.userAgent = lookup::musicBrainzUserAgent(common::productVersion(), *options.mail);
        return printReleases(lookup::MusicBrainzClient(service, http).lookupDisc(*toc));
    }
    lookup::CddbServer server = lookup::cddbServerFromSettings(settings);
    if (options.host)
        server.host = *options.host;
    if (options.port)
        server.port = *options.port;
    if (options.http) {
        server.transport = lookup::CddbTransport::Http;
        server.tls = settings.ssl;
    }
    platform::TcpLineConnector tcp;
    lookup::CddbClient client(server, lookup::CddbHello(options.mail.value_or(settings.mail), common::productVersion()),
                              tcp, http);

    if (options.command == "query")
        return printLookup(client.query(queryOf(*toc)), false);
    if (options.command == "read")
        return printLookup(client.read(options.arguments[0], options.arguments[1]), true);
    if (options.command == "sites")
        return printList(client.listSites());
    return printList(client.listCategories());
}

}  // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto options = parseCddbToolOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::cerr << "vinora-cddb: " << error << "\n" << kCddbToolUsage;
        return kError;
    }
    try {
        return run(*options);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
