#include "xbase/cursor.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "xbase/file_names.h"
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
        std::string text = tagExpression(*table_, tag);
        key_ = Expression::compile(text, *table_);
        keyFields_ = keyFieldsOf(text, *table_);
        order_ = tagName(*table_, tag);
    }
    invalidate();
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

bool Cursor::visible(const std::uint8_t* record) const
{
    if (!showDeleted_ && record[0] == '*')
        return false;
    if (filtered() && !filter_->test(record))
        return false;
    if (master_) {
        std::string prefix = masterPrefix();
        return !prefix.empty() && keyOf(record).compare(0, prefix.size(), prefix) == 0;
    }
    return true;
}

std::string Cursor::masterPrefix() const
{
    const std::uint8_t* rec = master_->current();
    if (!rec || masterField_ < 0)
        return {};
    const Field& f = master_->table().fields()[static_cast<std::size_t>(masterField_)];
    return std::string(reinterpret_cast<const char*>(rec + f.offset), f.length);
}

void Cursor::build()
{
    rows_.reset(key_ ? static_cast<std::size_t>(key_->width()) : 0);
    std::string prefix;
    if (master_) {
        prefix = masterPrefix();
        if (prefix.empty())
            return;
    }
    const bool filterOn = filtered();
    auto keep = [&](std::uint32_t recno) {
        const std::uint8_t* rec = table_->record(recno);
        return (showDeleted_ || rec[0] != '*') && (!filterOn || filter_->test(rec));
    };
    if (!key_) {
        for (std::uint32_t r = 1; r <= table_->recordCount(); ++r)
            if (keep(r) && (prefix.empty() || visible(table_->record(r))))
                rows_.pushBack(r, {});
        return;
    }
    walkTag(*table_, order_, prefix, [&](std::uint32_t recno, std::string_view key) {
        if (key.substr(0, prefix.size()) != prefix)
            return false;
        if (keep(recno))
            rows_.pushBack(recno, key);
        return true;
    });
}

const std::uint8_t* Cursor::current() const
{
    if (editing_)
        return buffer_.data();
    return current_ ? table_->record(current_) : nullptr;
}

bool Cursor::standAt(std::size_t index)
{
    RowList& list = rows();
    std::uint32_t before = current_;
    if (index < list.size()) {
        current_ = list.recno(index);
        bof_ = eof_ = false;
    } else {
        current_ = 0;
        eof_ = true;
        bof_ = list.size() == 0;
    }
    if (current_ != before)
        for (Cursor* d : details_)
            d->masterMoved();
    return current_ != 0;
}

void Cursor::masterMoved()
{
    invalidate();
    first();
}

bool Cursor::lazy() const { return !built_ && key_ && !master_; }

bool Cursor::stepInTag(std::string_view fromKey, std::uint32_t fromRecno)
{
    std::uint32_t found = 0;
    walkTag(
        *table_, order_, fromKey,
        [&](std::uint32_t recno, std::string_view) {
            if (!visible(table_->record(recno)))
                return true;
            found = recno;
            return false;
        },
        fromRecno);
    std::uint32_t before = current_;
    current_ = found;
    eof_ = found == 0;
    bof_ = false;
    if (current_ != before)
        for (Cursor* d : details_)
            d->masterMoved();
    return found != 0;
}

bool Cursor::first()
{
    if (lazy()) {
        bool found = stepInTag({}, 0);
        bof_ = !found;
        return found;
    }
    return standAt(0);
}

bool Cursor::last()
{
    std::size_t n = rows().size();
    return standAt(n == 0 ? 0 : n - 1);
}

bool Cursor::next()
{
    if (eof_)
        return false;
    if (lazy() && current_)
        return stepInTag(keyOf(table_->record(current_)), current_ + 1);
    return standAt(row() + 1);
}

bool Cursor::prior()
{
    std::uint32_t i = row();
    if (i == 0 || rows().size() == 0) {
        bof_ = true;
        return false;
    }
    return standAt(i - 1);
}

std::uint32_t Cursor::recno() const { return current_ ? current_ : table_->recordCount() + 1; }

std::uint32_t Cursor::count() { return static_cast<std::uint32_t>(rows().size()); }

std::uint32_t Cursor::row()
{
    RowList& list = rows();
    if (current_ == 0)
        return static_cast<std::uint32_t>(list.size());
    const std::uint8_t* rec = table_->record(current_);
    std::string key = keyOf(rec);
    std::size_t i = list.lowerBound(key, current_);
    return static_cast<std::uint32_t>(i);
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
    if (recno < 1 || recno > table_->recordCount())
        return false;
    if (lazy()) {
        if (!visible(table_->record(recno)))
            return false;
        std::uint32_t before = current_;
        current_ = recno;
        bof_ = eof_ = false;
        if (current_ != before)
            for (Cursor* d : details_)
                d->masterMoved();
        return true;
    }
    RowList& list = rows();
    std::size_t i = list.find(recno, keyOf(table_->record(recno)));
    return i < list.size() && standAt(i);
}

bool Cursor::seek(std::string_view key)
{
    if (!key_)
        throw XbaseError(table_->path() + ": a seek needs an index order");
    RowList& list = rows();
    key = key.substr(0, list.keyLength());
    std::size_t i = list.lowerBound(key, 0);
    bool found = i < list.size() && list.startsWith(i, key);
    standAt(found ? i : list.size());
    return found;
}

bool Cursor::seekValues(const std::vector<std::string_view>& values)
{
    std::string key;
    for (std::size_t j = 0; j < values.size(); ++j) {
        if (j < keyFields_.size()) {
            std::size_t width = table_->fields()[static_cast<std::size_t>(keyFields_[j])].length;
            std::string v(values[j].substr(0, width));
            v.resize(width, ' ');
            key += v;
        } else {
            key += values[j];
        }
    }
    return seek(key);
}

bool Cursor::seekNearest(std::string_view key)
{
    if (!key_)
        throw XbaseError(table_->path() + ": a seek needs an index order");
    RowList& list = rows();
    key = key.substr(0, list.keyLength());
    std::size_t i = list.lowerBound(key, 0);
    standAt(i);
    return i < list.size() && list.startsWith(i, key);
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

int Cursor::fieldOrThrow(std::string_view name) const
{
    int f = table_->fieldIndex(name);
    if (f < 0)
        throw XbaseError(table_->path() + ": no field named \"" + std::string(name) + "\"");
    return f;
}

std::string Cursor::field(std::string_view name) const
{
    int f = table_->fieldIndex(name);
    const std::uint8_t* rec = current();
    if (f < 0) {
        auto it = std::find_if(lookups_.begin(), lookups_.end(),
                               [&](const Lookup& l) { return equalsNoCase(l.name, name); });
        if (it == lookups_.end())
            throw XbaseError(table_->path() + ": no field named \"" + std::string(name) + "\"");
        std::string value;
        if (rec) {
            const Field& kf = table_->fields()[static_cast<std::size_t>(it->keyField)];
            std::string key(reinterpret_cast<const char*>(rec + kf.offset), kf.length);
            RowList& list = it->source->rows();
            std::size_t i = list.lowerBound(key, 0);
            if (i < list.size() && list.startsWith(i, key)) {
                const std::uint8_t* srec = it->source->table().record(list.recno(i));
                value = it->source->table().fieldText(srec, it->source->fieldOrThrow(it->sourceField));
            }
        }
        value.resize(it->width, ' ');
        return value;
    }
    if (!rec)
        return std::string(table_->fields()[static_cast<std::size_t>(f)].length, ' ');
    return table_->fieldText(rec, f);
}

std::string Cursor::fieldTrimmed(std::string_view name) const
{
    std::string s = field(name);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

long Cursor::fieldInt(std::string_view name) const
{
    std::string s = fieldTrimmed(name);
    std::size_t b = s.find_first_not_of(' ');
    long v = 0;
    if (b != std::string::npos)
        std::from_chars(s.data() + b, s.data() + s.size(), v);
    return v;
}

std::string Cursor::memo(std::string_view name) const
{
    const std::uint8_t* rec = current();
    return rec ? table_->memoText(rec, fieldOrThrow(name)) : std::string();
}

void Cursor::append()
{
    buffer_ = table_->blankRecord();
    editing_ = appending_ = true;
    if (master_ && masterField_ >= 0) {
        const std::string& name = master_->table().fields()[static_cast<std::size_t>(masterField_)].name;
        int f = table_->fieldIndex(name);
        if (f >= 0)
            table_->setFieldText(buffer_.data(), f, masterPrefix());
    }
}

void Cursor::edit()
{
    if (editing_)
        return;
    if (!current_)
        throw XbaseError(table_->path() + ": there is no current record to edit");
    const std::uint8_t* rec = table_->record(current_);
    buffer_.assign(rec, rec + table_->recordLength());
    editing_ = true;
    appending_ = false;
}

void Cursor::setField(std::string_view name, std::string_view value)
{
    if (!editing_)
        throw XbaseError(table_->path() + ": the record is not being edited");
    table_->setFieldText(buffer_.data(), fieldOrThrow(name), value);
}

void Cursor::setFieldInt(std::string_view name, long value) { setField(name, std::to_string(value)); }

void Cursor::setMemo(std::string_view name, std::string_view text) { setField(name, text); }

void Cursor::post()
{
    if (!editing_)
        return;
    std::vector<std::uint8_t> rec = std::move(buffer_);
    editing_ = false;
    std::uint32_t recno = current_;
    if (appending_)
        recno = table_->append(rec.data());
    else
        table_->write(current_, rec.data());
    appending_ = false;
    if (visible(table_->record(recno))) {
        std::uint32_t before = current_;
        current_ = recno;
        bof_ = eof_ = false;
        if (before != current_)
            for (Cursor* d : details_)
                d->masterMoved();
    }
}

void Cursor::cancel()
{
    editing_ = appending_ = false;
    buffer_.clear();
}

void Cursor::deleteRow()
{
    cancel();
    if (!current_)
        throw XbaseError(table_->path() + ": there is no current record to delete");
    table_->setDeleted(current_, true);
}

void Cursor::tableReset()
{
    cancel();
    invalidate();
    if (order_.empty() || table_->index())
        first();
}

void Cursor::recordChanged(std::uint32_t recno, const std::uint8_t* oldRecord, const std::uint8_t* newRecord)
{
    const bool wasCurrent = recno == current_;
    if (built_) {
        std::size_t removedAt = rows_.size();
        if (oldRecord && visible(oldRecord)) {
            removedAt = rows_.find(recno, keyOf(oldRecord));
            if (removedAt < rows_.size())
                rows_.erase(removedAt);
        }
        if (visible(newRecord)) {
            std::string key = keyOf(newRecord);
            rows_.insert(rows_.lowerBound(key, recno), recno, key);
        } else if (wasCurrent) {
            standAt(removedAt);
            return;
        }
    } else if (wasCurrent && !visible(newRecord)) {
        invalidate();
        standAt(rows().lowerBound(keyOf(newRecord), recno));
        return;
    }
    if (wasCurrent && oldRecord)
        for (Cursor* d : details_)
            d->masterMoved();
}

}  // namespace xbase
