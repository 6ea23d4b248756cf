#pragma once

#include <optional>
#include <string>
#include <vector>

// The command line of vinora-cddb.
struct CddbToolOptions {
    std::string command;                // discid, query, read, sites, lscat, mb
    std::vector<std::string> arguments;  // the command's own
    std::optional<std::string> host;
    std::optional<int> port;
    bool http = false;
    std::optional<std::string> mail;
    std::optional<std::string> musicBrainz;  // the web service's base address
};

inline constexpr char kCddbToolUsage[] =
    "usage: vinora-cddb [--host H] [--port N] [--http] [--mail ADDRESS] [--musicbrainz URL] COMMAND\n"
    "  discid SOURCE          the disc ID, track count, offsets and seconds of a disc,\n"
    "                         then \"musicbrainz\" and its MusicBrainz disc ID\n"
    "  query SOURCE           the server's matches for a disc\n"
    "  read CATEGORY DISCID   an entry as xmcd text\n"
    "  sites                  the server's mirror hosts\n"
    "  lscat                  the server's categories\n"
    "  mb SOURCE              the MusicBrainz releases of a disc (--musicbrainz: another\n"
    "                         server than https://musicbrainz.org)\n"
    "SOURCE is a CD device or a .cue/.toc disc image. Without options the\n"
    "server and e-mail address come from Vinora.ini ($VINORA_HOME or the\n"
    "program directory). Exit status: 0 found, 1 not found, 2 error.\n";

// The options of `arguments` (without the program name); nothing, with
// `error` set, when they do not make a command.
std::optional<CddbToolOptions> parseCddbToolOptions(const std::vector<std::string>& arguments, std::string& error);
