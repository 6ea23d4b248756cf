#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace search {

// A history of filter expressions kept in the program directory: one
// expression a line, the most recently added first, CR LF line ends,
// Windows-1252. The albums table has "albums.ini", the tracks table
// "tracks.ini"; the filter window and the report writer share them.
// Entries are compared without regard to case (Windows-1252 letters).
class FilterHistory {
public:
    enum class Table { Albums, Tracks };

    static constexpr std::string_view kAlbumsFile = "albums.ini";
    static constexpr std::string_view kTracksFile = "tracks.ini";

    // The history of `table` in `programDir`, empty until load().
    FilterHistory(const std::string& programDir, Table table);

    // The lines of a history file's text: split at CR LF, LF or a lone CR;
    // a line end at the very end adds no empty entry. Never throws.
    static std::vector<std::string> parse(std::string_view text);
    // The entries written out, each followed by CR LF.
    static std::string text(const std::vector<std::string>& entries);

    // The file's path: an existing file of that name in any letter case,
    // else the name in the program directory.
    const std::string& path() const { return path_; }
    // Reads the file; a missing file gives no entries. Throws
    // xbase::XbaseError naming the file when it exists but cannot be read.
    void load();
    // Writes the whole list over the file (a new file renamed over the
    // old one). Throws xbase::XbaseError naming the file.
    void save() const;

    const std::vector<std::string>& entries() const { return entries_; }
    bool contains(std::string_view expression) const;
    // Puts a new expression first and saves; one already there (in any
    // letter case) changes nothing. Returns whether it was added.
    bool add(std::string_view expression);
    // Removes the entry equal to `expression` (case ignored) and saves;
    // returns whether there was one. "" is never removed.
    bool remove(std::string_view expression);
    // (add and remove: when the save throws, the list is as it was.)

    static bool sameExpression(std::string_view a, std::string_view b);

private:
    std::string path_;
    std::vector<std::string> entries_;
};

}  // namespace search
