#include "xbase/expression_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace xbase {

namespace {

constexpr int kExactPowers = 23;  // 1e0..1e22 are exact doubles
constexpr std::array<double, kExactPowers> kPowersOfTen = [] {
    std::array<double, kExactPowers> p{};
    double v = 1.0;
    for (auto& x : p) {
        x = v;
        v *= 10.0;
    }
    return p;
}();

double powerOfTen(int n)
{
    return n < kExactPowers ? kPowersOfTen[n] : std::pow(10.0, n);
}

constexpr int kMaxMantissaDigits = 19;  // fits an unsigned 64-bit integer

}  // namespace

void asciiUpperInPlace(char* text, std::size_t n)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x80 * kOnes;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text + i, 8);
        // Per byte: the high bit of `fromA` is set when the low seven bits
        // are >= 'a', of `pastZ` when they are > 'z'; bytes >= 0x80 drop out.
        const std::uint64_t low = w & ~kHigh;
        const std::uint64_t fromA = low + (0x80 - 'a') * kOnes;
        const std::uint64_t pastZ = low + (0x80 - 'z' - 1) * kOnes;
        const std::uint64_t lower = fromA & ~pastZ & ~w & kHigh;
        w ^= lower >> 2;  // 0x80 >> 2 is the 0x20 between the cases
        std::memcpy(text + i, &w, 8);
    }
    for (; i < n; ++i)
        text[i] = asciiUpper(text[i]);
}

void asciiUpperInto(std::string_view text, std::string& out)
{
    out.assign(text);
    asciiUpperInPlace(out.data(), out.size());
}

void asciiLowerInto(std::string_view text, std::string& out)
{
    out.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = asciiLower(text[i]);
}

int comparePadded(std::string_view a, std::string_view b)
{
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    if (common > 0) {
        const int c = std::memcmp(a.data(), b.data(), common);
        if (c != 0)
            return c;
    }
    // The longer side's rest is compared with the blanks the shorter one gets.
    const int sign = a.size() > b.size() ? 1 : -1;
    const std::string_view rest = a.size() > b.size() ? a.substr(common) : b.substr(common);
    for (char ch : rest) {
        const auto u = static_cast<unsigned char>(ch);
        if (u != ' ')
            return u > ' ' ? sign : -sign;
    }
    return 0;
}

double parseNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;
    int scale = 0;  // value = mantissa * 10^scale
    bool fraction = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !fraction) {
            fraction = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        if (digits < kMaxMantissaDigits) {
            if (mantissa != 0 || c != '0')
                ++digits;
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
            if (fraction)
                --scale;
        } else if (!fraction) {
            ++scale;  // digits beyond what the mantissa holds only scale it
        }
    }
    double value = static_cast<double>(mantissa);
    value = scale >= 0 ? value * powerOfTen(scale) : value / powerOfTen(-scale);
    return negative ? -value : value;
}

void formatFixed(double value, int length, int decimals, std::string& out)
{
    char buffer[64];
    int used = 0;
    const double scaled = std::round(std::fabs(value) * powerOfTen(decimals));
    if (std::isfinite(scaled) && scaled < 9.0e18 && decimals < 20) {
        auto units = static_cast<std::uint64_t>(scaled);
        char digits[24];
        int n = 0;
        do {
            digits[n++] = static_cast<char>('0' + units % 10);
            units /= 10;
        } while (units != 0 || n <= decimals);
        if (value < 0 && scaled != 0)
            buffer[used++] = '-';
        for (int k = n - 1; k >= 0; --k) {
            buffer[used++] = digits[k];
            if (k == decimals && decimals > 0)
                buffer[used++] = '.';
        }
    } else {
        used = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        if (used < 0 || used >= static_cast<int>(sizeof buffer))
            used = length + 1;
    }
    if (used > length) {
        out.assign(static_cast<std::size_t>(length), '*');
        return;
    }
    out.assign(static_cast<std::size_t>(length - used), ' ');
    out.append(buffer, static_cast<std::size_t>(used));
}

std::string formatShortest(double value)
{
    if (value == 0)
        return "0";  // no "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

int toCount(double value)
{
    if (!(value > 0))
        return 0;  // also NaN
    if (value >= kMaxCount)
        return kMaxCount;
    return static_cast<int>(value);
}

}  // namespace xbase
