#pragma once

#include <cstddef>
#include <string>
#include <optional>
#include <string_view>
#include <vector>

#include "settings/default_settings.h"
#include "settings/program_settings.h"

namespace settings {

// The settings file of the program directory. Each writer reads the file as
// it is now, changes what it names and saves it at once, so the windows that
// change settings write only their own keys. Writers throw
// xbase::XbaseError naming the file when it cannot be written.
class SettingsFile {
public:
    // The file `kFileName` in `environment.programDir`.
    explicit SettingsFile(SettingsEnvironment environment);

    const std::string& path() const { return path_; }

    // Writes the default content when the file does not exist or is empty
    // (0 bytes: cut short as it was first written); returns whether it did.
    // Throws xbase::XbaseError when it cannot be written.
    bool createIfMissing() const;

    // Everything at once, missing keys as their defaults; a Host shorter
    // than 4 characters (blanks aside) gives the default host. Throws
    // xbase::XbaseError naming the file when it cannot be read.
    ProgramSettings read() const;
    // What read() gives from a new file's content: for a run whose file
    // cannot be read.
    ProgramSettings defaults() const;

    void writeString(std::string_view section, std::string_view key, std::string_view value) const;
    void writeInteger(std::string_view section, std::string_view key, long value) const;
    void writeBool(std::string_view section, std::string_view key, bool value) const;
    // The values after "=" of a section's keys, as written, in file order.
    std::vector<std::string> sectionValues(std::string_view section) const;
    // Erases `section` and writes prefix + 1 .. N from `values` in order
    // (the Site list of the options window).
    void rewriteNumbered(std::string_view section, std::string_view keyPrefix,
                         const std::vector<std::string>& values) const;

    // Section Window; nothing when a key is missing or not a number, or the
    // size is not positive (the window then opens centred). Throws
    // xbase::XbaseError naming the file when it cannot be read.
    std::optional<WindowGeometry> readWindowGeometry() const;

    // At close: when `genres` (the edit form's list) has more entries than
    // `genresAtStart` — what the list held once start-up filled it, the
    // server's categories included — section Genre is rewritten from it in
    // alphabetical order (case ignored). Then WState: 2 when the window is
    // maximized or the maximized layout was applied more than twice, else 1.
    // Then section Window from `window`, when given.
    void writeAtClose(std::vector<std::string> genres, std::size_t genresAtStart, bool maximized,
                      int maximizedLayouts, const std::optional<WindowGeometry>& window = std::nullopt) const;

private:
    ProgramSettings settingsFrom(const IniFile& ini) const;

    SettingsEnvironment environment_;
    std::string path_;
};

}  // namespace settings
