#pragma once

#include <optional>
#include <string>
#include <string_view>

// Bar codes typed by a scanner or by hand, and the search for one on the web.
namespace lookup {

// The bar-code characters of a :CueCat scan ".serial.type.data."; empty
// when the text has fewer than three fields. The data field's groups of
// four characters carry 6-bit values (a-z, A-Z, 0-9, "+", "-"; "=" pads a
// short last group) whose bytes, XORed with "C", are the characters.
std::string decodeCueCatScan(std::string_view scanned);

// What the bar-code field shows for the scanner field's text: the digits
// themselves from a scanner that types plain digits, the decoded code of a
// :CueCat scan once it is longer than ten characters, else nothing (the
// field stays as it is while a scan is still arriving).
std::optional<std::string> scannedBarCode(std::string_view scannerText);

// The search address for the typed or scanned `code`: its digits, check
// digit included, appended to `searchAddress` (the settings' UPC address).
std::string barCodeSearchAddress(std::string_view searchAddress, std::string_view code);

}  // namespace lookup
