#include "reports/xml_format.h"

#include "reports/markup_entity.h"

namespace reports {

namespace {

void head(OutputFile& out)
{
    out.line(R"(<?xml version="1.0" encoding="windows-1252" standalone="yes"?>)");
    out.line(R"(<DATAPACKET Version="2.0">)");
    out.line("<METADATA>");
    out.line("<FIELDS>");
}

void field(OutputFile& out, std::string_view name, std::string_view type)
{
    out.write(R"(<FIELD FieldName=")");
    XmlFormat::attribute(out, name, false);
    out.write(R"(" DisplayLabel=")");
    XmlFormat::attribute(out, name, false);
    out.write(R"(" FieldType=")");
    out.write(type);
    out.line(R"(" FieldClass="TField"/>)");
}

void endHead(OutputFile& out)
{
    out.line("</FIELDS>");
    out.line("</METADATA>");
    out.line("<ROWDATA>");
}

std::string_view trimmedNumber(std::string_view nr)
{
    const std::size_t start = nr.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    return nr.substr(start, nr.find_last_not_of(' ') - start + 1);
}

}  // namespace

void XmlFormat::attribute(OutputFile& out, std::string_view value, bool andForAmpersand)
{
    for (char c : value) {
        if (c == '&' && andForAmpersand) {
            out.write("and");
            continue;
        }
        if (const std::string_view entity = markupEntity(c); !entity.empty()) {
            out.write(entity);
            continue;
        }
        switch (c) {
        case '\t':
            out.write("&#9;");
            break;
        case '\n':
            out.write("&#10;");
            break;
        case '\r':
            out.write("&#13;");
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20)
                out.write(c);
        }
    }
}

void XmlFormat::albumsHead(OutputFile& out, const std::vector<std::string>& labels) const
{
    head(out);
    for (const std::string& label : labels)
        field(out, label, "String");
    endHead(out);
    out.write("\r\n");
}

void XmlFormat::tracksHead(OutputFile& out) const
{
    head(out);
    field(out, "ID", "String");
    field(out, "NR", "Integer");
    field(out, "TRACK", "String");
    endHead(out);
}

void XmlFormat::playlistHead(OutputFile& out) const
{
    head(out);
    field(out, "ID", "String");
    field(out, "NR", "Integer");
    endHead(out);
}

void XmlFormat::albumRow(OutputFile& out, const std::vector<std::string>& labels, const RowValues& values) const
{
    out.write("<ROW ");
    for (std::size_t i = 0; i < values.size(); ++i) {
        attribute(out, labels[i], false);
        out.write("=\"");
        attribute(out, values[i], i < 2);
        out.write("\" ");
    }
    out.line("/>");
}

void XmlFormat::trackRow(OutputFile& out, std::string_view id, std::string_view nr, std::string_view track) const
{
    out.write(R"(<ROW ID=")");
    attribute(out, id, false);
    out.write(R"(" NR=")");
    attribute(out, trimmedNumber(nr), false);
    out.write(R"(" TRACK=")");
    attribute(out, track, true);
    out.line(R"("/>)");
}

void XmlFormat::markRow(OutputFile& out, std::string_view id, std::string_view nr) const
{
    out.write(R"(<ROW ID=")");
    attribute(out, id, false);
    out.write(R"(" NR=")");
    attribute(out, trimmedNumber(nr), false);
    out.line(R"("/>)");
}

void XmlFormat::tail(OutputFile& out) const
{
    out.line("</ROWDATA>");
    out.line("</DATAPACKET>");
}

}  // namespace reports
