#include "reports/html_page.h"

#include <array>

#include "common/trim_and_case.h"
#include "reports/markup_entity.h"
#include "reports/output_file.h"
#include "reports/record_selection.h"
#include "reports/row_values.h"

namespace reports {

namespace {

constexpr std::size_t kProgressStep = 64;
// The second band colour is written as it has always been.
constexpr std::array<std::string_view, 2> kBandColours{"FFF09E", "DIDF9C"};

void escaped(OutputFile& out, std::string_view text)
{
    for (char c : text) {
        if (const std::string_view entity = markupEntity(c); !entity.empty())
            out.write(entity);
        else
            out.write(c);
    }
}

void cell(OutputFile& out, std::string_view text)
{
    out.write("<td>");
    escaped(out, text);
    out.write("</td>");
}

// Flips between the two bands when the sorted column starts with another
// letter; digits, blanks and punctuation keep the band.
class Bands {
public:
    void next(std::string_view sortText)
    {
        if (sortText.empty())
            return;
        char c = sortText.front();
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (static_cast<unsigned char>(c) >= 65 && c != letter_) {
            letter_ = c;
            band_ ^= 1;
        }
    }
    std::string_view colour() const { return kBandColours[band_]; }

private:
    char letter_ = ' ';
    std::size_t band_ = 0;
};

void head(OutputFile& out, const SelectionSettings& settings, std::size_t albumCount)
{
    out.line(R"(<!doctype html public "-//w3c//dtd html 4.0 transitional//en">)");
    out.line("<html><head>");
    out.line(R"(   <meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)");
    out.line(R"(   <meta name="Author" content="Vinora">)");
    out.write("   <title>");
    escaped(out, settings.title);
    out.line("</title></head><body><center>");
    if (!common::trimmed(settings.title).empty()) {
        out.write(R"(<p><center><b><font color="#3333FF">)");
        escaped(out, settings.title);
        out.line("</font></b></center>");
    }
    out.line("<p>Total albums displayed: " + std::to_string(albumCount));
    out.line(std::string(R"(<table bgcolor="#E9C2A6" BORDER COLS=)") + (settings.includeTracks ? "3" : "2") +
             R"( WIDTH="100%" >)");
    out.write(settings.order == SortOrder::Album ? "<th>Album</th><th>Artist</th>" : "<th>Artist</th><th>Album</th>");
    out.line(settings.includeTracks ? "<th>Tracks</th>" : "");
}

}  // namespace

bool HtmlPage::write(RecordSelection& selection, const std::string& path, common::Progress& progress)
{
    const SelectionSettings& settings = selection.settings();
    const bool albumFirst = settings.order == SortOrder::Album;
    const bool banded = settings.order != SortOrder::Natural;
    xbase::Cursor& albums = selection.albums();
    xbase::Cursor& tracks = selection.tracks();
    RowValues album(albums, {"ID", albumFirst ? "Album" : "Artist", albumFirst ? "Artist" : "Album"});
    RowValues track(tracks, {"ID", "Track"});
    const std::size_t total = albums.count();

    OutputFile out(path);
    head(out, settings, total);
    Bands bands;
    std::size_t done = 0;
    for (bool more = albums.first(); more; more = albums.next()) {
        if (progress.cancelRequested())
            return false;
        album.read();
        if (banded) {
            bands.next(album[1]);
            out.write(R"(<tr bgcolor="#)");
            out.write(bands.colour());
            out.line(R"(">)");
        } else {
            out.line("<tr>");
        }
        cell(out, album[1]);
        out.write("\r\n");
        cell(out, album[2]);
        out.write("\r\n");
        bool firstTrack = true;
        if (settings.includeTracks) {
            for (bool t = tracks.seekValues({album[0]}); t; t = tracks.next()) {
                track.read();
                if (track[0] != album[0])
                    break;
                if (!firstTrack) {
                    out.write(R"(<tr bgcolor="#)");
                    out.write(bands.colour());
                    out.write(R"("><td></td><td></td>)");
                }
                cell(out, track[1]);
                out.line("</tr>");
                firstTrack = false;
            }
        }
        if (firstTrack)
            out.line("</tr>");
        if (++done % kProgressStep == 0)
            progress.advance(done, total);
    }
    progress.advance(done, total);
    out.line("</table>");
    out.commit();
    return true;
}

}  // namespace reports
