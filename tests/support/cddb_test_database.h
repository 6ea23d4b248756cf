#pragma once

#include <string>
#include <vector>

namespace test_support {

// The entries of a folder laid out as <category>/<discid> (tests/data/cddb/
// entries) as a CDDB server holds them, and what it answers to the
// commands that reach its database: query (exact and close matches by the
// server's tolerance), read, lscat, sites. Reply lines carry no line ends;
// free texts after the codes are this server's own.
class CddbTestDatabase {
public:
    // The eleven categories, in the order the recorded server listed them.
    static const std::vector<std::string>& categories();
    // Two hosts, each with a cddbp and an http line, as recorded.
    static std::vector<std::string> recordedSites();

    explicit CddbTestDatabase(const std::string& entriesDir);

    void setSites(std::vector<std::string> lines) { sites_ = std::move(lines); }

    // The reply to `command` (hello, proto and quit belong to the session)
    // at protocol level `level`.
    std::vector<std::string> reply(const std::string& command, int level) const;

private:
    struct Entry {
        std::string category;
        std::string discId;
        std::string title;
        std::vector<long> offsets;
        long seconds = 0;
        bool intact = false;  // what the server checks before serving it
        std::vector<std::string> lines;
    };

    static Entry parse(std::string category, std::string discId, const std::string& text);
    std::vector<std::string> query(const std::vector<std::string>& words, int level) const;
    std::vector<std::string> read(const std::vector<std::string>& words) const;

    std::vector<Entry> entries_;
    std::vector<std::string> sites_;
};

}  // namespace test_support
