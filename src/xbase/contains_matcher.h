#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xbase {

// The matching rule of contains(text, pattern): the pattern occurs anywhere
// in the text, case ignored for a-z and for the accented Windows-1252
// letters, each '*' in the pattern standing for any run of characters. So
// "live", "*live*" and "l*e" all find "Alive in Paris".
// Setting a pattern prepares folded search tables once; matching then
// allocates nothing.
class ContainsMatcher {
public:
    void setPattern(std::string_view pattern);
    bool matches(std::string_view text) const;

    // The case-folded (lower-case) form of a Windows-1252 byte.
    static std::uint8_t fold(std::uint8_t byte) { return kFold[byte]; }

private:
    using SkipTable = std::array<std::uint32_t, 256>;
    struct Segment {
        std::uint32_t begin = 0;
        std::uint32_t length = 0;
    };

    static const std::array<std::uint8_t, 256> kFold;

    // Position just after the first occurrence of segment `s` in `text`
    // at or after `from`, or npos.
    std::size_t find(std::size_t s, std::string_view text, std::size_t from) const;

    std::string folded_;  // the segments' folded bytes, back to back
    std::vector<Segment> segments_;
    std::vector<SkipTable> skips_;  // Horspool shift per segment
};

}  // namespace xbase
