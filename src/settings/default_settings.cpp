#include "settings/default_settings.h"

#include "catalogue/album_codes.h"

namespace settings {

IniFile defaultSettingsFile(const SettingsEnvironment& environment)
{
    IniFile ini;
    ini.writeString(section::kUrl, key::kAmazon, kDefaultAmazonUrl);
    ini.writeString(section::kUrl, key::kAmg, kDefaultAmgUrl);
    ini.writeString(section::kUrl, key::kFreedb, kDefaultFreedbUrl);
    ini.writeString(section::kUrl, key::kCovers, kDefaultCoversUrl);
    ini.writeString(section::kUrl, key::kUpc, kDefaultUpcUrl);

    ini.writeString(section::kCurrent, key::kHost, kDefaultHost);
    ini.writeString(section::kCurrent, key::kCdPath, environment.firstCdDrive ? environment.firstCdDrive() : "");
    ini.writeBool(section::kCurrent, key::kHint, true);
    ini.writeBool(section::kCurrent, key::kArt, false);
    ini.writeBool(section::kCurrent, key::kSsl, false);
    ini.writeString(section::kCurrent, key::kGenre, "");
    ini.writeString(section::kCurrent, key::kClipsDir, environment.programDir);
    ini.writeString(section::kCurrent, key::kViewer, "");
    ini.writeString(section::kCurrent, key::kLabeler, "");
    ini.writeString(section::kCurrent, key::kPlayer, "");
    ini.writeString(section::kCurrent, key::kName, kDefaultName);
    ini.writeString(section::kCurrent, key::kProtocol, kDefaultProtocol);
    ini.writeInteger(section::kCurrent, key::kWState, kWStateNormal);

    int n = 0;
    for (std::string_view genre : kDefaultGenres) {
        const std::string name = std::string(key::kGenrePrefix) + std::to_string(++n);
        ini.writeString(section::kGenre, name, genre);
        ini.writeString(section::kOfficial, name, genre);
    }
    ini.writeString(section::kSite, std::string(key::kSitePrefix) + "1", kDefaultHost);
    for (const catalogue::MediaEntry& m : catalogue::kDefaultMedia)
        ini.writeString(section::kMedia, m.key, m.text);
    return ini;
}

}  // namespace settings
