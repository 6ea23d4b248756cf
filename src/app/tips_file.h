#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The tip-of-the-day file: line 1 is "True" or "False" (show the tips at
// start-up), every further line one tip. The tip shown is always line 2;
// moving on sends it to the end, so the next showing starts with the next
// tip. Windows-1252 text with CR LF line ends.
class TipsFile {
public:
    static constexpr std::string_view kFileName = "Vinoratips.txt";

    // The file at `path`, or nothing when it does not exist. Throws
    // xbase::XbaseError naming the file when it exists but cannot be read.
    static std::optional<TipsFile> load(const std::string& path);

    const std::string& path() const { return path_; }
    // Line 1 is exactly "True" ("true" is not).
    bool showAtStartup() const;
    // Line 2, or "" when the file holds no tip.
    std::string currentTip() const;
    // Moves line 2 to the end.
    void nextTip();
    // The window's OK: line 1 from `showAtStartup`, the shown tip moved to
    // the end, the file saved (a new file renamed over the old one).
    // Throws xbase::XbaseError naming the file when it cannot be written.
    void accept(bool showAtStartup);

private:
    TipsFile(std::string path, std::vector<std::string> lines) : path_(std::move(path)), lines_(std::move(lines)) {}

    std::string path_;
    std::vector<std::string> lines_;
};

// On the first run the shipped tips file is copied into the program
// directory, where its first line is then rewritten. Nothing happens when
// the program directory has one or `dataDir` has none. Returns whether it
// copied. Throws xbase::XbaseError naming the file when the copy fails.
bool installTipsFile(const std::string& dataDir, const std::string& programDir);

}  // namespace app
