#include "xbase/cdx_tag_header.h"

#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/cdx_page_store.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace cdx;

// The NUL-terminated text at [pos, pos + length) of the expression pool.
std::string poolText(const std::uint8_t* in, std::size_t pos, std::size_t length)
{
    const char* p = reinterpret_cast<const char*>(in + kExpressionPoolOffset + pos);
    return std::string(p, strnlen(p, length));
}

}  // namespace

CdxTagHeader CdxTagHeader::decode(const std::uint8_t* in, std::uint32_t offset, const std::string& path)
{
    auto damaged = [&](const std::string& what) {
        return XbaseError(path + ": index tag header at " + cdxHex(offset) + " is damaged (" + what + ")");
    };
    CdxTagHeader h;
    h.root = readLe32(in + kRootOffset);
    h.keyLength = readLe16(in + kKeyLengthOffset);
    h.options = in[kOptionsOffset];
    h.descending = readLe16(in + kDescendingOffset) != 0;
    if (h.keyLength == 0 || h.keyLength > kMaxKeyLength)
        throw damaged("key length " + std::to_string(h.keyLength));
    if ((h.options & kOptionCompact) == 0)
        throw damaged("not a compact index, options " + cdxHex(h.options));
    const std::size_t keyPos = readLe16(in + kKeyPosOffset);
    const std::size_t keyLen = readLe16(in + kKeyExprLengthOffset);
    const std::size_t forPos = readLe16(in + kForPosOffset);
    const std::size_t forLen = readLe16(in + kForLengthOffset);
    if (keyPos + keyLen > kExpressionPoolSize || forPos + forLen > kExpressionPoolSize)
        throw damaged("expression text lies outside the header");
    h.expression = poolText(in, keyPos, keyLen);
    h.forExpression = poolText(in, forPos, forLen);
    return h;
}

CdxTagHeader CdxTagHeader::readCompound(File& file)
{
    std::uint8_t bytes[kHeaderSize];
    if (file.size() < kHeaderSize + kPageSize || file.readAt(0, bytes, kHeaderSize) != kHeaderSize)
        throw XbaseError(file.path() + ": the index file is too short to be a compound index");
    CdxTagHeader header = decode(bytes, kCompoundHeaderOffset, file.path());
    if (header.keyLength != kDirectoryKeyLength || (header.options & kOptionCompound) == 0)
        throw XbaseError(file.path() + ": not a compound index (key length " + std::to_string(header.keyLength) +
                         ", options " + cdxHex(header.options) + ")");
    return header;
}

CdxTagHeader CdxTagHeader::readTag(CdxPageStore& store, std::uint32_t offset, const std::string& name)
{
    if (offset % kPageSize != 0 || offset < kHeaderSize || std::uint64_t(offset) + kHeaderSize > store.end())
        throw XbaseError(store.path() + ": the header of tag " + name + " lies outside the file (" + cdxHex(offset) +
                         "); the index is damaged");
    std::uint8_t bytes[kHeaderSize];
    store.read(offset, bytes, kHeaderSize);
    return decode(bytes, offset, store.path());
}

void CdxTagHeader::encode(std::uint8_t* out) const
{
    std::memset(out, 0, kHeaderSize);
    writeLe32(out + kRootOffset, root);
    writeLe16(out + kKeyLengthOffset, keyLength);
    out[kOptionsOffset] = std::uint8_t(forExpression.empty() ? options : options | kOptionFor);
    out[kSignatureOffset] = kSignature;
    writeLe16(out + kDescendingOffset, descending ? 1 : 0);
    // Pool: key expression, NUL, FOR expression, NUL.
    const std::size_t keyLen = expression.size() + 1;
    const std::size_t forLen = forExpression.size() + 1;
    if (keyLen + forLen > kExpressionPoolSize)
        throw XbaseError("index expression too long: " + expression);
    writeLe16(out + kKeyPosOffset, 0);
    writeLe16(out + kKeyExprLengthOffset, std::uint16_t(keyLen));
    writeLe16(out + kForPosOffset, std::uint16_t(keyLen));
    writeLe16(out + kForLengthOffset, std::uint16_t(forLen));
    std::memcpy(out + kExpressionPoolOffset, expression.data(), expression.size());
    std::memcpy(out + kExpressionPoolOffset + keyLen, forExpression.data(), forExpression.size());
}

}  // namespace xbase
