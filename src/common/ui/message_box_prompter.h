#pragma once

#include <functional>
#include <map>
#include <string>

#include "common/prompter.h"

class QWidget;

namespace common::ui {

// The program's answers: message boxes titled with the application title
// over the active window, input dialogs, a folder dialog, and the modal
// windows registered for the flows.
class MessageBoxPrompter : public Prompter {
public:
    // After a folder dialog the working directory is set back to
    // `programDir`: the table views name their files relative to it.
    explicit MessageBoxPrompter(std::string programDir);

    // `show` runs the window modally and returns whether it closed with OK.
    void registerWindow(Window window, std::function<bool()> show);

    void error(const std::string& text) override;
    bool confirm(const std::string& text, Buttons buttons) override;
    void info(const std::string& text) override;
    std::optional<std::size_t> chooseOne(const std::string& caption, const std::string& prompt,
                                         const std::vector<std::string>& items) override;
    std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> chooseFolder(const std::string& caption, const std::string& start) override;
    // Also sets the working directory back afterwards.
    std::vector<std::string> chooseFiles(const FileChoice& choice) override;
    // Throws xbase::XbaseError for a window nobody registered.
    bool showWindow(Window window) override;

private:
    std::string programDir_;
    std::map<Window, std::function<bool()>> windows_;
};

}  // namespace common::ui
