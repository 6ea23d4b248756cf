#include "maintenance/reindex_progress.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "catalogue/program_files.h"
#include "xbase/byte_order.h"
#include "xbase/dbf_format.h"

namespace maintenance {
namespace {

// From the table's header; 0 when it cannot be read (the bar is then only
// less even).
std::size_t recordCount(catalogue::Catalogue& catalogue, const catalogue::TableDef& def)
{
    try {
        auto file = catalogue.fileSystem().open(catalogue::filePathNoCase(catalogue.programDir(), def.fileName),
                                                xbase::OpenFlags::ReadWrite);
        std::uint8_t count[4];
        if (file->readAt(xbase::dbf::kCountOffset, count, sizeof count) == sizeof count)
            return xbase::readLe32(count);
    } catch (const std::exception&) {
    }
    return 0;
}

}  // namespace

ReindexProgress::ReindexProgress(catalogue::Catalogue& catalogue, common::Progress* progress) : progress_(progress)
{
    if (!progress_)
        return;
    for (const catalogue::TableDef* def : catalogue::kCatalogueTables)
        total_ += recordCount(catalogue, *def) * (1 + tagCount(*def));
    progress_->advance(0, total_);
}

xbase::RecordProgress ReindexProgress::pass()
{
    if (!progress_)
        return {};
    auto state = std::make_shared<std::pair<std::size_t, std::size_t>>();  // offset, previous done
    return [this, state](std::size_t done, std::size_t total) {
        auto& [offset, previous] = *state;
        if (done < previous)
            offset += total;
        previous = done;
        progress_->advance(std::min(base_ + offset + done, total_), total_);
    };
}

void ReindexProgress::passed(std::size_t records)
{
    base_ += records;
    if (progress_)
        progress_->advance(std::min(base_, total_), total_);
}

void ReindexProgress::finish()
{
    if (progress_)
        progress_->advance(total_, total_);
}

std::size_t ReindexProgress::tagCount(const catalogue::TableDef& def)
{
    return std::size_t(std::count_if(def.tags.begin(), def.tags.end(), [](const auto& tag) { return !tag.name.empty(); }));
}

}  // namespace maintenance
