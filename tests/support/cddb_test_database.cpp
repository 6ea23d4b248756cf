#include "support/cddb_test_database.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include "support/fixture_files.h"

namespace test_support {
namespace {

// The recorded server's close-match tolerance, in frames.
constexpr long kTrackTolerance = 900;
constexpr long kAverageTolerance = 225;

std::vector<std::string> wordsOf(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool isNumber(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

std::string valueOf(const std::string& line) { return line.substr(line.find('=') + 1); }

std::vector<std::string> list(std::string head, const std::vector<std::string>& lines)
{
    std::vector<std::string> reply{std::move(head)};
    reply.insert(reply.end(), lines.begin(), lines.end());
    reply.emplace_back(".");
    return reply;
}

}  // namespace

const std::vector<std::string>& CddbTestDatabase::categories()
{
    static const std::vector<std::string> names{"folk", "blues",      "jazz", "classical", "misc",   "data",
                                                "newage", "soundtrack", "rock", "reggae",    "country"};
    return names;
}

std::vector<std::string> CddbTestDatabase::recordedSites()
{
    return {"us.example.org cddbp 8880 - N037.21 W121.55 San Jose, CA USA",
            "us.example.org http 80 /~cddb/cddb.cgi N037.21 W121.55 San Jose, CA USA",
            "de.example.org cddbp 8880 - N051.20 E012.23 Leipzig, Germany",
            "de.example.org http 80 /~cddb/cddb.cgi N051.20 E012.23 Leipzig, Germany"};
}

CddbTestDatabase::CddbTestDatabase(const std::string& entriesDir) : sites_(recordedSites())
{
    namespace fs = std::filesystem;
    std::set<fs::path> files;
    for (const auto& file : fs::recursive_directory_iterator(entriesDir)) {
        if (file.is_regular_file())
            files.insert(file.path());
    }
    for (const fs::path& file : files)
        entries_.push_back(parse(file.parent_path().filename(), file.filename(), readFile(file)));
}

CddbTestDatabase::Entry CddbTestDatabase::parse(std::string category, std::string discId, const std::string& text)
{
    Entry entry{std::move(category), std::move(discId), {}, {}, 0, false, {}};
    std::istringstream in(text);
    bool inOffsets = false;
    std::set<long> titles;
    bool hasDiscId = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        entry.lines.push_back(line);
        const std::string body = line.size() > 1 ? line.substr(1) : "";
        if (line.find("Track frame offsets") != std::string::npos) {
            inOffsets = true;
        } else if (inOffsets && line[0] == '#' && !wordsOf(body).empty()) {
            entry.offsets.push_back(std::atol(wordsOf(body)[0].c_str()));
        } else if (inOffsets) {
            inOffsets = false;
        }
        if (line.rfind("# Disc length:", 0) == 0)
            entry.seconds = std::atol(line.substr(14).c_str());
        if (line.rfind("DISCID=", 0) == 0)
            hasDiscId = true;
        if (line.rfind("DTITLE=", 0) == 0)
            entry.title += valueOf(line);
        if (line.rfind("TTITLE", 0) == 0)
            titles.insert(std::atol(line.substr(6).c_str()));
    }
    const bool increasing = std::adjacent_find(entry.offsets.begin(), entry.offsets.end(),
                                               [](long a, long b) { return b <= a; }) == entry.offsets.end();
    entry.intact = hasDiscId && entry.seconds > 0 && !entry.offsets.empty() && increasing &&
                   titles.size() == entry.offsets.size() && *titles.rbegin() + 1 == long(titles.size());
    return entry;
}

std::vector<std::string> CddbTestDatabase::reply(const std::string& command, int level) const
{
    const std::vector<std::string> words = wordsOf(command);
    const std::string first = words.empty() ? "" : lower(words[0]);
    const std::string second = words.size() > 1 ? lower(words[1]) : "";
    if (first == "cddb" && second == "query")
        return query(words, level);
    if (first == "cddb" && second == "read")
        return read(words);
    if (first == "cddb" && second == "lscat" && words.size() == 2)
        return list("210 OK, category list follows (until terminating `.')", categories());
    if (first == "sites" && words.size() == 1)
        return list("210 OK, site information follows (until terminating `.')", sites_);
    return {"500 Unrecognized command."};
}

std::vector<std::string> CddbTestDatabase::query(const std::vector<std::string>& words, int level) const
{
    if (words.size() < 5 || !isNumber(words[3]) || words.size() != 5 + std::stoul(words[3]))
        return {"500 Command syntax error: incorrect number of arguments."};
    const std::string discId = lower(words[2]);
    const std::size_t count = std::stoul(words[3]);
    std::vector<long> offsets;
    for (std::size_t i = 0; i < count; ++i)
        offsets.push_back(std::atol(words[4 + i].c_str()));
    const long seconds = std::atol(words.back().c_str());

    std::vector<std::string> exact;
    std::vector<std::string> close;
    for (const Entry& entry : entries_) {
        if (!entry.intact || entry.offsets.size() != count)
            continue;
        long sum = std::labs((entry.seconds - seconds) * 75);
        long worst = sum;
        for (std::size_t i = 0; i < count; ++i) {
            const long difference = std::labs(entry.offsets[i] - offsets[i]);
            sum += difference;
            worst = std::max(worst, difference);
        }
        const long tracksAndLeadOut = static_cast<long>(count) + 1;
        if (worst > kTrackTolerance || sum / tracksAndLeadOut > kAverageTolerance ||
            std::labs(entry.seconds - seconds) > kTrackTolerance * tracksAndLeadOut / 4 / 75)
            continue;
        const std::string match = entry.category + " " + entry.discId + " " + entry.title;
        (entry.discId == discId ? exact : close).push_back(match);
    }
    if (exact.size() == 1 || (!exact.empty() && level < 4))
        return {"200 " + exact.front()};
    if (!exact.empty())
        return list("210 Found exact matches, list follows (until terminating `.')", exact);
    if (!close.empty())
        return list("211 Found inexact matches, list follows (until terminating `.')", close);
    return {"202 No match for disc ID " + discId + "."};
}

std::vector<std::string> CddbTestDatabase::read(const std::vector<std::string>& words) const
{
    if (words.size() != 4)
        return {"500 Command syntax error: incorrect number of arguments."};
    const std::string& category = words[2];
    const std::string discId = lower(words[3]);
    if (std::find(categories().begin(), categories().end(), category) == categories().end())
        return {"501 Invalid category: " + category};
    const auto entry = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return e.category == category && e.discId == discId;
    });
    if (entry == entries_.end())
        return {"401 " + category + " " + discId + " No such CD entry in database."};
    if (!entry->intact)
        return {"403 Database entry is corrupt."};
    return list("210 " + category + " " + discId + " CD database entry follows (until terminating `.')",
                entry->lines);
}

}  // namespace test_support
