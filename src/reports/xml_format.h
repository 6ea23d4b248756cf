#pragma once

#include "reports/data_format.h"

namespace reports {

// A version 2.0 data packet: the field descriptions, then one ROW element
// a record whose attributes are the values. The declaration names the
// bytes' encoding (Windows-1252); values escape the markup characters,
// except that "&" reads "and" in an album's first two columns and in a
// track's title, as existing readers of these files expect.
class XmlFormat : public DataFormat {
public:
    void albumsHead(OutputFile& out, const std::vector<std::string>& labels) const override;
    void tracksHead(OutputFile& out) const override;
    void playlistHead(OutputFile& out) const override;
    void albumRow(OutputFile& out, const std::vector<std::string>& labels, const RowValues& values) const override;
    void trackRow(OutputFile& out, std::string_view id, std::string_view nr, std::string_view track) const override;
    void markRow(OutputFile& out, std::string_view id, std::string_view nr) const override;
    void tail(OutputFile& out) const override;

    // `value` as attribute text: & < > " as entities, a tab or line break as
    // a character reference (so it reads back unchanged), other control
    // characters (not allowed in XML) left out; with `andForAmpersand`
    // "&" becomes "and".
    static void attribute(OutputFile& out, std::string_view value, bool andForAmpersand);
};

}  // namespace reports
