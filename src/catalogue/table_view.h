#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cursor.h"
#include "xbase/table.h"

namespace catalogue {

// One named view of the catalogue: a file in the program directory, an
// access mode, an order and a filter that outlive closing and reopening, and
// while open an xbase::Cursor on the file. Master and lookup links name other
// views; a view that opens or closes re-links the open views that depend on
// it, so a detail follows its master and lookups read the source's current
// cursor. A link whose view is closed is left out: a detail then shows every
// row and a lookup field reads as an unknown field (XbaseError).
class TableView {
public:
    // The file is opened through `fs`.
    TableView(std::string name, std::string directory, std::string fileName,
              xbase::FileSystem& fs = xbase::defaultFileSystem());
    ~TableView();
    TableView(const TableView&) = delete;
    TableView& operator=(const TableView&) = delete;

    const std::string& name() const { return name_; }
    const std::string& fileName() const { return fileName_; }
    // The file in the directory named fileName() without regard to case, or
    // the directory joined with fileName() when there is none yet.
    std::string path() const;

    // Requires: closed (throws xbase::XbaseError otherwise).
    void setFileName(std::string fileName);
    bool exclusive() const { return exclusive_; }
    // Requires: closed (throws xbase::XbaseError otherwise).
    void setExclusive(bool exclusive);

    // Tag name (case ignored) or "" for record order. While closed it is
    // kept and applied at open; while open it applies now and throws
    // xbase::XbaseError for an unknown tag.
    void setOrder(std::string_view tag);
    std::string order() const;
    // Kept while closed as the order is; an invalid expression throws when
    // applied. "" removes the filter.
    void setFilter(std::string_view expression);
    void setFiltered(bool on);

    // Set-up links. Requires: closed.
    void setMaster(TableView& master, std::string field);
    void addLookup(std::string name, std::size_t width, TableView& source, std::string keyField,
                   std::string sourceField);

    // Opens the file (shared, or exclusive when set), applies order, filter
    // and links, and stands on the first row. Nothing happens when open.
    // Throws xbase::XbaseError when the file cannot be opened or the order
    // or filter does not apply; the view then stays closed.
    void open();
    // Nothing happens when closed.
    void close();
    bool isOpen() const { return cursor_ != nullptr; }

    // The open cursor. Throws xbase::XbaseError when the view is closed.
    xbase::Cursor& cursor() const;
    // Opened when closed, in `tag`'s order, its filter off, so seeks see
    // every row. Changes only what differs: each change re-reads the rows.
    // Throws xbase::XbaseError as open() and setOrder() do.
    xbase::Cursor& readyForSeeks(std::string_view tag);
    xbase::Cursor* operator->() const { return &cursor(); }

private:
    struct Lookup {
        std::string name;
        std::size_t width;
        TableView* source;
        std::string keyField;
        std::string sourceField;
    };

    void requireClosed(std::string_view what) const;
    std::unique_ptr<xbase::Cursor> makeCursor() const;
    void keepState();
    void relink();
    void rebuild();
    void relinkDependents();

    std::string name_;
    std::string directory_;
    std::string fileName_;
    xbase::FileSystem& fs_;
    bool exclusive_ = false;
    std::string order_;
    std::string filterText_;
    bool filtered_ = false;
    TableView* master_ = nullptr;
    std::string masterField_;
    std::vector<Lookup> lookups_;
    std::vector<TableView*> dependents_;
    std::shared_ptr<xbase::Table> table_;
    std::unique_ptr<xbase::Cursor> cursor_;
};

}  // namespace catalogue
