#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/bulk_allocator.h"
#include "xbase/cdx_page_store.h"
#include "xbase/cdx_tag.h"
#include "xbase/expression.h"
#include "xbase/table.h"

namespace xbase {

// What a tag is made of: enough to build it again.
struct CdxTagDefinition {
    std::string name;
    std::string expression;
    std::string forExpression;
};

// A compound index file (FoxPro CDX) of one table: a directory of named
// tags, each a B+tree of fixed-length keys with record numbers. Kept current
// through the table's record changes; deleted records keep their entries.
//
// A change to the trees runs between beginUpdate() and endUpdate(), which
// set and clear a mark in the compound header: an index found marked was
// left half-updated by a program that stopped mid-change, and must be built
// again before it is read. After a failed change the index needs a rebuild
// in this process too: its tags are refused until it is replaced.
class CdxIndex : public TableListener {
public:
    // Opens the index in `file` for `table`: reads the header and the tag
    // directory and compiles each tag's expression. Throws XbaseError when
    // the file is damaged or a tag cannot be kept current (descending,
    // unique, or an expression the table cannot evaluate).
    static std::unique_ptr<CdxIndex> open(Table& table, std::unique_ptr<File> file);
    // Makes `file` an empty index (no tags) for `table`.
    static std::unique_ptr<CdxIndex> create(Table& table, std::unique_ptr<File> file);
    // Builds an index with `tags` from the records of `table` under a
    // temporary name beside `path`, syncs it, renames it over `path` and
    // opens it. On failure `path` is untouched. Throws XbaseError.
    static std::unique_ptr<CdxIndex> build(Table& table, const std::string& path,
                                           const std::vector<CdxTagDefinition>& tags);
    // The temporary name build() uses (a leftover of a killed program).
    static std::string buildPath(const std::string& path);

    ~CdxIndex() override;
    CdxIndex(const CdxIndex&) = delete;
    CdxIndex& operator=(const CdxIndex&) = delete;

    const std::string& path() const { return store_.path(); }
    Table& table() const { return table_; }
    // Tags in creation order.
    std::size_t tagCount() const { return tags_.size(); }
    CdxTag& tagAt(std::size_t i) const { return *tags_[i].tag; }
    // The tag named `name` (case ignored), or null. Throws XbaseError while
    // the index needs a rebuild.
    CdxTag* tag(std::string_view name) const;
    std::vector<CdxTagDefinition> definitions() const;
    // The directory of tags (keys: names, record numbers: header offsets).
    CdxTag& directory() { return directory_; }
    CdxPageStore& store() { return store_; }

    // Builds tag `name` (at most 10 letters, digits or '_') over
    // `expression` from every record, replacing a tag of that name.
    // `forExpression`, when given, limits it to records for which it holds.
    // Throws XbaseError on a bad name or expression, a read-only file, or a
    // failed write (the index then needs a rebuild).
    CdxTag& createTag(std::string_view name, std::string_view expression, std::string_view forExpression = {},
                      const RecordProgress& progress = {});

    // Keeps every tag current: moves the record's entry when its key changed.
    // Requires: beginUpdate(). A failure leaves the index needing a rebuild.
    void recordChanged(std::uint32_t recno, const std::uint8_t* oldRecord, const std::uint8_t* newRecord) override;

    // Sets the update mark on disk (once until endUpdate). Throws XbaseError.
    void beginUpdate();
    // Clears the mark. Throws XbaseError when it cannot: the index then
    // needs a rebuild, as after a failed change.
    void endUpdate();
    // The mark was found set when the file was opened.
    bool marked() const { return markedAtOpen_; }
    bool needsRebuild() const { return needsRebuild_; }
    // "PATH: the index was left half-updated and needs rebuilding".
    static std::string needsRebuildText(const std::string& path);
    bool writable() const { return store_.writable(); }

    // Writes to disk; also lets go of the memory tag builds kept.
    void sync();

private:
    struct Binding {
        std::unique_ptr<CdxTag> tag;
        Expression key;
        std::optional<Expression> filter;
    };

    CdxIndex(Table& table, std::unique_ptr<File> file, CdxTagHeader directoryHeader);
    void loadTags();
    // Compiles a tag's expressions (any width when header.keyLength is 0).
    Binding compile(const std::string& name, const CdxTagHeader& header) const;
    // Evaluates the keys of every record the tag holds into keys_ and
    // recnos_, sorted.
    void collectKeys(const Binding& binding, const RecordProgress& progress);
    void updateTag(Binding& binding, std::uint32_t recno, const std::uint8_t* oldRecord, const std::uint8_t* newRecord);
    void writeMark(bool set);

    // What the disk holds at the mark, as far as this process knows.
    enum class Mark { Clear, Set, Unknown };

    Table& table_;
    CdxPageStore store_;
    CdxTag directory_;
    std::vector<Binding> tags_;
    std::string oldKey_;
    std::string newKey_;
    // A build's entries, kept for the next tag's build (fresh memory is
    // slow to touch) and let go at sync().
    BulkVector<char> keys_;
    BulkVector<std::uint32_t> recnos_;
    Mark mark_ = Mark::Clear;
    bool markedAtOpen_ = false;
    bool needsRebuild_ = false;
};

}  // namespace xbase
