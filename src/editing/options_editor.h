#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "settings/program_settings.h"
#include "settings/settings_file.h"

namespace editing {

// What the options window shows; texts are Windows-1252.
struct OptionsValues {
    std::string host;
    std::vector<std::string> hosts;  // the host list, from section Site
    bool http = false;               // Protocol "H"
    bool ssl = false;
    std::size_t driveEntry = 0;  // the chosen entry of the drive list (DriveNr)
    std::string drivePath;       // CDPath: a device or a disc image
    std::string covers;
    std::string viewer;
    std::string labeler;
    std::string name;
    std::string player;
    std::string mail;
    std::string server;
    bool hint = true;
    bool art = false;
    settings::LookupOrder lookupOrder = settings::LookupOrder::CddbFirst;
};

// The options that OK writes only when changed.
enum class Option {
    Host,
    Mail,
    Server,
    Sites,
    Hint,
    Art,
    Ssl,
    Protocol,
    DriveEntry,
    DrivePath,
    Viewer,
    Labeler,
    Player,
    Name,
    Covers,
    LookupOrder,
};
inline constexpr std::size_t kOptionCount = static_cast<std::size_t>(Option::LookupOrder) + 1;

// The options window's rules apart from its window: what it loads, which
// values count as changed, the checks and the writes of OK, and the host
// list kept at close.
class OptionsEditor {
public:
    inline static const std::string kInvalidMail = "Invalid e-mail address";
    inline static const std::string kInvalidServer = "Invalid mail server";
    inline static const std::string kInvalidViewer = "Invalid Viewer Program Path";
    inline static const std::string kInvalidPlayer = "Invalid CD Player Program Path";
    inline static const std::string kInvalidLabeler = "Invalid Labeler Program Path";

    // Whether a program setting names a program that can be started: an
    // existing file, or a name found on PATH.
    using ProgramCheck = std::function<bool(const std::string& program)>;

    // `running` is the program's settings: OK and the protocol choice apply
    // to it at once. Both must outlive this object. Without `programCheck`
    // the file system and PATH are asked.
    OptionsEditor(const settings::SettingsFile& file, settings::ProgramSettings& running,
                  ProgramCheck programCheck = {});

    // Activation: clears the changed flags, reads the host list from section
    // Site and the values from the file. A loaded text, a set check box, the
    // protocol and a drive path count as changed, as a fresh control taking
    // the value sees it, so OK writes them back; the host, the drive entry
    // and the lookup order do not. Throws xbase::XbaseError when the file cannot be read.
    OptionsValues activate();

    void markChanged(Option option) { changed_[index(option)] = true; }
    bool changed(Option option) const { return changed_[index(option)]; }

    // The protocol item chosen: in force for the running program at once.
    void chooseProtocol(OptionsValues& values, bool http);

    // The mirror list fetched: it replaces the host list, the host shown
    // stays when it is among them, else the first one is shown.
    void hostsRefreshed(OptionsValues& values, std::vector<std::string> hosts);

    // OK: the checks' messages, in order (empty when all passed), then the
    // changed values written and applied, whatever the checks said. A
    // typed host missing from the list joins it. `firstCdDrive` gives CDPath
    // when a drive entry was chosen. Throws xbase::XbaseError when the file
    // cannot be written.
    std::vector<std::string> accept(OptionsValues& values, const std::function<std::string()>& firstCdDrive);

    // Cancel: the protocol in force when the window opened comes back.
    void cancel();

    // After OK or Cancel: when the host list holds more hosts than section
    // Site did at activation, the section is rewritten from it, sorted.
    void close(const std::vector<std::string>& hosts) const;

private:
    static std::size_t index(Option option) { return static_cast<std::size_t>(option); }
    std::vector<std::string> check(const OptionsValues& values) const;
    void write(OptionsValues& values, const std::function<std::string()>& firstCdDrive);

    const settings::SettingsFile& file_;
    settings::ProgramSettings& running_;
    ProgramCheck programCheck_;
    std::array<bool, kOptionCount> changed_{};
    std::size_t sitesAtActivation_ = 0;
    std::string protocolAtOpening_;
};

}  // namespace editing
