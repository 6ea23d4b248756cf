#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace editing {

// The read-only page about the current album: its fields, notes with their
// extended data, tracks with times, playlist marks, catalogue totals and
// the program's version. Texts are Windows-1252.
class AlbumDetail {
public:
    enum class Style { Plain, Extended, Statistics, Hint };
    struct Line {
        std::string text;
        Style style = Style::Plain;
    };
    struct Track {
        std::string nr;  // as stored, the key of its marks
        std::string title;
        long seconds = 0;
        std::string extended;  // the notes' first extended text for it
    };

    inline static const std::string kCaptionPrefix = "Vinora - Detail on current Album [";

    // Reads the current row of catalogue.albums() (its filter and order
    // decide the totals and the label summary), the album's tracks and
    // marks and the catalogue's totals. Moves no view. Requires: albums
    // open on a row. Throws xbase::XbaseError when a table cannot be read.
    static AlbumDetail ofCurrentAlbum(catalogue::Catalogue& catalogue);

    const std::string& caption() const { return caption_; }
    const std::vector<Line>& page() const { return page_; }

    const std::string& id() const { return id_; }
    const std::string& title() const { return title_; }
    const std::string& artist() const { return artist_; }
    // Sys, trimmed: where the album's data came from.
    const std::string& source() const { return source_; }
    // In NR order.
    const std::vector<Track>& tracks() const { return tracks_; }
    long trackSeconds() const;

private:
    void addHeader(const xbase::Cursor& album);
    void readTracks(catalogue::Catalogue& catalogue, const std::string& notes);
    void addTracks();
    void addPlaylist(catalogue::Catalogue& catalogue, const std::string& index);
    void addStatistics(catalogue::Catalogue& catalogue);
    void addLabelSummary(catalogue::Catalogue& catalogue, const std::string& label);
    void add(std::string text, Style style = Style::Plain);

    std::string caption_;
    std::string id_;
    std::string title_;
    std::string artist_;
    std::string source_;
    std::vector<Track> tracks_;
    std::vector<Line> page_;
};

}  // namespace editing
