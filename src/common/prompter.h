#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace common {

// How flows talk to the user mid-way. The program answers with message
// boxes and dialogs; tests script the answers. Texts are Windows-1252, like
// everything the catalogue and the program's files hold; "\r" inside a
// message is a line break.
class Prompter {
public:
    enum class Buttons { YesNo, OkCancel };
    // The modal windows flows ask for. WebImport, the web track-list
    // import, works on the album edit form as its mode says; it closes with
    // OK once an album was saved from the form it opened (when updating the
    // form's track titles, once a copy was read).
    enum class Window { TipOfTheDay, Options, WebImport };
    // A file dialog's request. `filters` are the dialog's name filters
    // ("Images (*.png *.jpg)"), the first preselected; `several` allows a
    // multiple selection.
    struct FileChoice {
        std::string caption;
        std::string start;
        std::vector<std::string> filters;
        bool several = false;
    };

    virtual ~Prompter() = default;

    // Error sign, OK.
    virtual void error(const std::string& text) = 0;
    // Question sign; true for Yes or OK.
    virtual bool confirm(const std::string& text, Buttons buttons = Buttons::YesNo) = 0;
    // Plain message, OK.
    virtual void info(const std::string& text) = 0;
    // One of `items` (its index), or nothing when cancelled.
    virtual std::optional<std::size_t> chooseOne(const std::string& caption, const std::string& prompt,
                                                 const std::vector<std::string>& items) = 0;
    // A line of text, or nothing when cancelled.
    virtual std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
                                               const std::string& initial) = 0;
    // A folder (an absolute path as the file system spells it), or nothing
    // when cancelled.
    virtual std::optional<std::string> chooseFolder(const std::string& caption, const std::string& start) = 0;
    // Existing files (absolute paths as the file system spells them), in
    // the dialog's order; none when cancelled.
    virtual std::vector<std::string> chooseFiles(const FileChoice& choice) = 0;
    // Shows `window` modally; true when it closed with OK.
    virtual bool showWindow(Window window) = 0;
};

}  // namespace common
