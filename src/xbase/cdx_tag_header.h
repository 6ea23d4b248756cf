#pragma once

#include <cstdint>
#include <string>

#include "xbase/cdx_format.h"
#include "xbase/file.h"

namespace xbase {

class CdxPageStore;

// The 1024-byte header of one tag (and, with the directory's values, of the
// compound file at offset 0).
struct CdxTagHeader {
    std::uint32_t root = 0;
    std::uint16_t keyLength = 0;
    std::uint8_t options = cdx::kTagOptions;
    bool descending = false;
    std::string expression;
    std::string forExpression;

    // Parses the kHeaderSize bytes read from `offset`. Throws XbaseError
    // naming `path` when a field is out of range.
    static CdxTagHeader decode(const std::uint8_t* in, std::uint32_t offset, const std::string& path);
    // Reads the compound header at the start of `file`. Throws XbaseError
    // when the file is not a compound index.
    static CdxTagHeader readCompound(File& file);
    // Reads the header of tag `name` at `offset`, as the directory gives it.
    // Throws XbaseError when it lies outside the file or is damaged.
    static CdxTagHeader readTag(CdxPageStore& store, std::uint32_t offset, const std::string& name);
    // Writes kHeaderSize bytes; the free-list field is left zero.
    void encode(std::uint8_t* out) const;
};

}  // namespace xbase
