#include "settings/settings_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <limits>

#include "settings/ini_file.h"

namespace settings {
namespace {

constexpr std::size_t kShortestHost = 4;
constexpr int kMaximizedLayoutsMeaningMaximized = 2;

std::string trimmed(std::string_view s)
{
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos)
        return {};
    return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

bool lessNoCase(const std::string& a, const std::string& b)
{
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

void writeNumbered(IniFile& ini, std::string_view section, std::string_view keyPrefix,
                   const std::vector<std::string>& values)
{
    ini.eraseSection(section);
    for (std::size_t i = 0; i < values.size(); ++i)
        ini.writeString(section, std::string(keyPrefix) + std::to_string(i + 1), values[i]);
}

constexpr std::array<std::string_view, 4> kLookupOrderWords{"CddbFirst", "MusicBrainzFirst", "CddbOnly",
                                                            "MusicBrainzOnly"};

}  // namespace

std::string_view lookupOrderWord(LookupOrder order) { return kLookupOrderWords[static_cast<std::size_t>(order)]; }

LookupOrder lookupOrderFromWord(std::string_view word)
{
    const auto sameNoCase = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    };
    for (std::size_t i = 0; i < kLookupOrderWords.size(); ++i)
        if (sameNoCase(kLookupOrderWords[i], word))
            return static_cast<LookupOrder>(i);
    return LookupOrder::CddbFirst;
}

SettingsFile::SettingsFile(SettingsEnvironment environment)
    : environment_(std::move(environment)),
      path_((std::filesystem::path(environment_.programDir) / kFileName).string())
{
}

bool SettingsFile::createIfMissing() const
{
    std::error_code ec;
    const auto status = std::filesystem::status(path_, ec);
    const bool empty = std::filesystem::is_regular_file(status) && std::filesystem::file_size(path_, ec) == 0 && !ec;
    if (std::filesystem::exists(status) && !empty)
        return false;
    defaultSettingsFile(environment_).save(path_);
    return true;
}

ProgramSettings SettingsFile::read() const { return settingsFrom(IniFile::load(path_)); }

ProgramSettings SettingsFile::defaults() const { return settingsFrom(defaultSettingsFile(environment_)); }

ProgramSettings SettingsFile::settingsFrom(const IniFile& ini) const
{
    ProgramSettings s;
    const auto text = [&](std::string_view key, std::string_view fallback) {
        return ini.readString(section::kCurrent, key, fallback);
    };
    s.host = text(key::kHost, kDefaultHost);
    if (trimmed(s.host).size() < kShortestHost)
        s.host = kDefaultHost;
    if (auto cd = ini.value(section::kCurrent, key::kCdPath))
        s.cdPath = *cd;
    else if (environment_.firstCdDrive)
        s.cdPath = environment_.firstCdDrive();
    s.driveNr = ini.readInteger(section::kCurrent, key::kDriveNr, 0);
    s.hint = ini.readBool(section::kCurrent, key::kHint, true);
    s.art = ini.readBool(section::kCurrent, key::kArt, false);
    s.ssl = ini.readBool(section::kCurrent, key::kSsl, false);
    s.protocol = text(key::kProtocol, kDefaultProtocol);
    s.genre = text(key::kGenre, "");
    s.clipsDir = text(key::kClipsDir, environment_.programDir);
    s.viewer = text(key::kViewer, "");
    s.labeler = text(key::kLabeler, "");
    s.player = text(key::kPlayer, "");
    s.name = text(key::kName, kDefaultName);
    s.mail = text(key::kMail, "");
    s.server = text(key::kServer, "");
    s.wState = ini.readInteger(section::kCurrent, key::kWState, kWStateNormal);
    s.lookupOrder = lookupOrderFromWord(trimmed(text(key::kLookup, "")));

    s.freedbUrl = ini.readString(section::kUrl, key::kFreedb, kDefaultFreedbUrl);
    s.amgUrl = ini.readString(section::kUrl, key::kAmg, kDefaultAmgUrl);
    s.amazonUrl = ini.readString(section::kUrl, key::kAmazon, kDefaultAmazonUrl);
    s.coversUrl = ini.readString(section::kUrl, key::kCovers, kDefaultCoversUrl);
    s.upcUrl = ini.readString(section::kUrl, key::kUpc, kDefaultUpcUrl);
    s.musicBrainzUrl = trimmed(ini.readString(section::kUrl, key::kMusicBrainz, kDefaultMusicBrainzUrl));
    s.coverArtUrl = trimmed(ini.readString(section::kUrl, key::kCoverArt, kDefaultCoverArtUrl));

    for (const auto& [key, value] : ini.entries(section::kGenre))
        s.genres.push_back(trimmed(value));
    for (const auto& [key, value] : ini.entries(section::kOfficial))
        s.official.push_back(value);
    for (const auto& [key, value] : ini.entries(section::kMedia))
        s.media.push_back(trimmed(value));
    return s;
}

void SettingsFile::writeString(std::string_view section, std::string_view key, std::string_view value) const
{
    IniFile ini = IniFile::load(path_);
    ini.writeString(section, key, value);
    ini.save(path_);
}

void SettingsFile::writeInteger(std::string_view section, std::string_view key, long value) const
{
    writeString(section, key, std::to_string(value));
}

void SettingsFile::writeBool(std::string_view section, std::string_view key, bool value) const
{
    writeString(section, key, value ? "1" : "0");
}

std::vector<std::string> SettingsFile::sectionValues(std::string_view section) const
{
    std::vector<std::string> out;
    for (const auto& [key, value] : IniFile::load(path_).entries(section))
        out.push_back(value);
    return out;
}

void SettingsFile::rewriteNumbered(std::string_view section, std::string_view keyPrefix,
                                   const std::vector<std::string>& values) const
{
    IniFile ini = IniFile::load(path_);
    writeNumbered(ini, section, keyPrefix, values);
    ini.save(path_);
}

std::optional<WindowGeometry> SettingsFile::readWindowGeometry() const
{
    const IniFile ini = IniFile::load(path_);
    // A value no decimal number reads as gives this.
    constexpr long kUnreadable = std::numeric_limits<long>::min();
    std::array<long, 4> values{};
    const std::array<std::string_view, 4> keys{key::kLeft, key::kTop, key::kWidth, key::kHeight};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        values[i] = ini.readInteger(section::kWindow, keys[i], kUnreadable);
        if (values[i] == kUnreadable || values[i] < std::numeric_limits<int>::min() ||
            values[i] > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    const WindowGeometry window{static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                                static_cast<int>(values[3])};
    if (window.width <= 0 || window.height <= 0)
        return std::nullopt;
    return window;
}

void SettingsFile::writeAtClose(std::vector<std::string> genres, std::size_t genresAtStart, bool maximized,
                                int maximizedLayouts, const std::optional<WindowGeometry>& window) const
{
    IniFile ini = IniFile::load(path_);
    if (genres.size() > genresAtStart) {
        std::sort(genres.begin(), genres.end(), lessNoCase);
        writeNumbered(ini, section::kGenre, key::kGenrePrefix, genres);
    }
    const bool wasMaximized = maximized || maximizedLayouts > kMaximizedLayoutsMeaningMaximized;
    ini.writeInteger(section::kCurrent, key::kWState, wasMaximized ? kWStateMaximized : kWStateNormal);
    if (window) {
        ini.writeInteger(section::kWindow, key::kLeft, window->left);
        ini.writeInteger(section::kWindow, key::kTop, window->top);
        ini.writeInteger(section::kWindow, key::kWidth, window->width);
        ini.writeInteger(section::kWindow, key::kHeight, window->height);
    }
    ini.save(path_);
}

}  // namespace settings
