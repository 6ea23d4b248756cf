#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/prompter.h"

namespace test_support {

// The user, scripted: every request is recorded; the requests that need an
// answer take the next one queued, in order. A request with no answer of
// its kind queued fails the test and is answered as cancelled.
class ScriptedPrompter : public common::Prompter {
public:
    enum class Kind { Error, Confirm, Info, ChooseOne, AskText, ChooseFolder, ChooseFiles, ShowWindow };
    struct Request {
        Kind kind;
        std::string text;  // the message or the caption; empty for a window
    };

    void answerConfirm(bool yes);
    void answerChoice(std::optional<std::size_t> choice);
    void answerText(std::optional<std::string> text);
    void answerFolder(std::optional<std::string> folder);
    void answerFiles(std::vector<std::string> files);
    // `whileShown` stands for what the window does before it closes.
    void answerWindow(bool accepted, std::function<void()> whileShown = {});

    const std::vector<Request>& requests() const { return requests_; }
    // The texts of the requests of one kind, in order.
    std::vector<std::string> texts(Kind kind) const;
    const std::vector<Window>& windowsShown() const { return windowsShown_; }
    std::size_t unusedAnswers() const { return answers_.size(); }

    void error(const std::string& text) override;
    bool confirm(const std::string& text, Buttons buttons) override;
    void info(const std::string& text) override;
    std::optional<std::size_t> chooseOne(const std::string& caption, const std::string& prompt,
                                         const std::vector<std::string>& items) override;
    std::optional<std::string> askText(const std::string& caption, const std::string& prompt,
                                       const std::string& initial) override;
    std::optional<std::string> chooseFolder(const std::string& caption, const std::string& start) override;
    std::vector<std::string> chooseFiles(const FileChoice& choice) override;
    bool showWindow(Window window) override;

private:
    struct Answer {
        Kind kind;
        bool yes = false;
        std::optional<std::size_t> choice;
        std::optional<std::string> text;
        std::function<void()> whileShown;
        std::vector<std::string> files;
    };

    // The next answer when it is of `kind`; nothing (and a test failure)
    // otherwise.
    std::optional<Answer> take(Kind kind, const std::string& text);

    std::vector<Request> requests_;
    std::deque<Answer> answers_;
    std::vector<Window> windowsShown_;
};

}  // namespace test_support
