#include "cddb_tool_options.h"

#include <charconv>
#include <map>

namespace {

// How many arguments each command takes.
const std::map<std::string, std::size_t>& commandArity()
{
    static const std::map<std::string, std::size_t> arity{
        {"discid", 1}, {"query", 1}, {"read", 2}, {"sites", 0}, {"lscat", 0}, {"mb", 1}};
    return arity;
}

}  // namespace

std::optional<CddbToolOptions> parseCddbToolOptions(const std::vector<std::string>& arguments, std::string& error)
{
    CddbToolOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue =
            argument == "--host" || argument == "--port" || argument == "--mail" || argument == "--musicbrainz";
        if (takesValue && i + 1 == arguments.size()) {
            error = argument + " needs a value";
            return std::nullopt;
        }
        if (argument == "--host") {
            options.host = arguments[++i];
        } else if (argument == "--mail") {
            options.mail = arguments[++i];
        } else if (argument == "--musicbrainz") {
            options.musicBrainz = arguments[++i];
        } else if (argument == "--port") {
            const std::string& text = arguments[++i];
            int port = 0;
            const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), port);
            if (status != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) {
                error = "not a port: " + text;
                return std::nullopt;
            }
            options.port = port;
        } else if (argument == "--http") {
            options.http = true;
        } else if (argument.rfind("--", 0) == 0) {
            error = "unknown option " + argument;
            return std::nullopt;
        } else if (options.command.empty()) {
            options.command = argument;
        } else {
            options.arguments.push_back(argument);
        }
    }
    const auto arity = commandArity().find(options.command);
    if (arity == commandArity().end()) {
        error = options.command.empty() ? "no command" : "unknown command " + options.command;
        return std::nullopt;
    }
    if (options.arguments.size() != arity->second) {
        error = options.command + " takes " + std::to_string(arity->second) + " argument(s)";
        return std::nullopt;
    }
    return options;
}
