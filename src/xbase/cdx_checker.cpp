#include "xbase/cdx_checker.h"

#include <cstring>
#include <optional>

#include "xbase/byte_order.h"
#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace cdx;

constexpr std::size_t kProblemsPerTag = 20;

// (key, recno) of entry i of a against entry j of b: <0, 0, >0.
int compareEntries(const CdxPage& a, std::size_t i, const CdxPage& b, std::size_t j)
{
    int c = std::memcmp(a.keyData(i), b.keyData(j), a.keyLength);
    if (c != 0)
        return c;
    return a.recnos[i] < b.recnos[j] ? -1 : a.recnos[i] > b.recnos[j] ? 1 : 0;
}

std::string shown(std::string_view key)
{
    static const char digits[] = "0123456789abcdef";
    while (!key.empty() && key.back() == kPadByte)
        key.remove_suffix(1);
    std::string out = "\"";
    for (unsigned char c : key) {
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 0xF];
        }
    }
    return out + "\"";
}

}  // namespace

CdxChecker::CdxChecker(CdxPageStore& store) : store_(store), owners_(store.end() / kPageSize) {}

void CdxChecker::problem(std::string text) { problems_.push_back(std::move(text)); }

CdxChecker::Findings CdxChecker::inspect(CdxIndex& index)
{
    CdxChecker c(index.store());
    for (std::size_t i = 0; i < index.tagCount(); ++i) {
        const CdxTag& tag = index.tagAt(i);
        const std::size_t page = tag.headerOffset() / kPageSize;
        c.owners_[page] = c.owners_[page + 1] = "the header of tag " + tag.name();
    }
    c.checkTree(index.directory(), "tag directory");
    for (std::size_t i = 0; i < index.tagCount(); ++i) {
        const CdxTag& tag = index.tagAt(i);
        if (c.checkTree(tag, "tag " + tag.name()))
            c.checkEntries(index, tag);
    }
    c.checkFreeList();
    return {std::move(c.problems_), std::move(c.notes_)};
}

std::vector<std::string> CdxChecker::checkHeader(FileSystem& fs, const std::string& path)
{
    try {
        auto file = fs.open(path, OpenFlags::ReadWrite);
        CdxTagHeader compound = CdxTagHeader::readCompound(*file);
        CdxPageStore store(std::move(file));
        CdxTag directory(store, std::string(), kCompoundHeaderOffset, std::move(compound));
        CdxChecker c(store);
        if (!c.checkTree(directory, "tag directory"))
            return std::move(c.problems_);
        for (CdxTag::Position p = directory.first(); !p.atEnd(); p = directory.next(p)) {
            std::string name(directory.key(p));
            name.erase(name.find_last_not_of(std::string(1, kPadByte) + '\0') + 1);
            try {
                CdxTag tag(store, name, directory.recno(p), CdxTagHeader::readTag(store, directory.recno(p), name));
                if (tag.expression().empty())
                    c.problem(path + ": tag " + name + " has no key expression");
                tag.page(tag.root());
            } catch (const XbaseError& e) {
                c.problem(e.what());
            }
        }
        return std::move(c.problems_);
    } catch (const XbaseError& e) {
        return {e.what()};
    }
}

bool CdxChecker::checkTree(const CdxTag& tag, const std::string& label)
{
    const std::string where = store_.path() + ": " + label + ": ";
    slackPages_ = 0;
    // Separators the parents give for each page of the level: the page's
    // entries must lie above the previous one and not above its own.
    std::vector<std::uint32_t> level{tag.root()};
    std::optional<CdxPage> parents;  // the level above's entries, back to back
    for (int depth = 0; !level.empty(); ++depth) {
        if (depth == kMaxDepth) {
            problem(where + "more than " + std::to_string(kMaxDepth) + " levels; the tree loops");
            return false;
        }
        std::vector<const CdxPage*> pages;
        try {
            for (std::uint32_t offset : level) {
                const CdxPage& page = tag.page(offset);
                std::string& owner = owners_[offset / kPageSize];
                if (!owner.empty()) {
                    problem(where + "page " + cdxHex(offset) + " is also used by " + owner);
                    return false;
                }
                owner = label;
                pages.push_back(&page);
            }
        } catch (const XbaseError& e) {
            problem(e.what());
            return false;
        }
        const bool leafLevel = pages.front()->leaf;
        CdxPage entries;  // keys and recnos only
        entries.keyLength = tag.keyLength();
        std::vector<std::uint32_t> below;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const CdxPage& page = *pages[i];
            const std::string at = where + "page " + cdxHex(page.offset) + " ";
            if (page.leaf != leafLevel) {
                problem(at + "mixes leaf and interior pages on one level");
                return false;
            }
            if (page.root != (depth == 0))
                problem(at + (depth == 0 ? "is the root but not marked so" : "is marked as a root"));
            const std::uint32_t left = i > 0 ? pages[i - 1]->offset : kNoPage;
            const std::uint32_t right = i + 1 < pages.size() ? pages[i + 1]->offset : kNoPage;
            if (page.left != left || page.right != right)
                problem(at + "has sibling links " + cdxHex(page.left) + "/" + cdxHex(page.right) + ", expected " +
                        cdxHex(left) + "/" + cdxHex(right));
            if (page.count() == 0 && depth > 0)
                problem(at + "is empty");
            if (page.leaf)
                checkFreeField(page, at);
            if (parents && page.count() > 0) {
                if (compareEntries(page, page.count() - 1, *parents, i) > 0)
                    problem(at + "holds entries above its parent's entry for it");
                if (i > 0 && compareEntries(page, 0, *parents, i - 1) <= 0)
                    problem(at + "holds entries not above the parent's entry for the page before");
            }
            entries.append(page, 0, page.count());
            below.insert(below.end(), page.children.begin(), page.children.end());
        }
        if (leafLevel) {
            noteSlack(where);
            return true;
        }
        parents = std::move(entries);
        level.swap(below);
    }
    return true;
}

void CdxChecker::checkFreeField(const CdxPage& page, const std::string& at)
{
    std::uint8_t bytes[kPageSize];
    store_.read(page.offset, bytes, kPageSize);
    const CdxLeafFree free = cdxLeafFree(bytes, page.keyLength);
    const std::string said =
        "says " + std::to_string(free.stated) + " bytes are free, its entries leave " + std::to_string(free.left);
    if (free.stated > free.left)
        problem(at + said);
    else if (free.stated < free.left && slackPages_++ == 0)
        firstSlack_ = at + said;
}

void CdxChecker::noteSlack(const std::string& where)
{
    if (slackPages_ > 1)
        notes_.push_back(where + std::to_string(slackPages_) +
                         " leaf pages state less free space than they have, which other engines do; the first: " +
                         firstSlack_.substr(where.size()));
    else if (slackPages_ == 1)
        notes_.push_back(firstSlack_ + "; the slack is unused space, which other engines leave");
    slackPages_ = 0;
}

void CdxChecker::checkFreeList()
{
    try {
        for (std::uint32_t offset : store_.freePages()) {
            std::string& owner = owners_[offset / kPageSize];
            if (!owner.empty())
                problem(store_.path() + ": free page " + cdxHex(offset) + " is also used by " + owner);
            owner = "the free list";
        }
    } catch (const XbaseError& e) {
        problem(e.what());
    }
}

void CdxChecker::checkEntries(CdxIndex& index, const CdxTag& tag)
{
    const std::string where = store_.path() + ": tag " + tag.name() + ": ";
    const std::size_t before = problems_.size();
    auto report = [&](std::string text) {
        if (problems_.size() - before < kProblemsPerTag)
            problem(where + text);
    };
    Table& table = index.table();
    std::optional<Expression> key, filter;
    try {
        key.emplace(Expression::compile(tag.expression(), table));
        if (!tag.forExpression().empty())
            filter.emplace(Expression::compile(tag.forExpression(), table));
    } catch (const XbaseError& e) {
        report(e.what());
        return;
    }
    const std::uint32_t count = table.recordCount();
    std::vector<bool> seen(std::size_t(count) + 1);
    std::size_t entries = 0;
    std::string want;
    try {
        for (CdxTag::Position p = tag.first(); !p.atEnd(); p = tag.next(p)) {
            ++entries;
            const std::uint32_t recno = tag.recno(p);
            const std::string_view have = tag.key(p);
            const std::string r = "record " + std::to_string(recno);
            if (recno == 0 || recno > count) {
                report("entry " + shown(have) + " points to " + r + ", which does not exist");
                continue;
            }
            if (seen[recno])
                report(r + " has more than one entry");
            seen[recno] = true;
            const std::uint8_t* record = table.record(recno);
            if (filter && !filter->test(record))
                report(r + " has an entry but fails the FOR condition");
            key->evaluateKey(record, want);
            if (want != have)
                report(r + " has the key " + shown(have) + ", its expression gives " + shown(want));
            const CdxTag::Position exact = tag.lowerBound(have, recno);
            const CdxTag::Position byKey = tag.lowerBound(have, 0);
            if (exact.atEnd() || tag.recno(exact) != recno || byKey.atEnd() || tag.key(byKey) != have)
                report("a seek for the key of " + r + " does not find it");
        }
    } catch (const XbaseError& e) {
        report(e.what());
        return;
    }
    std::size_t expected = 0;
    for (std::uint32_t recno = 1; recno <= count; ++recno) {
        if (filter && !filter->test(table.record(recno)))
            continue;
        ++expected;
        if (!seen[recno])
            report("record " + std::to_string(recno) + " has no entry");
    }
    if (entries != expected)
        report("holds " + std::to_string(entries) + " entries for " + std::to_string(expected) + " records");
}

}  // namespace xbase
