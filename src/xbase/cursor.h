#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/expression.h"
#include "xbase/row_list.h"
#include "xbase/table.h"

namespace xbase {

// A view on a table with its own order, filter, master link and position.
// Many cursors may share one table; each sees the others' writes at once.
// Deleted records are hidden unless showDeleted is set. Rows are kept as an
// ordered list of visible record numbers (with their keys), built when first
// needed after an order, filter or master change and kept current on writes,
// so row N, count and prior are cheap. First, next and seeks in tag order
// go through the tag until the list is needed, and a detail finds its first
// row only when it is next used, so moving a master costs next to nothing.
// Moves go by the key the index files a row under, never by the key its
// record gives now: when the two disagree (the table was changed behind the
// index) walks still end.
class Cursor : private TableListener {
public:
    explicit Cursor(std::shared_ptr<Table> table);
    ~Cursor() override;
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    Table& table() const { return *table_; }

    // Order by tag (case ignored), or "" for record order. Keeps the current
    // record. Throws XbaseError when the table has no such tag.
    void setOrder(std::string_view tag);
    const std::string& order() const { return order_; }
    // Key of the current order for a record ("" in record order).
    std::string keyOf(const std::uint8_t* record) const;
    // The key the order files the current row under ("" in record order or
    // at end of file).
    const std::string& key() const
    {
        settle();
        return currentKey_;
    }

    bool first();
    bool last();
    bool next();
    bool prior();
    bool bof() const
    {
        settle();
        return bof_;
    }
    bool eof() const
    {
        settle();
        return eof_;
    }
    // Current record number; recordCount()+1 at end of file.
    std::uint32_t recno() const;
    // Visible rows (filter, master range and deleted rows respected).
    std::uint32_t count();
    // Index of the current row in the order, or count() at end.
    std::uint32_t row();
    // Stands on row `n` (0-based); false (end of file) past the last row.
    bool goToRow(std::uint32_t n);
    std::uint32_t recnoAtRow(std::uint32_t n);
    // Stands on record `recno` when it is visible.
    bool goToRecord(std::uint32_t recno);

    // Exact seek: a key shorter than the key length matches as a prefix.
    // Found: stands on the first match. Not found: end of file.
    bool seek(std::string_view key);
    // Seek on several values, each padded to the width of its field in the
    // order's key ("ID+NR": seekValues({id, nr})).
    bool seekValues(std::initializer_list<std::string_view> values);
    // Stands on the first key not below `key` (end of file when none);
    // returns whether that key starts with `key`.
    bool seekNearest(std::string_view key);

    // Throws XbaseError with the message of Expression::checkFilter.
    void setFilter(std::string_view expression);
    void setFiltered(bool on);
    bool filtered() const { return filterOn_ && filter_.has_value(); }
    const std::string& filterText() const { return filterText_; }
    void setShowDeleted(bool show);

    // Shows only the rows whose key starts with the master's current value
    // of `field` (padded to its width), following the master as it moves.
    // Requires: the order's key starts with that field.
    void setMaster(Cursor* master, std::string_view field);
    // A read-only field filled from `source`: the row of `source` whose key
    // equals this row's `keyField`, its `sourceField`.
    void addLookup(std::string name, std::size_t width, Cursor* source, std::string keyField,
                   std::string sourceField);

    // Field values of the current row (the edit buffer while editing).
    // Character fields keep their trailing blanks. Lookup fields by name too.
    std::string field(std::string_view name) const;
    std::string fieldTrimmed(std::string_view name) const;
    long fieldInt(std::string_view name) const;
    std::string memo(std::string_view name) const;

    void append();
    void edit();
    void setField(std::string_view name, std::string_view value);
    void setFieldInt(std::string_view name, long value);
    void setMemo(std::string_view name, std::string_view text);
    // Writes the edit buffer; the cursor stands on the written record.
    void post();
    void cancel();
    bool editing() const { return editing_; }
    // Marks the current record deleted; the cursor moves to the next row.
    void deleteRow();

private:
    struct Lookup {
        std::string name;
        std::size_t width;
        Cursor* source;
        int keyField;
        std::string sourceField;
    };

    // A row of the order: a record and the key it is filed under.
    struct Entry {
        std::uint32_t recno = 0;  // 0 = none
        std::string key;
    };

    void recordChanged(std::uint32_t recno, const std::uint8_t* oldRecord, const std::uint8_t* newRecord) override;
    void tableReset() override;
    // The master moved: the row list and position are found again on next use.
    void masterMoved();
    void settle() const
    {
        if (pending_)
            standFirst();
    }
    void standFirst() const;
    void invalidate();
    RowList& rows();
    void build();
    // Deleted and filter rules; the master range goes by key.
    bool passes(const std::uint8_t* record) const;
    // The master's range: false when the master stands nowhere (nothing to
    // show), else `prefix` is the key prefix of every row ("" without one).
    bool rangeOf(std::string& prefix) const;
    bool inRange(std::string_view key) const;
    // Until a row list is needed, an ordered cursor moves through its tag
    // directly, so opening a view over a big table is cheap.
    bool lazy() const { return !built_ && key_.has_value(); }
    // The first visible entry of the tag not before (key, recno), within the
    // master's range.
    Entry firstInTag(std::string_view key, std::uint32_t recno) const;
    // The first visible row starting with `key`, or none; the cursor stays.
    std::uint32_t findFirst(std::string_view key);
    // The key under which the tag files `recno` (it may differ from what the
    // record gives); false when the tag has no entry for it.
    bool filedKey(std::uint32_t recno, std::string& key);
    bool standAt(std::size_t index);
    // Makes the entry current (none: end of file) and tells the details.
    bool moveTo(std::uint32_t recno, std::string_view key) const;
    const std::uint8_t* current() const;
    int fieldOrThrow(std::string_view name) const;
    std::string masterPrefix() const;

    std::shared_ptr<Table> table_;
    std::string order_;
    std::optional<Expression> key_;
    std::vector<int> keyFields_;  // fields named in the key, in order (for padded seeks)
    std::optional<Expression> filter_;
    std::string filterText_;
    bool filterOn_ = false;
    bool showDeleted_ = false;
    Cursor* master_ = nullptr;
    int masterField_ = -1;
    std::vector<Cursor*> details_;
    std::vector<Lookup> lookups_;

    RowList rows_;
    bool built_ = false;
    // The position; a detail whose master moved finds it on next use, even
    // through the const accessors.
    mutable std::uint32_t current_ = 0;  // record number; 0 = none
    mutable std::string currentKey_;      // the key the order files it under
    mutable bool bof_ = true;
    mutable bool eof_ = true;
    mutable bool pending_ = false;

    bool editing_ = false;
    bool appending_ = false;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace xbase
