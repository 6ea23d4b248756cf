#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

namespace test_support {

void ScriptedPrompter::answerConfirm(bool yes) { answers_.push_back({Kind::Confirm, yes, {}, {}, {}, {}}); }

void ScriptedPrompter::answerChoice(std::optional<std::size_t> choice)
{
    answers_.push_back({Kind::ChooseOne, false, choice, {}, {}, {}});
}

void ScriptedPrompter::answerText(std::optional<std::string> text)
{
    answers_.push_back({Kind::AskText, false, {}, std::move(text), {}, {}});
}

void ScriptedPrompter::answerFolder(std::optional<std::string> folder)
{
    answers_.push_back({Kind::ChooseFolder, false, {}, std::move(folder), {}, {}});
}

void ScriptedPrompter::answerFiles(std::vector<std::string> files)
{
    answers_.push_back({Kind::ChooseFiles, false, {}, {}, {}, std::move(files)});
}

void ScriptedPrompter::answerWindow(bool accepted, std::function<void()> whileShown)
{
    answers_.push_back({Kind::ShowWindow, accepted, {}, {}, std::move(whileShown), {}});
}

std::vector<std::string> ScriptedPrompter::texts(Kind kind) const
{
    std::vector<std::string> out;
    for (const Request& r : requests_)
        if (r.kind == kind)
            out.push_back(r.text);
    return out;
}

std::optional<ScriptedPrompter::Answer> ScriptedPrompter::take(Kind kind, const std::string& text)
{
    requests_.push_back({kind, text});
    if (answers_.empty() || answers_.front().kind != kind) {
        ADD_FAILURE() << "no scripted answer for the request \"" << text << "\"";
        return std::nullopt;
    }
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    return a;
}

void ScriptedPrompter::error(const std::string& text) { requests_.push_back({Kind::Error, text}); }

bool ScriptedPrompter::confirm(const std::string& text, Buttons)
{
    const auto a = take(Kind::Confirm, text);
    return a && a->yes;
}

void ScriptedPrompter::info(const std::string& text) { requests_.push_back({Kind::Info, text}); }

std::optional<std::size_t> ScriptedPrompter::chooseOne(const std::string& caption, const std::string&,
                                                       const std::vector<std::string>&)
{
    const auto a = take(Kind::ChooseOne, caption);
    return a ? a->choice : std::nullopt;
}

std::optional<std::string> ScriptedPrompter::askText(const std::string& caption, const std::string&,
                                                     const std::string&)
{
    const auto a = take(Kind::AskText, caption);
    return a ? a->text : std::nullopt;
}

std::optional<std::string> ScriptedPrompter::chooseFolder(const std::string& caption, const std::string&)
{
    const auto a = take(Kind::ChooseFolder, caption);
    return a ? a->text : std::nullopt;
}

std::vector<std::string> ScriptedPrompter::chooseFiles(const FileChoice& choice)
{
    const auto a = take(Kind::ChooseFiles, choice.caption);
    return a ? a->files : std::vector<std::string>{};
}

bool ScriptedPrompter::showWindow(Window window)
{
    windowsShown_.push_back(window);
    const auto a = take(Kind::ShowWindow, {});
    if (!a)
        return false;
    if (a->whileShown)
        a->whileShown();
    return a->yes;
}

}  // namespace test_support
