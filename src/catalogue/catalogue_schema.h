#pragma once

#include <array>
#include <string_view>

// The catalogue's files, fields and index tags.
namespace catalogue {

struct TagDef {
    std::string_view name;
    std::string_view expression;
};

struct TableDef {
    std::string_view fileName;      // in the program directory
    std::string_view tableName;
    std::string_view creationList;
    std::array<TagDef, 5> tags;     // in creation order; unused slots have empty names
};

inline constexpr TableDef kAlbums{
    "ALBUMS.DBF", "Albums",
    "Album,Char,50;Artist,Char,50;IX,Char,6;Genre,Char,10;YR,Char,4;ID,Char,8;Label,Char,55;Media,Char,2;"
    "Rev,Char,1;Sys,Char,1;Notes,Memo;",
    {{{"Artist", "upper(Artist)+upper(Album)"},
      {"Album", "upper(Album)"},
      {"Label", "upper(Label)+upper(IX)"},
      {"Genre", "upper(Genre)+upper(Artist)"},
      {"ID", "ID"}}}};

inline constexpr TableDef kTracks{
    "TRACKS.DBF", "Tracks", "ID,Char,8;NR,Char,3;Track,Char,73;Secs,Char,4;", {{{"Tracks", "ID+NR"}}}};

inline constexpr TableDef kPlaylist{"PLAYLIST.DBF", "Playlist", "ID,Char,8;NR,Char,3;", {{{"Playlist", "ID+NR"}}}};

inline constexpr TableDef kArtists{
    "ARTISTS.DBF", "Artists", "ID,Char,8;NR,Char,3;Artist,Char,50;", {{{"ID", "ID+NR"}, {"Artist", "upper(Artist)"}}}};

// The tracks view's work table, made on demand and opened exclusively.
inline constexpr TableDef kTView{
    "TVIEW.DBF", "Tview", "Artist,Char,50;Album,Char,50;Track,Char,50;Genre,Char,10;YR,Char,4;ID,Char,8;",
    {{{"Album", "upper(Album)"},
      {"Artist", "upper(Artist)+left(upper(Track),12)"},
      {"Track", "upper(Track)"},
      {"Genre", "upper(Genre)"},
      {"yr", "yr"}}}};

// The report writer's copy of the albums structure; it gets the ALBUMS tags.
inline constexpr std::string_view kReportTempFile = "temp.dbf";

// The four tables every start-up makes sure of.
inline constexpr std::array<const TableDef*, 4> kCatalogueTables{&kAlbums, &kPlaylist, &kTracks, &kArtists};

}  // namespace catalogue
