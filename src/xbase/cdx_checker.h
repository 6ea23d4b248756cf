#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "xbase/cdx_index.h"
#include "xbase/file.h"

namespace xbase {

// Integrity check of a compound index. Each check returns the problems it
// found, one sentence each; an empty list means the index is sound. Damage
// is reported, never thrown. Notes name what is valid but unusual, such as
// leaves whose stated free space is less than they have (slack other
// engines leave); they never call for a rebuild.
class CdxChecker {
public:
    struct Findings {
        std::vector<std::string> problems;
        std::vector<std::string> notes;
    };

    // Everything: every page of the directory and of each tag (bounds,
    // levels, order, parent entries, sibling links, leaf free space), pages
    // used twice, the free list, and every entry against the table: each
    // record present once, with the key its expression gives, and found
    // again by a seek.
    static Findings inspect(CdxIndex& index);
    // The problems inspect() finds.
    static std::vector<std::string> check(CdxIndex& index) { return inspect(index).problems; }

    // Cheap: the compound header, the tag directory and each tag header,
    // without reading the tags' trees or the table. For deciding at start-up
    // whether the index must be rebuilt.
    static std::vector<std::string> checkHeader(FileSystem& fs, const std::string& path);

private:
    explicit CdxChecker(CdxPageStore& store);
    // Walks one tree level by level; returns false when it could not be read.
    bool checkTree(const CdxTag& tag, const std::string& label);
    // A leaf's free-space field on disk against the space it leaves.
    void checkFreeField(const CdxPage& page, const std::string& at);
    // One note for the leaves of a tree that stated less free space.
    void noteSlack(const std::string& where);
    void checkFreeList();
    void checkEntries(CdxIndex& index, const CdxTag& tag);
    void problem(std::string text);

    CdxPageStore& store_;
    std::vector<std::string> owners_;  // by page number: who uses the page
    std::vector<std::string> problems_;
    std::vector<std::string> notes_;
    std::size_t slackPages_ = 0;  // in the tree being checked
    std::string firstSlack_;
};

}  // namespace xbase
