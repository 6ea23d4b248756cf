#include "support/fixture_files.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace test_support {

std::string fixturePath(const std::string& relative) { return std::string(VINORA_FIXTURES_DIR) + "/" + relative; }

std::vector<TableCase> allFixtureTables()
{
    std::vector<TableCase> cases;
    for (const char* set : {"small", "medium", "empty"})
        for (const char* table : {"ALBUMS", "TRACKS", "PLAYLIST", "ARTISTS"})
            cases.push_back({set, table});
    return cases;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> dataLines(const std::string& path)
{
    std::istringstream in(readFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        cells.push_back(line.substr(start, tab - start));
    cells.push_back(line.substr(start));
    return cells;
}

std::vector<std::vector<std::string>> tabRows(const std::string& path)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : dataLines(path))
        rows.push_back(splitTabs(line));
    return rows;
}

void copyFixtureSet(const std::string& set, const std::string& dir)
{
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(fixturePath(set))) {
        if (!entry.is_regular_file())
            continue;
        fs::path to = fs::path(dir) / entry.path().filename();
        fs::copy_file(entry.path(), to, fs::copy_options::overwrite_existing);
        fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
    }
}

std::string runCapture(const std::string& command, int* status)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
        out.append(buf, n);
    int rc = ::pclose(pipe);
    if (status)
        *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

bool damageFile(const std::string& path, long offset, unsigned seed)
{
    std::mt19937 bytes(seed);
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(offset);
    for (int i = 0; i < 64; ++i)
        file.put(static_cast<char>(bytes()));
    return file.good();
}

}  // namespace test_support
