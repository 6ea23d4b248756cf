#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace editing {

// The catalogue's views on some of its files, closed for as long as
// the files must be opened exclusively (to put them back after a failed
// change), then opened with the order and filter they had. Views on those
// files that were closed already, because an earlier undo could not open
// them, are opened too.
class ClosedViews {
public:
    // Closes every view of `catalogue` on one of `fileNames` (case ignored).
    ClosedViews(catalogue::Catalogue& catalogue, const std::vector<std::string>& fileNames);
    ClosedViews(const ClosedViews&) = delete;
    ClosedViews& operator=(const ClosedViews&) = delete;

    // Opens them again, albums on record `albumRecno` when it shows it
    // (else on its first row). A view that no longer opens stays closed;
    // the first such failure is thrown (xbase::XbaseError) once the others
    // are open.
    void reopen(std::uint32_t albumRecno);

private:
    catalogue::Catalogue& catalogue_;
    std::vector<catalogue::TableView*> closed_;  // in the order they are to be opened
};

}  // namespace editing
