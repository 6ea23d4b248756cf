#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "common/prompter.h"

// The user of a benchmark: `answer` to every question, nothing chosen,
// typed or shown. When `errorsEndTheRun`, an error box ends the run: the
// benchmark would time something other than it means to.
class BenchPrompter : public common::Prompter {
public:
    BenchPrompter(bool answer, bool errorsEndTheRun) : answer_(answer), errorsEndTheRun_(errorsEndTheRun) {}

    void error(const std::string& text) override
    {
        if (!errorsEndTheRun_)
            return;
        std::fprintf(stderr, "error: %s\n", text.c_str());
        std::exit(1);
    }
    bool confirm(const std::string&, Buttons) override { return answer_; }
    void info(const std::string&) override {}
    std::optional<std::size_t> chooseOne(const std::string&, const std::string&,
                                         const std::vector<std::string>&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> askText(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
    std::vector<std::string> chooseFiles(const FileChoice&) override { return {}; }
    bool showWindow(Window) override { return false; }

private:
    bool answer_;
    bool errorsEndTheRun_;
};
