#include "xbase/contains_matcher.h"

namespace xbase {

const std::array<std::uint8_t, 256> ContainsMatcher::kFold = [] {
    std::array<std::uint8_t, 256> f{};
    for (int b = 0; b < 256; ++b)
        f[b] = static_cast<std::uint8_t>(b);
    for (int b = 'A'; b <= 'Z'; ++b)
        f[b] = static_cast<std::uint8_t>(b + 32);
    // Windows-1252 capitals: 0xC0-0xDE pair with 0xE0-0xFE, except the
    // multiplication sign 0xD7 (0xF7 is the division sign).
    for (int b = 0xC0; b <= 0xDE; ++b) {
        if (b != 0xD7)
            f[b] = static_cast<std::uint8_t>(b + 0x20);
    }
    f[0x8A] = 0x9A;  // S caron
    f[0x8C] = 0x9C;  // OE ligature
    f[0x8E] = 0x9E;  // Z caron
    f[0x9F] = 0xFF;  // Y diaeresis
    return f;
}();

void ContainsMatcher::setPattern(std::string_view pattern)
{
    folded_.clear();
    segments_.clear();
    std::size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] == '*') {
            ++i;
            continue;
        }
        Segment seg;
        seg.begin = static_cast<std::uint32_t>(folded_.size());
        for (; i < pattern.size() && pattern[i] != '*'; ++i) {
            folded_.push_back(static_cast<char>(fold(static_cast<std::uint8_t>(pattern[i]))));
        }
        seg.length = static_cast<std::uint32_t>(folded_.size()) - seg.begin;
        segments_.push_back(seg);
    }
    if (skips_.size() < segments_.size())
        skips_.resize(segments_.size());
    for (std::size_t s = 0; s < segments_.size(); ++s) {
        const Segment& seg = segments_[s];
        SkipTable& skip = skips_[s];
        skip.fill(seg.length);
        for (std::uint32_t k = 0; k + 1 < seg.length; ++k) {
            skip[static_cast<std::uint8_t>(folded_[seg.begin + k])] = seg.length - 1 - k;
        }
    }
}

bool ContainsMatcher::matches(std::string_view text) const
{
    std::size_t from = 0;
    for (std::size_t s = 0; s < segments_.size(); ++s) {
        from = find(s, text, from);
        if (from == std::string_view::npos)
            return false;
    }
    return true;
}

std::size_t ContainsMatcher::find(std::size_t s, std::string_view text, std::size_t from) const
{
    const Segment& seg = segments_[s];
    const std::size_t m = seg.length;
    if (text.size() < from || text.size() - from < m)
        return std::string_view::npos;
    const auto* t = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto* p = reinterpret_cast<const std::uint8_t*>(folded_.data()) + seg.begin;
    const std::size_t last = m - 1;
    if (m == 1) {
        for (std::size_t i = from; i < text.size(); ++i) {
            if (kFold[t[i]] == p[0])
                return i + 1;
        }
        return std::string_view::npos;
    }
    const SkipTable& skip = skips_[s];
    for (std::size_t i = from; i + m <= text.size();) {
        const std::uint8_t tail = kFold[t[i + last]];
        if (tail == p[last]) {
            std::size_t k = 0;
            while (k < last && kFold[t[i + k]] == p[k])
                ++k;
            if (k == last)
                return i + m;
        }
        i += skip[tail];
    }
    return std::string_view::npos;
}

}  // namespace xbase
