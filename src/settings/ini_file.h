#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace settings {

// A Windows INI file kept as its lines, so that everything a write does not
// touch (other keys, their order, comments, blank lines) stays as it was.
// "[name]" opens a section; "key=value" lines follow; the key is the text
// before the first "=" without surrounding blanks, the value everything
// after it, exactly. Section and key names are matched without regard to
// case; the first match counts. Bytes pass through unchanged (the file is
// Windows-1252); lines are written with CR LF ends.
//
// Not Debian's SimpleIni: it strips the blanks around every value it loads,
// so a value of two blanks (the "<no copy>" media entry) or names read
// untrimmed (section Official) do not come back as written, and on Linux it
// ends lines with LF and puts blank lines between sections.
class IniFile {
public:
    // Splits `text` into lines (CR LF, or a lone LF).
    static IniFile parse(std::string_view text);
    // The file at `path`; empty when the file does not exist. Throws
    // xbase::XbaseError naming the file when it exists but cannot be read
    // or holds binary data (NUL bytes).
    static IniFile load(const std::string& path);
    // Writes and syncs a new file beside `path`, renames it over `path` and
    // syncs the folder, so a failed write or a power cut leaves the old file
    // whole. Throws xbase::XbaseError.
    void save(const std::string& path) const;
    // Every line followed by CR LF.
    std::string text() const;

    // The text after the first "=" of the key's line, or nothing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // A decimal integer (blanks around it allowed); anything else gives
    // `fallback`.
    long readInteger(std::string_view section, std::string_view key, long fallback) const;
    // True for any non-zero integer.
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;
    // The section's key lines in file order: key (trimmed) and value.
    std::vector<std::pair<std::string, std::string>> entries(std::string_view section) const;

    // Replaces the value of an existing key in place; a new key goes after
    // the section's last line that is not blank; a new section goes at the
    // end of the file. A value is cut at a line break, which it cannot hold.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, long value);
    // 1 or 0.
    void writeBool(std::string_view section, std::string_view key, bool value);
    // Removes the section's header and lines.
    void eraseSection(std::string_view section);

private:
    std::optional<std::size_t> findSection(std::string_view section) const;
    // Index of the next section header after `header`, or the line count.
    std::size_t sectionEnd(std::size_t header) const;
    std::optional<std::size_t> findKey(std::size_t header, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace settings
