#pragma once

#include <cstdint>
#include <string>

#include "bench_support.h"
#include "catalogue/catalogue.h"
#include "collection_generator.h"
#include "reports/record_selection.h"
#include "search/filter_history.h"

namespace bench {

// A generated collection of `albumCount` albums in its own folder, its
// indexes built, and the report selection over it with its histories.
struct ReportBenchCollection {
    ReportBenchCollection(const char* name, std::uint32_t albumCount)
        : dir(freshCollectionDir(name, albumCount)), size(generateCollection(dir, albumCount))
    {
        catalogue::Catalogue catalogue(dir);
        catalogue.createMissingFilesAndOpenViews();  // builds the indexes
    }

    // Selects afresh; stops the benchmark when nothing is selected.
    void select(const reports::SelectionSettings& settings)
    {
        check(selection.prepare(settings, albumsHistory, tracksHistory).empty(), "selection");
    }

    std::string dir;
    CollectionSize size;
    search::FilterHistory albumsHistory{dir, search::FilterHistory::Table::Albums};
    search::FilterHistory tracksHistory{dir, search::FilterHistory::Table::Tracks};
    reports::RecordSelection selection{dir};
};

}  // namespace bench
