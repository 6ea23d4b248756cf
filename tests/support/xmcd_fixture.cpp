#include "support/xmcd_fixture.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "lookup/toc_arithmetic.h"
#include "support/fixture_files.h"

namespace test_support {

platform::DiscToc discToc(const std::vector<long>& offsets, long leadOut)
{
    platform::DiscToc toc;
    toc.trackCount = static_cast<std::uint8_t>(offsets.size());
    for (std::size_t i = 0; i < offsets.size(); ++i)
        toc.tracks[i] = lookup::msfFromFrames(offsets[i]);
    toc.leadOut = lookup::msfFromFrames(leadOut);
    return toc;
}

std::vector<std::string> cddbEntryFiles()
{
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(fixturePath("cddb/entries")))
        if (item.is_regular_file())
            files.push_back(item.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> fileLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> cddbFixtureLines(const std::string& relative)
{
    return fileLines(fixturePath("cddb/" + relative));
}

EntryDisc entryDisc(const std::vector<std::string>& lines)
{
    EntryDisc disc;
    bool inOffsets = false;
    for (const std::string& line : lines) {
        if (line.find("Track frame offsets") != std::string::npos) {
            inOffsets = true;
            continue;
        }
        if (inOffsets) {
            const auto digits = line.find_first_not_of("# \t");
            if (digits == std::string::npos) {
                inOffsets = false;
                continue;
            }
            disc.offsets.push_back(std::stol(line.substr(digits)));
        } else if (line.rfind("# Disc length:", 0) == 0) {
            disc.discLength = std::stol(line.substr(14));
        } else if (line.rfind("DISCID=", 0) == 0) {
            disc.discId = line.substr(7, 8);
        }
    }
    return disc;
}

}  // namespace test_support
