// Bar codes from a :CueCat scan, from a scanner that types digits, and the
// search address built from one.
#include <gtest/gtest.h>

#include "lookup/bar_code.h"

namespace {

TEST(BarCode, DecodesCueCatScans)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {".abc.def.C3jXChD2Dxr7ENn2.", "012345678905"},
        {"abc.def.C3jXChD2Dxr7ENn2.", "012345678905"},
        {".abc.def.C3jXChD2Dxr7ENn2", "012345678905"},
        {".abc.def.CNfW.", "123"},
        {".abc.def.CNe=.", "12"},
        {".abc.def.CG==.", "1"},
        {".abc.def.CNfWCN.", "123"},  // a short last group is dropped
        {".abc.def.CNf.", ""},
        {".abc.def", ""},
        {"", ""},
    };
    for (const auto& [scan, code] : cases)
        EXPECT_EQ(lookup::decodeCueCatScan(scan), code) << scan;
}

TEST(BarCode, ScannerFieldShowsTheCode)
{
    EXPECT_EQ(lookup::scannedBarCode("0123"), "0123") << "a scanner that types digits";
    EXPECT_EQ(lookup::scannedBarCode(".abc.def.C3jXChD2Dxr7ENn2."), "012345678905");
    EXPECT_EQ(lookup::scannedBarCode(".abc.def.C"), std::nullopt) << "a scan still arriving";
    EXPECT_EQ(lookup::scannedBarCode(""), std::nullopt);
}

TEST(BarCode, SearchAddressTakesTheDigits)
{
    const std::string search = "https://musicbrainz.org/search?type=release&method=advanced&query=barcode:";
    EXPECT_EQ(lookup::barCodeSearchAddress(search, "0 12345 67890 5"), search + "012345678905");
    EXPECT_EQ(lookup::barCodeSearchAddress(search, ""), search);
}

}  // namespace
