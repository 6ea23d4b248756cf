#pragma once

#include <cstddef>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_schema.h"
#include "common/progress.h"
#include "xbase/table.h"

namespace maintenance {

// What a reindex tells its watcher: records packed and indexed of all four
// tables. The records are counted up front, so that the bar covers the
// whole run: each table is read once by its pack and once per tag.
class ReindexProgress {
public:
    // Tells `progress` when given, else nothing.
    ReindexProgress(catalogue::Catalogue& catalogue, common::Progress* progress);

    // Reports of the passes over one table; a pass that starts again from
    // the beginning is the next tag.
    xbase::RecordProgress pass();
    // `records` more are done: the passes since the last call.
    void passed(std::size_t records);
    void finish();
    bool cancelRequested() const { return progress_ && progress_->cancelRequested(); }

    static std::size_t tagCount(const catalogue::TableDef& def);

private:
    common::Progress* progress_;
    std::size_t total_ = 0;
    std::size_t base_ = 0;
};

}  // namespace maintenance
