#include "catalogue/album_codes.h"

#include <algorithm>
#include <cctype>

#include "xbase/xbase_error.h"

namespace catalogue {
namespace {

constexpr int kManualDigits = 7;
constexpr long kLastManualNumber = 9'999'999;
constexpr int kRevisionBase = 48;
constexpr int kLastRevisionChar = 126;

}  // namespace

std::string nextManualIdAfter(std::string_view lastId)
{
    while (!lastId.empty() && lastId.back() == ' ')
        lastId.remove_suffix(1);
    if (lastId.empty() || lastId.front() != 'z')
        return "z0000001";
    const std::string_view digits = lastId.substr(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        throw xbase::XbaseError("The album identifier \"" + std::string(lastId) +
                                "\" is not \"z\" followed by digits, so no next identifier can be made from it");
    long number = 0;
    for (char c : digits) {
        number = number * 10 + (c - '0');
        if (number > kLastManualNumber)
            break;
    }
    if (number >= kLastManualNumber)
        throw xbase::XbaseError("No more manual album identifiers: z9999999 is the last one");
    std::string text = std::to_string(number + 1);
    return "z" + std::string(static_cast<std::size_t>(std::max(0, kManualDigits - static_cast<int>(text.size()))), '0') +
           text;
}

char revisionChar(int revision)
{
    revision = std::max(revision, 0);
    return revision > kLastRevisionChar - kRevisionBase ? '~' : static_cast<char>(kRevisionBase + revision);
}

std::string mediaCode(std::string_view mediaText) { return std::string(mediaText.substr(0, 2)); }

}  // namespace catalogue
