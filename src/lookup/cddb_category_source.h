#pragma once

#include "lookup/category_source.h"
#include "lookup/cddb_exchange_runner.h"

namespace lookup {

// The start-up's category list from the CDDB server, fetched on the
// runner's worker thread while the window goes on.
class CddbCategorySource : public CategorySource {
public:
    // `runner` must outlive this object.
    explicit CddbCategorySource(CddbExchangeRunner& runner) : runner_(runner) {}

    // A failure (or a runner already busy) is a status text and no
    // categories; the status line is cleared after a success.
    void requestCategories(catalogue::StatusReport status, Done done) override;

private:
    CddbExchangeRunner& runner_;
};

}  // namespace lookup
