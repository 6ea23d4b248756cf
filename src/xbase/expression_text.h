#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xbase {

// Text and number rules of the expression language, shared by the
// evaluator and by index code that builds keys by hand.

// Only a-z change: other tools build their keys the same way, so bytes
// 0x80-0xFF (accented Windows-1252 letters) stay as they are.
inline char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
// asciiUpper() over `n` bytes in place, eight at a time (index keys are
// mostly upper() of long blank-padded fields).
void asciiUpperInPlace(char* text, std::size_t n);
void asciiUpperInto(std::string_view text, std::string& out);
void asciiLowerInto(std::string_view text, std::string& out);

// Compares as raw unsigned bytes with the shorter side padded with blanks.
// Returns <0, 0 or >0.
int comparePadded(std::string_view a, std::string_view b);

// The number at the start of `text` (after blanks): optional sign, digits,
// optional decimal point and digits. 0 when there is none.
double parseNumber(std::string_view text);

// `value` right-aligned in `length` characters with `decimals` digits after
// the point, rounded half away from zero; all '*' when it does not fit.
void formatFixed(double value, int length, int decimals, std::string& out);
// The shortest text that reads back as `value` ("12", "12.5").
std::string formatShortest(double value);

// A count taken from a number: truncated, clamped to 0..kMaxCount.
constexpr int kMaxCount = 1 << 20;
int toCount(double value);

}  // namespace xbase
