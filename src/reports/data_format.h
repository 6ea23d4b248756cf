#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reports/output_file.h"
#include "reports/row_values.h"

namespace reports {

// How one kind of data file (CSV, XML) writes the parts of the albums,
// tracks and playlist files; DataExport decides what goes where.
class DataFormat {
public:
    virtual ~DataFormat() = default;

    virtual void albumsHead(OutputFile& out, const std::vector<std::string>& labels) const = 0;
    virtual void tracksHead(OutputFile& out) const = 0;
    virtual void playlistHead(OutputFile& out) const = 0;
    // `values` holds the fields of `labels`, in that order.
    virtual void albumRow(OutputFile& out, const std::vector<std::string>& labels, const RowValues& values) const = 0;
    // `nr` as stored: right-aligned in three characters.
    virtual void trackRow(OutputFile& out, std::string_view id, std::string_view nr, std::string_view track) const = 0;
    virtual void markRow(OutputFile& out, std::string_view id, std::string_view nr) const = 0;
    // After the last row of any of the files.
    virtual void tail(OutputFile& out) const = 0;
};

}  // namespace reports
