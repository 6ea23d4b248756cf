#pragma once

#include <string>
#include <vector>

namespace test_support {

// One catalogue table of one reference set ("small", "ALBUMS").
struct TableCase {
    std::string set;
    std::string table;
};

// Every table of every reference set (small, medium, empty).
std::vector<TableCase> allFixtureTables();
// Parameter name for a TableCase ("small_ALBUMS").
inline std::string tableCaseName(const TableCase& c) { return c.set + "_" + c.table; }

// Path of a file under the reference files folder tests/data ("xbase/small/ALBUMS.DBF").
std::string fixturePath(const std::string& relative);

// Whole content of a file.
std::string readFile(const std::string& path);

// Lines of an expected-results file, without the comment lines ("#...").
std::vector<std::string> dataLines(const std::string& path);

// The cells of a tab-separated line.
std::vector<std::string> splitTabs(const std::string& line);
// The "name<TAB>value" lines of an expected file as a list of fields per line.
std::vector<std::vector<std::string>> tabRows(const std::string& path);

// Copies a fixture set ("xbase/small") into `dir`, writable.
void copyFixtureSet(const std::string& set, const std::string& dir);

// Runs a command line and returns its standard output; `status` gets the exit code.
std::string runCapture(const std::string& command, int* status = nullptr);

// Overwrites 64 bytes of `path` at `offset` with pseudo-random ones drawn
// from `seed`: a damaged page. False when the file could not be written.
bool damageFile(const std::string& path, long offset, unsigned seed);

}  // namespace test_support
