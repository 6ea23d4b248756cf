#include "xbase/cursor.h"

#include <algorithm>
#include <cctype>

#include "xbase/tag_access.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

// Field names in a key expression, in order of appearance ("upper(Artist)+
// upper(Album)" gives Artist, Album): the widths a multi-value seek pads to.
std::vector<int> keyFieldsOf(std::string_view text, const Table& table)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < text.size();) {
        if (!std::isalpha(static_cast<unsigned char>(text[i])) && text[i] != '_') {
            if (text[i] == '"' || text[i] == '\'') {
                std::size_t close = text.find(text[i], i + 1);
                i = close == std::string_view::npos ? text.size() : close + 1;
            } else {
                ++i;
            }
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && (std::isalnum(static_cast<unsigned char>(text[j])) || text[j] == '_'))
            ++j;
        std::size_t k = j;
        while (k < text.size() && text[k] == ' ')
            ++k;
        int field = table.fieldIndex(text.substr(i, j - i));
        if (field >= 0 && (k == text.size() || text[k] != '('))
            out.push_back(field);
        i = j;
    }
    return out;
}

}  // namespace

Cursor::Cursor(std::shared_ptr<Table> table) : table_(std::move(table)) { table_->addListener(this); }

Cursor::~Cursor()
{
    table_->removeListener(this);
    if (master_)
        std::erase(master_->details_, this);
    for (Cursor* d : details_)
        d->master_ = nullptr;
}

void Cursor::setOrder(std::string_view tag)
{
    if (tag.empty()) {
        order_.clear();
        key_.reset();
        keyFields_.clear();
    } else {
        const CdxTag& t = orderTag(*table_, tag);
        key_ = Expression::compile(t.expression(), *table_);
        keyFields_ = keyFieldsOf(t.expression(), *table_);
        order_ = t.name();
    }
    settle();
    invalidate();
    currentKey_.clear();
    if (current_ && key_ && !filedKey(current_, currentKey_))
        currentKey_ = keyOf(table_->record(current_));
}

std::string Cursor::keyOf(const std::uint8_t* record) const
{
    std::string key;
    if (key_)
        key_->evaluateKey(record, key);
    return key;
}

void Cursor::invalidate() { built_ = false; }

RowList& Cursor::rows()
{
    if (!built_) {
        build();
        built_ = true;
    }
    return rows_;
}

bool Cursor::passes(const std::uint8_t* record) const
{
    return (showDeleted_ || record[0] != '*') && (!filtered() || filter_->test(record));
}

std::string Cursor::masterPrefix() const
{
    const std::uint8_t* rec = master_->current();
    if (!rec || masterField_ < 0)
        return {};
    const Field& f = master_->table().fields()[static_cast<std::size_t>(masterField_)];
    return std::string(reinterpret_cast<const char*>(rec + f.offset), f.length);
}

bool Cursor::rangeOf(std::string& prefix) const
{
    prefix.clear();
    if (!master_)
        return true;
    prefix = masterPrefix();
    return !prefix.empty();
}

bool Cursor::inRange(std::string_view key) const
{
    std::string prefix;
    return rangeOf(prefix) && key.substr(0, prefix.size()) == prefix;
}

void Cursor::build()
{
    rows_.reset(key_ ? static_cast<std::size_t>(key_->width()) : 0);
    std::string prefix;
    if (!rangeOf(prefix))
        return;
    if (!key_) {
        if (!master_)
            for (std::uint32_t r = 1; r <= table_->recordCount(); ++r)
                if (passes(table_->record(r)))
                    rows_.pushBack(r, {});
        return;
    }
    const CdxTag& tag = orderTag(*table_, order_);
    for (CdxTag::Position p = tag.lowerBound(prefix, 0); !p.atEnd(); p = tag.next(p)) {
        const std::string_view key = tag.key(p);
        if (key.substr(0, prefix.size()) != prefix)
            break;
        if (passes(table_->record(tag.recno(p))))
            rows_.pushBack(tag.recno(p), key);
    }
}

Cursor::Entry Cursor::firstInTag(std::string_view key, std::uint32_t recno) const
{
    std::string prefix;
    if (!rangeOf(prefix))
        return {};
    if (key.substr(0, prefix.size()) < prefix) {
        key = prefix;
        recno = 0;
    }
    const CdxTag& tag = orderTag(*table_, order_);
    for (CdxTag::Position p = tag.lowerBound(key, recno); !p.atEnd(); p = tag.next(p)) {
        const std::string_view k = tag.key(p);
        if (k.substr(0, prefix.size()) != prefix)
            break;
        if (passes(table_->record(tag.recno(p))))
            return {tag.recno(p), std::string(k)};
    }
    return {};
}

bool Cursor::filedKey(std::uint32_t recno, std::string& key)
{
    key = keyOf(table_->record(recno));
    const CdxTag& tag = orderTag(*table_, order_);
    CdxTag::Position p = tag.lowerBound(key, recno);
    if (!p.atEnd() && tag.recno(p) == recno && tag.key(p) == key)
        return true;
    // The record no longer gives the key it is filed under.
    for (p = tag.first(); !p.atEnd(); p = tag.next(p)) {
        if (tag.recno(p) == recno) {
            key.assign(tag.key(p));
            return true;
        }
    }
    return false;
}

const std::uint8_t* Cursor::current() const
{
    settle();
    if (editing_)
        return buffer_.data();
    return current_ ? table_->record(current_) : nullptr;
}

bool Cursor::moveTo(std::uint32_t recno, std::string_view key) const
{
    pending_ = false;
    const std::uint32_t before = current_;
    current_ = recno;
    currentKey_.assign(recno ? key : std::string_view());
    eof_ = recno == 0;
    bof_ = false;
    if (current_ != before)
        for (Cursor* d : details_)
            d->masterMoved();
    return recno != 0;
}

bool Cursor::standAt(std::size_t index)
{
    RowList& list = rows();
    const bool inside = index < list.size();
    moveTo(inside ? list.recno(index) : 0, inside ? list.key(index) : std::string_view());
    bof_ = !inside && list.size() == 0;
    return inside;
}

void Cursor::masterMoved()
{
    invalidate();
    pending_ = true;
    for (Cursor* d : details_)
        d->masterMoved();
}

void Cursor::standFirst() const
{
    // From the tag, built list or not; record order with a master shows
    // nothing.
    Entry e = key_ ? firstInTag({}, 0) : Entry{};
    moveTo(e.recno, e.key);
    bof_ = e.recno == 0;
}

bool Cursor::first()
{
    if (!lazy())
        return standAt(0);
    standFirst();
    return current_ != 0;
}

bool Cursor::last()
{
    std::size_t n = rows().size();
    return standAt(n == 0 ? 0 : n - 1);
}

bool Cursor::next()
{
    settle();
    if (eof_)
        return false;
    if (lazy() && current_) {
        Entry e = firstInTag(currentKey_, current_ + 1);
        return moveTo(e.recno, e.key);
    }
    return standAt(row() + 1);
}

bool Cursor::prior()
{
    const std::uint32_t i = row();
    if (i == 0 || rows().size() == 0) {
        bof_ = true;
        return false;
    }
    return standAt(i - 1);
}

std::uint32_t Cursor::recno() const
{
    settle();
    return current_ ? current_ : table_->recordCount() + 1;
}

std::uint32_t Cursor::count() { return static_cast<std::uint32_t>(rows().size()); }

std::uint32_t Cursor::row()
{
    settle();
    RowList& list = rows();
    if (current_ == 0)
        return static_cast<std::uint32_t>(list.size());
    return static_cast<std::uint32_t>(list.lowerBound(currentKey_, current_));
}

bool Cursor::goToRow(std::uint32_t n) { return standAt(n); }

std::uint32_t Cursor::recnoAtRow(std::uint32_t n)
{
    RowList& list = rows();
    if (n >= list.size())
        throw XbaseError(table_->path() + ": row " + std::to_string(n) + " is past the end");
    return list.recno(n);
}

bool Cursor::goToRecord(std::uint32_t recno)
{
    if (recno < 1 || recno > table_->recordCount() || !passes(table_->record(recno)))
        return false;
    if (!lazy()) {
        RowList& list = rows();
        std::size_t i = list.find(recno, keyOf(table_->record(recno)));
        return i < list.size() && standAt(i);
    }
    std::string key;
    if (!filedKey(recno, key) || !inRange(key))
        return false;
    return moveTo(recno, key);
}

bool Cursor::seek(std::string_view key)
{
    if (!key_)
        throw XbaseError(table_->path() + ": a seek needs an index order");
    key = key.substr(0, static_cast<std::size_t>(key_->width()));
    if (lazy()) {
        Entry e = firstInTag(key, 0);
        const bool found = e.recno && e.key.starts_with(key);
        return moveTo(found ? e.recno : 0, e.key);
    }
    RowList& list = rows();
    std::size_t i = list.lowerBound(key, 0);
    bool found = i < list.size() && list.startsWith(i, key);
    standAt(found ? i : list.size());
    return found;
}

bool Cursor::seekValues(std::initializer_list<std::string_view> values)
{
    std::string key;
    std::size_t j = 0;
    for (std::string_view value : values) {
        if (j < keyFields_.size()) {
            std::size_t width = table_->fields()[static_cast<std::size_t>(keyFields_[j++])].length;
            std::string_view v = value.substr(0, width);
            key += v;
            key.append(width - v.size(), ' ');
        } else {
            key += value;
        }
    }
    return seek(key);
}

bool Cursor::seekNearest(std::string_view key)
{
    if (!key_)
        throw XbaseError(table_->path() + ": a seek needs an index order");
    key = key.substr(0, static_cast<std::size_t>(key_->width()));
    if (lazy()) {
        Entry e = firstInTag(key, 0);
        moveTo(e.recno, e.key);
        return e.recno && e.key.starts_with(key);
    }
    RowList& list = rows();
    std::size_t i = list.lowerBound(key, 0);
    standAt(i);
    return i < list.size() && list.startsWith(i, key);
}

std::uint32_t Cursor::findFirst(std::string_view key)
{
    if (!key_)
        return 0;
    key = key.substr(0, static_cast<std::size_t>(key_->width()));
    if (lazy()) {
        Entry e = firstInTag(key, 0);
        return e.key.starts_with(key) ? e.recno : 0;
    }
    std::size_t i = rows_.lowerBound(key, 0);
    return i < rows_.size() && rows_.startsWith(i, key) ? rows_.recno(i) : 0;
}

void Cursor::setFilter(std::string_view expression)
{
    filter_ = Expression::compileFilter(expression, *table_);
    filterText_ = std::string(expression);
    invalidate();
}

void Cursor::setFiltered(bool on)
{
    filterOn_ = on;
    invalidate();
}

void Cursor::setShowDeleted(bool show)
{
    showDeleted_ = show;
    invalidate();
}

void Cursor::setMaster(Cursor* master, std::string_view field)
{
    if (master_)
        std::erase(master_->details_, this);
    master_ = master;
    masterField_ = -1;
    if (master) {
        masterField_ = master->table().fieldIndex(field);
        if (masterField_ < 0)
            throw XbaseError(master->table().path() + ": no field named \"" + std::string(field) + "\"");
        master->details_.push_back(this);
    }
    invalidate();
    first();
}

void Cursor::addLookup(std::string name, std::size_t width, Cursor* source, std::string keyField,
                       std::string sourceField)
{
    lookups_.push_back({std::move(name), width, source, fieldOrThrow(keyField), std::move(sourceField)});
}

}  // namespace xbase
