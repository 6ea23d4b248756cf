#include "support/disc_image.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace test_support {
namespace {

constexpr long kLeadIn = 150;
constexpr long kSectorBytes = 2352;

// mm:ss:ff of a frame count.
std::string msf(long frames)
{
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", frames / 4500, frames / 75 % 60, frames % 75);
    return text;
}

void writeSparseBin(const std::string& path, long leadOut)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc);
    if (::truncate(path.c_str(), (leadOut - kLeadIn) * kSectorBytes) != 0)
        throw std::runtime_error("cannot size " + path);
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

std::vector<ImageTrack> audioTracks(const std::vector<long>& offsets)
{
    std::vector<ImageTrack> tracks;
    for (long offset : offsets)
        tracks.push_back({offset, 0, false});
    return tracks;
}

std::string writeCueImage(const std::string& dir, const std::string& name, const std::vector<ImageTrack>& tracks,
                          long leadOut)
{
    writeSparseBin(dir + "/" + name + ".bin", leadOut);
    std::string cue = "FILE \"" + name + ".bin\" BINARY\n";
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const ImageTrack& t = tracks[i];
        char header[64];
        std::snprintf(header, sizeof header, "  TRACK %02zu %s\n", i + 1, t.data ? "MODE1/2352" : "AUDIO");
        cue += header;
        const long start = t.offset - kLeadIn;
        const long pregap = i == 0 ? start : t.pregap;
        if (pregap > 0)
            cue += "    INDEX 00 " + msf(start - pregap) + "\n";
        cue += "    INDEX 01 " + msf(start) + "\n";
    }
    const std::string path = dir + "/" + name + ".cue";
    writeText(path, cue);
    return path;
}

std::string writeTocImage(const std::string& dir, const std::string& name, const std::vector<long>& offsets,
                          long leadOut)
{
    // libcdio looks for a TOC file's data relative to the working
    // directory, not to the TOC file.
    const std::string bin = dir + "/" + name + ".bin";
    writeSparseBin(bin, leadOut);
    std::string toc = "CD_DA\n";
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const long end = i + 1 < offsets.size() ? offsets[i + 1] : leadOut;
        toc += "TRACK AUDIO\nFILE \"" + bin + "\" " + msf(offsets[i] - kLeadIn) + " " + msf(end - offsets[i]) + "\n";
    }
    const std::string path = dir + "/" + name + ".toc";
    writeText(path, toc);
    return path;
}

}  // namespace test_support
