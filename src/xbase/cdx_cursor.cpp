#include "xbase/cdx_cursor.h"

#include <cstring>

namespace xbase {

CdxCursor::CdxCursor(const CdxTag& tag, Hidden hidden) : tag_(tag), hidden_(std::move(hidden)) {}

bool CdxCursor::land(CdxTag::Position p, bool forward)
{
    while (!p.atEnd() && hidden_ && hidden_(tag_.recno(p)))
        p = forward ? tag_.next(p) : tag_.prev(p);
    pos_ = p;
    version_ = tag_.version();
    eof_ = p.atEnd();
    if (eof_)
        return false;
    recno_ = tag_.recno(p);
    key_.assign(tag_.key(p));
    return true;
}

CdxTag::Position CdxCursor::current(bool& moved)
{
    moved = false;
    if (version_ == tag_.version())
        return pos_;
    CdxTag::Position p = tag_.lowerBound(key_, recno_);
    moved = p.atEnd() || tag_.recno(p) != recno_ || tag_.key(p) != key_;
    return p;
}

bool CdxCursor::first() { return land(tag_.first(), true); }

bool CdxCursor::last() { return land(tag_.last(), false); }

bool CdxCursor::next()
{
    if (eof_)
        return false;
    bool moved;
    CdxTag::Position p = current(moved);
    if (p.atEnd())
        return land(p, true);
    return land(moved ? p : tag_.next(p), true);
}

bool CdxCursor::prev()
{
    if (eof_)
        return false;
    bool moved;
    CdxTag::Position p = current(moved);
    if (p.atEnd())
        return land(tag_.last(), false);
    return land(tag_.prev(p), false);
}

bool CdxCursor::seek(std::string_view key, bool soft)
{
    if (key.size() > tag_.keyLength())
        key = key.substr(0, tag_.keyLength());
    if (!land(tag_.lowerBound(key, 0), true))
        return false;
    if (std::memcmp(key_.data(), key.data(), key.size()) == 0)
        return true;
    if (!soft)
        land({}, true);
    return false;
}

bool CdxCursor::seekEntry(std::string_view key, std::uint32_t recno)
{
    CdxTag::Position p = tag_.lowerBound(key, recno);
    if (p.atEnd() || tag_.recno(p) != recno || tag_.key(p).substr(0, key.size()) != key) {
        land({}, true);
        return false;
    }
    pos_ = p;
    version_ = tag_.version();
    eof_ = false;
    recno_ = recno;
    key_.assign(tag_.key(p));
    return true;
}

}  // namespace xbase
