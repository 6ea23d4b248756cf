#pragma once

#include <map>
#include <string>
#include <vector>

namespace test_support {

// The four catalogue tables of a directory as the inspector shows them:
// every record (deleted ones included), the live records of every tag in
// order with their keys, and the index check's verdict per table.
struct CatalogueSnapshot {
    std::map<std::string, std::vector<std::string>> records;  // by table file name
    std::map<std::string, std::string> orders;                // by "TABLE TAG"
    std::map<std::string, std::string> checks;                // by table file name
};

// Requires: no table of `dir` is open exclusively.
CatalogueSnapshot takeSnapshot(const std::string& dir);

// Fails the test unless `after` shows the catalogue of `before`: the same
// records and index orders, every index sound. Records appended since may
// remain when they are marked deleted (the catalogue never shows them).
void expectSameCatalogue(const CatalogueSnapshot& before, const CatalogueSnapshot& after, const std::string& context);

// The live rows of table `file` in `dir` whose ID starts with `id`, in
// record order: each field by its name (upper case), trailing blanks cut
// except in memos, and "#" the record number.
using Row = std::map<std::string, std::string>;
std::vector<Row> liveRows(const std::string& dir, const std::string& file, const std::string& id);

}  // namespace test_support
