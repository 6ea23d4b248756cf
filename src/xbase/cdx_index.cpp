#include "xbase/cdx_index.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "xbase/cdx_tree_builder.h"
#include "xbase/cdx_tree_editor.h"
#include "xbase/file_names.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace cdx;

// The update mark: four bytes in the compound header's zero area, which
// other engines leave zero (docs/formats/cdx.md).
constexpr std::uint32_t kUpdateMarkOffset = 24;
constexpr std::uint8_t kUpdateMark[4] = {'U', 'P', 'D', 'T'};

std::string tagName(std::string_view key)
{
    std::size_t end = key.size();
    while (end > 0 && (key[end - 1] == kPadByte || key[end - 1] == '\0'))
        --end;
    return std::string(key.substr(0, end));
}

std::string validTagName(const std::string& path, std::string_view name)
{
    bool ok = !name.empty() && name.size() <= kMaxTagNameLength && std::isalpha(static_cast<unsigned char>(name[0]));
    std::string upper;
    for (char c : name) {
        ok = ok && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
        upper += char(std::toupper(static_cast<unsigned char>(c)));
    }
    if (!ok)
        throw XbaseError(path + ": \"" + std::string(name) +
                         "\" is not a tag name (1 to 10 letters, digits or _, starting with a letter)");
    return upper;
}

}  // namespace

CdxIndex::CdxIndex(Table& table, std::unique_ptr<File> file, CdxTagHeader directoryHeader)
    : table_(table),
      store_(std::move(file)),
      directory_(store_, std::string(), kCompoundHeaderOffset, std::move(directoryHeader))
{
}

CdxIndex::~CdxIndex() = default;

std::unique_ptr<CdxIndex> CdxIndex::open(Table& table, std::unique_ptr<File> file)
{
    CdxTagHeader header = CdxTagHeader::readCompound(*file);
    std::uint8_t mark[sizeof kUpdateMark];
    file->readExact(kUpdateMarkOffset, mark, sizeof mark);
    std::unique_ptr<CdxIndex> index(new CdxIndex(table, std::move(file), std::move(header)));
    index->markedAtOpen_ = std::memcmp(mark, kUpdateMark, sizeof mark) == 0;
    index->mark_ = index->markedAtOpen_ ? Mark::Set : Mark::Clear;
    index->loadTags();
    return index;
}

std::unique_ptr<CdxIndex> CdxIndex::create(Table& table, std::unique_ptr<File> file)
{
    CdxTagHeader header;
    header.root = kHeaderSize;
    header.keyLength = kDirectoryKeyLength;
    header.options = kDirectoryOptions;
    std::vector<std::uint8_t> bytes(kHeaderSize + kPageSize);
    header.encode(bytes.data());
    CdxPage root;
    root.offset = kHeaderSize;
    root.keyLength = kDirectoryKeyLength;
    root.root = true;
    encodeCdxPage(root, bytes.data() + kHeaderSize);
    file->truncate(0);
    file->writeAt(0, bytes.data(), bytes.size());
    return std::unique_ptr<CdxIndex>(new CdxIndex(table, std::move(file), std::move(header)));
}

std::string CdxIndex::buildPath(const std::string& path) { return withStemSuffix(path, "~R"); }

std::string CdxIndex::needsRebuildText(const std::string& path)
{
    return path + ": the index was left half-updated and needs rebuilding";
}

std::unique_ptr<CdxIndex> CdxIndex::build(Table& table, const std::string& path,
                                          const std::vector<CdxTagDefinition>& tags)
{
    FileSystem& fs = table.fileSystem();
    const std::string temp = buildPath(path);
    try {
        auto index = create(table, fs.open(temp, OpenFlags::Create));
        for (const CdxTagDefinition& tag : tags)
            index->createTag(tag.name, tag.expression, tag.forExpression);
        index->sync();
        index.reset();
        fs.rename(temp, path);
    } catch (...) {
        try {
            if (fs.exists(temp))
                fs.remove(temp);
        } catch (const XbaseError&) {
            // Removed at the next open of the table.
        }
        throw;
    }
    return open(table, fs.open(path, OpenFlags::ReadWrite));
}

void CdxIndex::loadTags()
{
    std::vector<std::unique_ptr<CdxTag>> found;
    for (CdxTag::Position p = directory_.first(); !p.atEnd(); p = directory_.next(p)) {
        const std::string name = tagName(directory_.key(p));
        const std::uint32_t offset = directory_.recno(p);
        CdxTagHeader header = CdxTagHeader::readTag(store_, offset, name);
        if (header.descending || (header.options & kOptionUnique))
            throw XbaseError(path() + ": tag " + name + " is " + (header.descending ? "descending" : "unique") +
                             ", which this program cannot keep current");
        found.push_back(std::make_unique<CdxTag>(store_, name, offset, std::move(header)));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a->headerOffset() < b->headerOffset(); });
    for (auto& tag : found) {
        Binding binding = compile(tag->name(), tag->header());
        binding.tag = std::move(tag);
        tags_.push_back(std::move(binding));
    }
}

CdxIndex::Binding CdxIndex::compile(const std::string& name, const CdxTagHeader& header) const
{
    try {
        Expression key = Expression::compile(header.expression, table_);
        if (key.type() != Expression::Type::Character)
            throw XbaseError("the key expression \"" + header.expression + "\" is not text");
        if (key.width() < 1 || key.width() > kMaxKeyLength)
            throw XbaseError("keys of " + std::to_string(key.width()) + " characters are not possible (1 to 240)");
        if (header.keyLength != 0 && key.width() != header.keyLength)
            throw XbaseError("the key expression \"" + header.expression + "\" is " + std::to_string(key.width()) +
                             " characters wide, the tag's keys " + std::to_string(header.keyLength));
        std::optional<Expression> filter;
        if (!header.forExpression.empty()) {
            filter.emplace(Expression::compile(header.forExpression, table_));
            if (filter->type() != Expression::Type::Logical)
                throw XbaseError("the FOR condition \"" + header.forExpression + "\" is not logical");
        }
        return Binding{nullptr, std::move(key), std::move(filter)};
    } catch (const XbaseError& e) {
        throw XbaseError(path() + ": tag " + name + ": " + e.what());
    }
}

CdxTag* CdxIndex::tag(std::string_view name) const
{
    if (needsRebuild_)
        throw XbaseError(needsRebuildText(path()));
    for (const Binding& b : tags_)
        if (equalsNoCase(b.tag->name(), name))
            return b.tag.get();
    return nullptr;
}

std::vector<CdxTagDefinition> CdxIndex::definitions() const
{
    std::vector<CdxTagDefinition> list;
    for (const Binding& b : tags_)
        list.push_back({b.tag->name(), b.tag->expression(), b.tag->forExpression()});
    return list;
}

CdxTag& CdxIndex::createTag(std::string_view name, std::string_view expression, std::string_view forExpression,
                            const RecordProgress& progress)
{
    const std::string upper = validTagName(path(), name);
    CdxTagHeader header;
    header.expression = std::string(expression);
    header.forExpression = std::string(forExpression);
    Binding binding = compile(upper, header);
    header.keyLength = std::uint16_t(binding.key.width());
    std::vector<std::uint8_t> encoded(kHeaderSize);
    header.encode(encoded.data());  // refuses expressions too long before anything is written
    if (needsRebuild_)
        throw XbaseError(needsRebuildText(path()));
    if (!writable())
        throw XbaseError(path() + ": the file is read-only");
    table_.requireWritableFiles();
    auto existing = std::find_if(tags_.begin(), tags_.end(), [&](const Binding& b) { return b.tag->name() == upper; });
    beginUpdate();
    CdxTag* made = nullptr;
    try {
        std::vector<std::uint32_t> reuse;
        if (existing != tags_.end()) {
            reuse = CdxTreeBuilder::treePages(*existing->tag);
            binding.tag = std::move(existing->tag);
        } else {
            binding.tag = std::make_unique<CdxTag>(store_, upper, store_.extend(kHeaderSize), header);
        }
        CdxTag& tag = *binding.tag;
        made = &tag;
        tag.writeHeader(header);
        collectKeys(binding, progress);
        tag.setRoot(CdxTreeBuilder::build(tag, keys_.data(), recnos_.data(), recnos_.size(), std::move(reuse)));
        if (existing != tags_.end()) {
            *existing = std::move(binding);
        } else {
            std::string directoryKey = upper;
            directoryKey.resize(kDirectoryKeyLength, kPadByte);
            CdxTreeEditor(directory_).insert(directoryKey, tag.headerOffset());
            tags_.push_back(std::move(binding));
        }
    } catch (...) {
        if (existing != tags_.end() && !existing->tag)
            existing->tag = std::move(binding.tag);
        store_.clear();
        needsRebuild_ = true;
        throw;
    }
    endUpdate();
    return *made;
}

void CdxIndex::collectKeys(const Binding& binding, const RecordProgress& progress)
{
    const std::uint32_t count = table_.recordCount();
    const std::size_t kl = std::size_t(binding.key.width());
    keys_.clear();
    recnos_.clear();
    keys_.reserve(std::size_t(count) * kl);
    recnos_.reserve(count);
    std::string key;
    table_.forEachRecord([&](std::uint32_t recno, const std::uint8_t* record) {
        if (progress && recno % kProgressRecords == 0)
            progress(recno, count);
        if (binding.filter && !binding.filter->test(record))
            return;
        binding.key.evaluateKey(record, key);
        keys_.insert(keys_.end(), key.begin(), key.end());
        recnos_.push_back(recno);
    });
    CdxTreeBuilder::sortEntries(keys_.data(), recnos_.data(), recnos_.size(), std::uint16_t(kl));
}

void CdxIndex::sync()
{
    keys_ = {};
    recnos_ = {};
    store_.sync();
}

void CdxIndex::recordChanged(std::uint32_t recno, const std::uint8_t* oldRecord, const std::uint8_t* newRecord)
{
    try {
        for (Binding& binding : tags_)
            updateTag(binding, recno, oldRecord, newRecord);
    } catch (...) {
        store_.clear();
        needsRebuild_ = true;
        throw;
    }
}

void CdxIndex::beginUpdate()
{
    if (mark_ == Mark::Set)
        return;
    try {
        writeMark(true);
    } catch (...) {
        try {
            writeMark(false);
        } catch (const XbaseError&) {
            // A torn mark is no mark; it is cleared with the next change.
        }
        throw;
    }
}

void CdxIndex::endUpdate()
{
    if (mark_ == Mark::Clear)
        return;
    try {
        writeMark(false);
    } catch (...) {
        // The caller undoes the change the tags already hold.
        needsRebuild_ = true;
        throw;
    }
}

void CdxIndex::writeMark(bool set)
{
    static constexpr std::uint8_t kCleared[sizeof kUpdateMark] = {};
    mark_ = Mark::Unknown;
    store_.writeBytes(kUpdateMarkOffset, set ? kUpdateMark : kCleared, sizeof kUpdateMark);
    mark_ = set ? Mark::Set : Mark::Clear;
}

void CdxIndex::updateTag(Binding& binding, std::uint32_t recno, const std::uint8_t* oldRecord,
                         const std::uint8_t* newRecord)
{
    const bool inOld = oldRecord && (!binding.filter || binding.filter->test(oldRecord));
    const bool inNew = !binding.filter || binding.filter->test(newRecord);
    if (inOld)
        binding.key.evaluateKey(oldRecord, oldKey_);
    if (inNew)
        binding.key.evaluateKey(newRecord, newKey_);
    if (inOld && inNew && oldKey_ == newKey_)
        return;
    CdxTreeEditor editor(*binding.tag);
    if (inOld)
        editor.remove(oldKey_, recno);
    if (inNew)
        editor.insert(newKey_, recno);
}

}  // namespace xbase
