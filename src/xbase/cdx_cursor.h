#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "xbase/cdx_tag.h"

namespace xbase {

// Walks one tag in key order and seeks in it, stepping over records for
// which `hidden` holds (e.g. deleted ones, as with SET DELETED ON). When the
// tag changes under it, the cursor finds its entry again (or the one after
// it, when its entry went).
class CdxCursor {
public:
    using Hidden = std::function<bool(std::uint32_t recno)>;

    explicit CdxCursor(const CdxTag& tag, Hidden hidden = {});

    // Each returns false, leaving the cursor at the end, when there is no
    // such visible entry.
    bool first();
    bool last();
    bool next();
    bool prev();
    // Seeks `key`; shorter keys match as a prefix, "" the first entry.
    // Returns whether a visible entry starting with `key` exists and stands
    // on the first one. Otherwise a soft seek stands on the first visible
    // entry above `key` and an exact one at the end.
    bool seek(std::string_view key, bool soft);
    // Stands on the entry (key, recno) when the tag has it.
    bool seekEntry(std::string_view key, std::uint32_t recno);

    bool eof() const { return eof_; }
    // Requires: !eof().
    std::uint32_t recno() const { return recno_; }
    const std::string& key() const { return key_; }

private:
    // Stands on the first visible entry from `p` on, moving forward or back.
    bool land(CdxTag::Position p, bool forward);
    // The cursor's position, found again if the tag changed since; `moved`
    // tells whether it now stands past its old entry.
    CdxTag::Position current(bool& moved);

    const CdxTag& tag_;
    Hidden hidden_;
    CdxTag::Position pos_;
    std::uint64_t version_ = 0;
    bool eof_ = true;
    std::uint32_t recno_ = 0;
    std::string key_;
};

}  // namespace xbase
