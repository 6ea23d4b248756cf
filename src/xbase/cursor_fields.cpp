// Reading and editing a cursor's current row, and keeping its rows and
// position current as the table's records change.
#include <algorithm>
#include <charconv>

#include "xbase/cursor.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace xbase {

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
            if (std::uint32_t found = it->source->findFirst(key)) {
                const std::uint8_t* srec = it->source->table().record(found);
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
    settle();
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
    // An edited row that stays visible is current already, under its new key.
    if (recno == current_)
        return;
    const std::uint8_t* written = table_->record(recno);
    std::string key = keyOf(written);
    if (passes(written) && inRange(key))
        moveTo(recno, key);
}

void Cursor::cancel()
{
    editing_ = appending_ = false;
    buffer_.clear();
}

void Cursor::deleteRow()
{
    cancel();
    settle();
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
    const bool wasCurrent = !pending_ && current_ != 0 && recno == current_;
    // The index moves an entry only when the key its record gives changes.
    // Otherwise the entry stays under the key it is filed under, which need
    // not be the one its record gives (the table was changed behind the
    // index): the row stays there too.
    const std::string newKey = keyOf(newRecord);
    const bool moved = !oldRecord || keyOf(oldRecord) != newKey;
    std::string filed = moved ? newKey : currentKey_;
    bool known = moved || wasCurrent;
    std::size_t removedAt = rows_.size();
    if (built_ && oldRecord && passes(oldRecord)) {
        removedAt = rows_.find(recno, wasCurrent ? currentKey_ : keyOf(oldRecord));
        if (removedAt < rows_.size()) {
            if (!known)
                filed.assign(rows_.key(removedAt));
            known = true;
            rows_.erase(removedAt);
        }
    }
    if (!known && passes(newRecord) && (!key_ || !filedKey(recno, filed)))
        filed = newKey;
    const bool shown = passes(newRecord) && inRange(filed);
    if (built_) {
        if (shown) {
            rows_.insert(rows_.lowerBound(filed, recno), recno, filed);
        } else if (wasCurrent) {
            standAt(removedAt);
            return;
        }
    } else if (wasCurrent && !shown) {
        if (lazy()) {
            Entry e = firstInTag(currentKey_, recno);
            moveTo(e.recno, e.key);
        } else {
            standAt(rows().lowerBound(newKey, recno));
        }
        return;
    }
    if (wasCurrent) {
        currentKey_ = filed;
        if (oldRecord)
            for (Cursor* d : details_)
                d->masterMoved();
    }
}

}  // namespace xbase
