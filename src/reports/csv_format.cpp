#include "reports/csv_format.h"

namespace reports {

void CsvFormat::quoted(OutputFile& out, std::string_view value)
{
    out.write('"');
    std::size_t quote;
    while ((quote = value.find('"')) != std::string_view::npos) {
        out.write(value.substr(0, quote + 1));
        out.write('"');
        value.remove_prefix(quote + 1);
    }
    out.write(value);
    out.write('"');
}

void CsvFormat::albumsHead(OutputFile& out, const std::vector<std::string>& labels) const
{
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (i > 0)
            out.write(',');
        quoted(out, labels[i]);
    }
    out.write("\r\n");
}

void CsvFormat::tracksHead(OutputFile& out) const { out.line(R"("ID","NR","TRACK")"); }

void CsvFormat::playlistHead(OutputFile& out) const { out.line(R"("ID","NR")"); }

void CsvFormat::albumRow(OutputFile& out, const std::vector<std::string>&, const RowValues& values) const
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            out.write(',');
        quoted(out, values[i]);
    }
    out.write("\r\n");
}

void CsvFormat::trackRow(OutputFile& out, std::string_view id, std::string_view nr, std::string_view track) const
{
    quoted(out, id);
    out.write(',');
    quoted(out, nr);
    out.write(',');
    quoted(out, track);
    out.write("\r\n");
}

void CsvFormat::markRow(OutputFile& out, std::string_view id, std::string_view nr) const
{
    quoted(out, id);
    out.write(',');
    quoted(out, nr);
    out.write("\r\n");
}

}  // namespace reports
