#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// Byte layout of a DBF table (FoxPro 2.x); docs/formats/dbf.md explains
// each field. Numbers are little-endian.
namespace xbase::dbf {

constexpr std::size_t kFileHeaderSize = 32;
constexpr std::size_t kVersionOffset = 0;
constexpr std::size_t kDateOffset = 1;  // year - 1900, month, day
constexpr std::size_t kCountOffset = 4;
constexpr std::size_t kHeaderLengthOffset = 8;
constexpr std::size_t kRecordLengthOffset = 10;
constexpr std::size_t kFlagsOffset = 28;

// Field descriptors follow the file header, ended by kTerminator.
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kNameSize = 11;
constexpr std::size_t kTypeOffset = 11;
constexpr std::size_t kLengthOffset = 16;
constexpr std::size_t kDecimalsOffset = 17;
constexpr std::uint8_t kTerminator = 0x0D;

constexpr std::uint8_t kEofMarker = 0x1A;
constexpr std::uint8_t kVersionPlain = 0x03;
constexpr std::uint8_t kVersionWithMemo = 0xF5;
constexpr std::uint8_t kDeletedFlag = '*';
constexpr std::uint8_t kStructuralIndexFlag = 0x01;
constexpr std::size_t kMaxRecordLength = 65535;

// Today's date as the header stores it, into out[0..2].
inline void writeToday(std::uint8_t* out)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    out[0] = static_cast<std::uint8_t>(local.tm_year);
    out[1] = static_cast<std::uint8_t>(local.tm_mon + 1);
    out[2] = static_cast<std::uint8_t>(local.tm_mday);
}

}  // namespace xbase::dbf
