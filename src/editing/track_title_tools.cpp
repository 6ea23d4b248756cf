#include "editing/track_title_tools.h"

#include <algorithm>
#include <array>

#include "common/trim_and_case.h"

namespace editing {
namespace {

// Tried in this order; the first that occurs anywhere in the cell is taken.
constexpr std::array<std::string_view, 6> kSeparators = {" / ", "/", ":", "--", " - ", "-"};
constexpr std::string_view kJoint = " / ";
// How much of the text after a separator survives.
constexpr std::size_t kMaxSecondPart = 99;

std::string joined(std::string_view first, std::string_view second)
{
    return std::string(common::trimmed(first)) + std::string(kJoint) + std::string(common::trimmed(second));
}

std::string_view nameOf(std::string_view path) { return path.substr(path.rfind('/') + 1); }

std::string_view stemOf(std::string_view path)
{
    const std::string_view name = nameOf(path);
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(0, dot);
}

char lowerLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string flippedTitle(std::string_view cell)
{
    for (std::string_view separator : kSeparators) {
        const std::size_t at = cell.find(separator);
        if (at == std::string_view::npos)
            continue;
        if (at > 0)
            return joined(cell.substr(at + separator.size(), kMaxSecondPart), cell.substr(0, at));
        break;
    }
    const std::size_t open = cell.find('(');
    const std::size_t close = cell.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || open + 1 >= close)
        return std::string(cell);
    return joined(cell.substr(open + 1, close - open - 1), cell.substr(0, open));
}

FileMask fileMask(const std::vector<std::string>& paths)
{
    const std::string_view first = paths.front();
    FileMask result{std::string(first.substr(0, first.rfind('/') + 1)), std::string(first)};
    if (paths.size() == 1)
        return result;

    const std::string_view firstName = nameOf(first);
    const std::size_t lastDot = firstName.rfind('.');
    const std::string_view extension =
        lastDot == std::string_view::npos ? std::string_view() : firstName.substr(lastDot);
    const std::string_view firstStem = stemOf(first);
    std::size_t shared = firstStem.size();
    for (const std::string& path : paths) {
        const std::string_view stem = stemOf(path);
        const auto sameLetter = [](char a, char b) { return lowerLetter(a) == lowerLetter(b); };
        const auto differ =
            std::mismatch(firstStem.begin(), firstStem.begin() + std::min(shared, stem.size()), stem.begin(), sameLetter);
        shared = static_cast<std::size_t>(differ.first - firstStem.begin());
    }
    result.mask = result.directory + common::lowerAscii(std::string(firstStem.substr(0, shared)) + "*" +
                                                        std::string(extension));
    return result;
}

LabelAndNotes placedMask(std::string_view mask, LabelAndNotes form)
{
    if (mask.size() <= kLabelWidth)
        form.label = mask;
    else
        form.notes = std::string(mask) + "\r\n" + form.notes;
    return form;
}

}  // namespace editing
