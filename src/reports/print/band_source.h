#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "reports/print/report_band.h"

namespace reports::print {

// The bands of one printed report, record by record, read on demand so that
// a page far into a long report needs only its own records.
class BandSource {
public:
    virtual ~BandSource() = default;

    virtual std::size_t recordCount() = 0;
    // Appends the bands of record `row` (0-based), in printing order.
    // Throws xbase::XbaseError when a table fails.
    virtual void bandsOf(std::size_t row, std::vector<ReportBand>& out) = 0;
    // The header of page `number` (from 1); none when the report has no title.
    virtual std::optional<ReportBand> pageHeader(std::size_t number) const = 0;
    // Printed once after the last record.
    virtual ReportBand summary() const = 0;
};

}  // namespace reports::print
