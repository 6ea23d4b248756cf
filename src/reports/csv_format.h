#pragma once

#include "reports/data_format.h"

namespace reports {

// Comma-separated values: every value in double quotes, a double quote
// inside one doubled (RFC 4180), so commas and line breaks stay in their
// value. The first line names the columns.
class CsvFormat : public DataFormat {
public:
    void albumsHead(OutputFile& out, const std::vector<std::string>& labels) const override;
    void tracksHead(OutputFile& out) const override;
    void playlistHead(OutputFile& out) const override;
    void albumRow(OutputFile& out, const std::vector<std::string>& labels, const RowValues& values) const override;
    void trackRow(OutputFile& out, std::string_view id, std::string_view nr, std::string_view track) const override;
    void markRow(OutputFile& out, std::string_view id, std::string_view nr) const override;
    void tail(OutputFile&) const override {}

    static void quoted(OutputFile& out, std::string_view value);
};

}  // namespace reports
