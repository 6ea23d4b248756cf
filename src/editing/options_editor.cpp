#include "editing/options_editor.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <tuple>
#include <unistd.h>

#include "common/trim_and_case.h"

namespace editing {
namespace {

namespace fs = std::filesystem;

bool blank(std::string_view text) { return common::trimmed(text).empty(); }

bool onPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "";
    while (!dirs.empty()) {
        const std::size_t colon = dirs.find(':');
        const std::string_view dir = dirs.substr(0, colon);
        if (!dir.empty() && ::access((fs::path(dir) / name).c_str(), X_OK) == 0)
            return true;
        dirs = colon == std::string_view::npos ? std::string_view{} : dirs.substr(colon + 1);
    }
    return false;
}

// A Linux user names a viewer or player by its command ("eog") as often as
// by its path.
bool programFound(const std::string& program)
{
    std::error_code error;
    if (fs::is_regular_file(program, error))
        return true;
    return program.find('/') == std::string::npos && onPath(program);
}

void showHost(OptionsValues& values, const std::string& current)
{
    const bool listed = std::find(values.hosts.begin(), values.hosts.end(), current) != values.hosts.end();
    values.host = listed || values.hosts.empty() ? current : values.hosts.front();
}

}  // namespace

OptionsEditor::OptionsEditor(const settings::SettingsFile& file, settings::ProgramSettings& running,
                             ProgramCheck programCheck)
    : file_(file), running_(running), programCheck_(programCheck ? std::move(programCheck) : programFound),
      protocolAtOpening_(running.protocol)
{
}

OptionsValues OptionsEditor::activate()
{
    changed_.fill(false);
    const std::vector<std::string> sites = file_.sectionValues(settings::section::kSite);
    sitesAtActivation_ = sites.size();
    const settings::ProgramSettings stored = file_.read();

    OptionsValues values;
    for (const std::string& site : sites)
        values.hosts.emplace_back(common::trimmed(site));
    showHost(values, running_.host);
    values.mail = stored.mail;
    values.server = stored.server;
    values.viewer = stored.viewer;
    values.name = stored.name;
    values.labeler = stored.labeler;
    values.player = stored.player;
    values.covers = stored.coversUrl;
    values.hint = stored.hint;
    values.art = stored.art;
    values.ssl = stored.ssl;
    values.drivePath = stored.cdPath;
    values.driveEntry = stored.driveNr < 0 ? 0 : static_cast<std::size_t>(stored.driveNr);
    values.http = running_.protocol == "H";
    values.lookupOrder = stored.lookupOrder;

    const std::pair<Option, bool> loaded[] = {
        {Option::Mail, !values.mail.empty()},       {Option::Server, !values.server.empty()},
        {Option::Viewer, !values.viewer.empty()},   {Option::Name, !values.name.empty()},
        {Option::Labeler, !values.labeler.empty()}, {Option::Player, !values.player.empty()},
        {Option::Covers, !values.covers.empty()},   {Option::Hint, values.hint},
        {Option::Art, values.art},                  {Option::Ssl, values.ssl},
        {Option::DrivePath, !values.drivePath.empty()}, {Option::Protocol, true},
    };
    for (const auto& [option, differs] : loaded)
        changed_[index(option)] = differs;
    return values;
}

void OptionsEditor::chooseProtocol(OptionsValues& values, bool http)
{
    values.http = http;
    running_.protocol = http ? "H" : "T";
    markChanged(Option::Protocol);
}

void OptionsEditor::hostsRefreshed(OptionsValues& values, std::vector<std::string> hosts)
{
    markChanged(Option::Sites);
    markChanged(Option::Host);
    values.hosts = std::move(hosts);
    showHost(values, values.host);
}

std::vector<std::string> OptionsEditor::accept(OptionsValues& values,
                                               const std::function<std::string()>& firstCdDrive)
{
    std::vector<std::string> messages = check(values);
    write(values, firstCdDrive);
    return messages;
}

// An empty mail field is "not set" rather than wrong: submissions ask for
// it when they need it.
std::vector<std::string> OptionsEditor::check(const OptionsValues& values) const
{
    std::vector<std::string> messages;
    if (!blank(values.mail) && values.mail.find('@') == std::string::npos)
        messages.push_back(kInvalidMail);
    if (!blank(values.server) && values.server.find('.') == std::string::npos)
        messages.push_back(kInvalidServer);
    const std::pair<const std::string*, const std::string*> programs[] = {
        {&values.viewer, &kInvalidViewer}, {&values.player, &kInvalidPlayer}, {&values.labeler, &kInvalidLabeler}};
    for (const auto& [program, message] : programs)
        if (!program->empty() && !programCheck_(*program))
            messages.push_back(*message);
    return messages;
}

void OptionsEditor::write(OptionsValues& values, const std::function<std::string()>& firstCdDrive)
{
    using namespace settings;
    const auto current = [this](std::string_view key, const std::string& value) {
        file_.writeString(section::kCurrent, key, value);
    };
    if (changed(Option::Host) && !blank(values.host)) {
        current(key::kHost, values.host);
        running_.host = values.host;
        if (std::find(values.hosts.begin(), values.hosts.end(), values.host) == values.hosts.end())
            values.hosts.push_back(values.host);
    }
    if (changed(Option::Mail) && !blank(values.mail)) {
        current(key::kMail, values.mail);
        running_.mail = values.mail;
    }
    if (changed(Option::Server) && !blank(values.server)) {
        current(key::kServer, values.server);
        running_.server = values.server;
    }
    if (changed(Option::Sites) && !values.hosts.empty())
        file_.rewriteNumbered(section::kSite, key::kSitePrefix, values.hosts);
    if (changed(Option::Hint)) {
        file_.writeBool(section::kCurrent, key::kHint, values.hint);
        running_.hint = values.hint;
    }
    if (changed(Option::Art)) {
        file_.writeBool(section::kCurrent, key::kArt, values.art);
        running_.art = values.art;
    }
    if (changed(Option::Ssl)) {
        file_.writeBool(section::kCurrent, key::kSsl, values.ssl);
        running_.ssl = values.ssl;
    }
    if (changed(Option::Protocol)) {
        running_.protocol = values.http ? "H" : "T";
        current(key::kProtocol, running_.protocol);
        protocolAtOpening_ = running_.protocol;
    }
    if (changed(Option::DriveEntry)) {
        file_.writeInteger(section::kCurrent, key::kDriveNr, static_cast<long>(values.driveEntry));
        running_.driveNr = static_cast<long>(values.driveEntry);
        running_.cdPath = firstCdDrive();
        current(key::kCdPath, running_.cdPath);
    }
    // After the drive entry, so a path chosen as well wins.
    if (changed(Option::DrivePath)) {
        current(key::kCdPath, values.drivePath);
        running_.cdPath = values.drivePath;
    }
    const std::tuple<Option, std::string_view, const std::string*, std::string*> texts[] = {
        {Option::Viewer, key::kViewer, &values.viewer, &running_.viewer},
        {Option::Labeler, key::kLabeler, &values.labeler, &running_.labeler},
        {Option::Player, key::kPlayer, &values.player, &running_.player},
        {Option::Name, key::kName, &values.name, &running_.name},
    };
    for (const auto& [option, key, value, target] : texts)
        if (changed(option)) {
            current(key, *value);
            *target = *value;
        }
    if (changed(Option::Covers)) {
        file_.writeString(section::kUrl, key::kCovers, values.covers);
        running_.coversUrl = values.covers;
    }
    if (changed(Option::LookupOrder)) {
        current(key::kLookup, std::string(lookupOrderWord(values.lookupOrder)));
        running_.lookupOrder = values.lookupOrder;
    }
}

void OptionsEditor::cancel() { running_.protocol = protocolAtOpening_; }

void OptionsEditor::close(const std::vector<std::string>& hosts) const
{
    if (hosts.size() <= sitesAtActivation_)
        return;
    std::vector<std::string> sorted = hosts;
    std::sort(sorted.begin(), sorted.end(),
              [](const std::string& a, const std::string& b) { return common::lessNoCase(a, b); });
    file_.rewriteNumbered(settings::section::kSite, settings::key::kSitePrefix, sorted);
}

}  // namespace editing
