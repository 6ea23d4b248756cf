#include "catalogue/table_view.h"

#include "catalogue/program_files.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace catalogue {

TableView::TableView(std::string name, std::string directory, std::string fileName, xbase::FileSystem& fs)
    : name_(std::move(name)), directory_(std::move(directory)), fileName_(std::move(fileName)), fs_(fs)
{
}

// Cursors unlink from each other in their own destructors; lookups are not
// read while the catalogue goes, so no re-linking here.
TableView::~TableView() = default;

std::string TableView::path() const { return filePathNoCase(directory_, fileName_); }

void TableView::requireClosed(std::string_view what) const
{
    if (isOpen())
        throw xbase::XbaseError(name_ + ": close the view before " + std::string(what));
}

void TableView::setFileName(std::string fileName)
{
    requireClosed("pointing it at another file");
    fileName_ = std::move(fileName);
}

void TableView::setExclusive(bool exclusive)
{
    requireClosed("changing its access mode");
    exclusive_ = exclusive;
}

void TableView::setOrder(std::string_view tag)
{
    if (isOpen())
        cursor_->setOrder(tag);
    order_ = std::string(tag);
}

std::string TableView::order() const { return isOpen() ? cursor_->order() : order_; }

void TableView::setFilter(std::string_view expression)
{
    if (expression.empty() && isOpen()) {
        // A cursor cannot drop its expression, so a new one without it.
        keepState();
        filterText_.clear();
        filtered_ = false;
        rebuild();
        return;
    }
    if (isOpen())
        cursor_->setFilter(expression);
    filterText_ = std::string(expression);
}

void TableView::setFiltered(bool on)
{
    if (isOpen())
        cursor_->setFiltered(on);
    filtered_ = on;
}

xbase::Cursor& TableView::readyForSeeks(std::string_view tag)
{
    open();
    if (!xbase::equalsNoCase(order(), tag))
        setOrder(tag);
    if (cursor_->filtered())
        setFiltered(false);
    return *cursor_;
}

void TableView::setMaster(TableView& master, std::string field)
{
    requireClosed("linking it to a master");
    master_ = &master;
    masterField_ = std::move(field);
    master.dependents_.push_back(this);
}

void TableView::addLookup(std::string name, std::size_t width, TableView& source, std::string keyField,
                          std::string sourceField)
{
    requireClosed("adding a lookup field");
    lookups_.push_back({std::move(name), width, &source, std::move(keyField), std::move(sourceField)});
    source.dependents_.push_back(this);
}

std::unique_ptr<xbase::Cursor> TableView::makeCursor() const
{
    auto c = std::make_unique<xbase::Cursor>(table_);
    if (!order_.empty())
        c->setOrder(order_);
    if (!filterText_.empty())
        c->setFilter(filterText_);
    c->setFiltered(filtered_);
    if (master_ && master_->isOpen())
        c->setMaster(master_->cursor_.get(), masterField_);
    for (const Lookup& l : lookups_)
        if (l.source->isOpen())
            c->addLookup(l.name, l.width, l.source->cursor_.get(), l.keyField, l.sourceField);
    c->first();
    return c;
}

void TableView::open()
{
    if (isOpen())
        return;
    table_ = xbase::Table::open(path(), exclusive_ ? xbase::OpenMode::Exclusive : xbase::OpenMode::Shared, fs_);
    try {
        cursor_ = makeCursor();
    } catch (...) {
        table_.reset();
        throw;
    }
    relinkDependents();
}

void TableView::close()
{
    if (!isOpen())
        return;
    keepState();
    cursor_.reset();
    table_.reset();
    relinkDependents();
}

// What callers set on the cursor directly survives a close.
void TableView::keepState()
{
    order_ = cursor_->order();
    filterText_ = cursor_->filterText();
    filtered_ = cursor_->filtered();
}

void TableView::relink()
{
    keepState();
    rebuild();
}

// A fresh cursor with the kept state and the links as they now are, on the
// record the old one stood on when that record is still visible.
void TableView::rebuild()
{
    const std::uint32_t recno = cursor_->eof() ? 0 : cursor_->recno();
    auto fresh = makeCursor();
    cursor_ = std::move(fresh);
    if (recno != 0)
        cursor_->goToRecord(recno);
    relinkDependents();
}

void TableView::relinkDependents()
{
    for (TableView* d : dependents_)
        if (d->isOpen())
            d->relink();
}

xbase::Cursor& TableView::cursor() const
{
    if (!cursor_)
        throw xbase::XbaseError(name_ + ": the view is not open");
    return *cursor_;
}

}  // namespace catalogue
