#include "app/tips_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "catalogue/file_replacement.h"
#include "catalogue/program_files.h"
#include "xbase/xbase_error.h"

namespace app {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kShow = "True";
constexpr std::string_view kHide = "False";
constexpr std::size_t kFirstTip = 1;

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

std::optional<TipsFile> TipsFile::load(const std::string& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof())
        throw xbase::XbaseError(path + ": cannot read the tips file");
    return TipsFile(path, splitLines(text));
}

bool TipsFile::showAtStartup() const { return !lines_.empty() && lines_.front() == kShow; }

std::string TipsFile::currentTip() const { return lines_.size() > kFirstTip ? lines_[kFirstTip] : std::string(); }

void TipsFile::nextTip()
{
    if (lines_.size() > kFirstTip + 1) {
        std::string shown = std::move(lines_[kFirstTip]);
        lines_.erase(lines_.begin() + kFirstTip);
        lines_.push_back(std::move(shown));
    }
}

void TipsFile::accept(bool showAtStartup)
{
    if (lines_.empty())
        lines_.emplace_back();
    lines_.front() = std::string(showAtStartup ? kShow : kHide);
    nextTip();
    std::string text;
    for (const std::string& line : lines_)
        text += line + "\r\n";
    catalogue::replaceFile(path_, "the tips file", text);
}

bool installTipsFile(const std::string& dataDir, const std::string& programDir)
{
    const std::string target = catalogue::joinPath(programDir, TipsFile::kFileName);
    const std::string source = dataDir.empty() ? std::string() : catalogue::joinPath(dataDir, TipsFile::kFileName);
    std::error_code ec;
    if (fs::exists(target, ec) || source.empty() || !fs::is_regular_file(source, ec))
        return false;
    fs::copy_file(source, target, ec);
    if (ec)
        throw xbase::XbaseError(target + ": cannot copy the tips file from " + source + " (" + ec.message() + ")");
    // A copy from a read-only installation would keep its mode.
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, ec);
    return true;
}

}  // namespace app
