#include "lookup/bar_code.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace lookup {
namespace {

constexpr std::string_view kCueCatAlphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-";
constexpr std::uint8_t kCueCatMask = 'C';
constexpr std::uint8_t kNotInAlphabet = 255;
constexpr std::size_t kGroupSize = 4;
constexpr std::size_t kDataField = 2;  // after the serial and the type
// A :CueCat scan is longer; shorter texts are a scan still arriving.
constexpr std::size_t kShortestScan = 11;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::uint8_t sixBits(char c)
{
    const auto at = kCueCatAlphabet.find(c);
    return at == std::string_view::npos ? kNotInAlphabet : static_cast<std::uint8_t>(at);
}

// The `index`th "."-separated field of `text`, when `text` has that many.
std::optional<std::string_view> field(std::string_view text, std::size_t index)
{
    for (std::size_t i = 0; i < index; ++i) {
        const auto dot = text.find('.');
        if (dot == std::string_view::npos)
            return std::nullopt;
        text.remove_prefix(dot + 1);
    }
    const auto end = text.find('.');
    if (end == std::string_view::npos)
        return std::nullopt;
    return text.substr(0, end);
}

}  // namespace

std::string decodeCueCatScan(std::string_view scanned)
{
    if (scanned.starts_with('.'))
        scanned.remove_prefix(1);
    // The last field needs no closing ".".
    const std::string text = std::string(scanned) + ".";
    const auto data = field(text, kDataField);
    if (!data)
        return {};
    std::string code;
    for (std::size_t at = 0; at + kGroupSize <= data->size(); at += kGroupSize) {
        const std::string_view group = data->substr(at, kGroupSize);
        std::size_t bytes = 3;
        std::array<std::uint8_t, kGroupSize> v{};
        for (std::size_t i = 0; i < kGroupSize; ++i)
            v[i] = sixBits(group[i]);
        if (group[3] == '=') {
            v[3] = 0;
            bytes = 2;
            if (group[2] == '=') {
                v[2] = 0;
                bytes = 1;
            }
        }
        const std::array<std::uint8_t, 3> decoded{
            static_cast<std::uint8_t>((v[0] << 2) | (v[1] >> 4)),
            static_cast<std::uint8_t>((v[1] << 4) | (v[2] >> 2)),
            static_cast<std::uint8_t>((v[2] << 6) | v[3]),
        };
        for (std::size_t i = 0; i < bytes; ++i)
            code += static_cast<char>(decoded[i] ^ kCueCatMask);
    }
    return code;
}

std::optional<std::string> scannedBarCode(std::string_view scannerText)
{
    if (!scannerText.empty() && std::all_of(scannerText.begin(), scannerText.end(), isDigit))
        return std::string(scannerText);
    if (scannerText.size() < kShortestScan)
        return std::nullopt;
    return decodeCueCatScan(scannerText);
}

std::string barCodeSearchAddress(std::string_view searchAddress, std::string_view code)
{
    std::string address(searchAddress);
    std::copy_if(code.begin(), code.end(), std::back_inserter(address), isDigit);
    return address;
}

}  // namespace lookup
