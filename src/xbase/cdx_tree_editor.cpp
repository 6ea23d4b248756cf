#include "xbase/cdx_tree_editor.h"

#include <algorithm>
#include <cstring>

#include "xbase/xbase_error.h"

namespace xbase {
namespace {

using namespace cdx;

std::uint32_t greatestRecno(const CdxPage& page) { return page.recnos.back(); }

bool sameEntry(const CdxPage& page, std::size_t i, std::string_view key, std::uint32_t recno)
{
    return i < page.count() && page.recnos[i] == recno && std::memcmp(page.keyData(i), key.data(), key.size()) == 0;
}

}  // namespace

CdxTreeEditor::CdxTreeEditor(CdxTag& tag) : tag_(tag), store_(tag.store()) {}

void CdxTreeEditor::insert(std::string_view key, std::uint32_t recno)
{
    descend(key, recno, true);
    Step& leaf = path_.back();
    if (sameEntry(*leaf.page, leaf.index, key, recno))
        throw XbaseError(store_.path() + ": tag " + tag_.name() + " already has an entry for record " +
                         std::to_string(recno) + "; the index needs rebuilding");
    leaf.page->insert(leaf.index, key, recno);
    tag_.changed();
    settle(path_.size() - 1);
}

void CdxTreeEditor::remove(std::string_view key, std::uint32_t recno)
{
    if (!descend(key, recno, false) || !sameEntry(*path_.back().page, path_.back().index, key, recno))
        throw XbaseError(store_.path() + ": tag " + tag_.name() + " has no entry for record " +
                         std::to_string(recno) + "; the index needs rebuilding");
    path_.back().page->erase(path_.back().index);
    tag_.changed();
    shrink(path_.size() - 1);
}

bool CdxTreeEditor::descend(std::string_view key, std::uint32_t recno, bool clampToLast)
{
    path_.clear();
    CdxPage* p = &tag_.page(tag_.root());
    while (true) {
        std::size_t i = p->lowerBound(key, recno);
        path_.push_back({p, i});
        if (p->leaf)
            return true;
        if (i == p->count()) {
            if (!clampToLast)
                return false;
            path_.back().index = i = p->count() - 1;
        }
        if (path_.size() == std::size_t(kMaxDepth))
            throw XbaseError(store_.path() + ": tag " + tag_.name() + " is deeper than an index can be; it loops");
        p = &tag_.page(p->children[i]);
    }
}

void CdxTreeEditor::settle(std::size_t depth)
{
    CdxPage& page = *path_[depth].page;
    if (!cdxFits(page)) {
        split(depth);
        return;
    }
    store_.write(page);
    updateParent(depth);
}

void CdxTreeEditor::updateParent(std::size_t depth)
{
    if (depth == 0)
        return;
    const CdxPage& page = *path_[depth].page;
    CdxPage& parent = *path_[depth - 1].page;
    const std::size_t i = path_[depth - 1].index;
    const std::size_t last = page.count() - 1;
    if (sameEntry(parent, i, page.key(last), page.recnos[last]))
        return;
    std::memcpy(parent.keys.data() + i * parent.keyLength, page.keyData(last), page.keyLength);
    parent.recnos[i] = page.recnos[last];
    settle(depth - 1);
}

void CdxTreeEditor::split(std::size_t depth)
{
    CdxPage& page = *path_[depth].page;
    const CdxPage whole = page;
    const std::vector<std::size_t> sizes = cdxSplitSizes(whole);
    const std::uint32_t oldRight = page.right;
    page.truncate(sizes[0]);
    page.root = false;
    std::vector<CdxPage*> pieces{&page};
    std::size_t from = sizes[0];
    for (std::size_t k = 1; k < sizes.size(); ++k) {
        CdxPage& piece = store_.allocate(page.keyLength, page.leaf);
        piece.append(whole, from, from + sizes[k]);
        from += sizes[k];
        piece.left = pieces.back()->offset;
        pieces.back()->right = piece.offset;
        pieces.push_back(&piece);
    }
    pieces.back()->right = oldRight;
    for (std::size_t k = pieces.size(); k-- > 0;)
        store_.write(*pieces[k]);
    if (oldRight != kNoPage) {
        CdxPage& neighbour = tag_.page(oldRight);
        neighbour.left = pieces.back()->offset;
        store_.write(neighbour);
    }

    if (depth == 0) {
        CdxPage& root = store_.allocate(page.keyLength, false);
        root.root = true;
        for (CdxPage* piece : pieces)
            root.insert(root.count(), piece->key(piece->count() - 1), greatestRecno(*piece), piece->offset);
        store_.write(root);
        tag_.setRoot(root.offset);
        return;
    }
    CdxPage& parent = *path_[depth - 1].page;
    const std::size_t i = path_[depth - 1].index;
    std::memcpy(parent.keys.data() + i * parent.keyLength, page.keyData(page.count() - 1), page.keyLength);
    parent.recnos[i] = greatestRecno(page);
    for (std::size_t k = 1; k < pieces.size(); ++k)
        parent.insert(i + k, pieces[k]->key(pieces[k]->count() - 1), greatestRecno(*pieces[k]), pieces[k]->offset);
    settle(depth - 1);
}

void CdxTreeEditor::shrink(std::size_t depth)
{
    if (depth == 0) {
        shrinkRoot();
        return;
    }
    CdxPage& page = *path_[depth].page;
    CdxPage& parent = *path_[depth - 1].page;
    if (page.count() == 0) {
        unlinkAndFree(page);
        parent.erase(path_[depth - 1].index);
        shrink(depth - 1);
    } else if (mergeWithNeighbour(depth)) {
        shrink(depth - 1);
    } else {
        store_.write(page);
        updateParent(depth);
    }
}

bool CdxTreeEditor::mergeWithNeighbour(std::size_t depth)
{
    CdxPage& page = *path_[depth].page;
    const std::size_t capacity = cdxCapacity(page);
    if (cdxUsedBytes(page) * 4 >= capacity)
        return false;
    CdxPage& parent = *path_[depth - 1].page;
    const std::size_t i = path_[depth - 1].index;
    // Try the left neighbour, then the right one; the right page of the pair
    // survives, so the parent's entry for it stays as it is.
    for (std::size_t j : {i - 1, i}) {
        if (j >= parent.count() || j + 1 >= parent.count())
            continue;
        CdxPage& left = j == i ? page : tag_.page(parent.children[j]);
        CdxPage& right = j == i ? tag_.page(parent.children[j + 1]) : page;
        if (left.leaf != right.leaf)
            continue;
        CdxPage merged = left;
        merged.append(right, 0, right.count());
        if (cdxUsedBytes(merged) * 4 > capacity * 3)
            continue;
        right.keys = std::move(merged.keys);
        right.recnos = std::move(merged.recnos);
        right.children = std::move(merged.children);
        right.left = left.left;
        store_.write(right);
        if (left.left != kNoPage) {
            CdxPage& outer = tag_.page(left.left);
            outer.right = right.offset;
            store_.write(outer);
        }
        store_.release(left.offset);
        parent.erase(j);
        std::memcpy(parent.keys.data() + j * parent.keyLength, right.keyData(right.count() - 1), right.keyLength);
        parent.recnos[j] = greatestRecno(right);
        return true;
    }
    return false;
}

void CdxTreeEditor::unlinkAndFree(CdxPage& page)
{
    if (page.left != kNoPage) {
        CdxPage& left = tag_.page(page.left);
        left.right = page.right;
        store_.write(left);
    }
    if (page.right != kNoPage) {
        CdxPage& right = tag_.page(page.right);
        right.left = page.left;
        store_.write(right);
    }
    store_.release(page.offset);
}

void CdxTreeEditor::shrinkRoot()
{
    CdxPage* root = path_[0].page;
    if (!root->leaf && root->count() == 0) {
        root->leaf = true;
        root->children.clear();
    }
    // A root with one child hands the root over to it.
    while (!root->leaf && root->count() == 1) {
        CdxPage& child = tag_.page(root->children[0]);
        child.root = true;
        child.left = child.right = kNoPage;
        store_.write(child);
        tag_.setRoot(child.offset);
        store_.release(root->offset);
        root = &child;
    }
    if (root == path_[0].page)
        store_.write(*root);
}

}  // namespace xbase
