#include "editing/genre_choices.h"

#include <algorithm>

#include "common/trim_and_case.h"
#include "xbase/cursor.h"

namespace editing {
namespace {

// The Genre tag files an album under upper(Genre)+upper(Artist): the first
// field-width bytes of its key are the genre. After each genre the walk
// seeks past every key that starts with it.
std::vector<std::string> collectionGenres(catalogue::Catalogue& catalogue)
{
    xbase::Cursor albums(
        xbase::Table::open(catalogue.albums().path(), xbase::OpenMode::Shared, catalogue.fileSystem()));
    const int genreField = albums.table().fieldIndex("Genre");
    const std::size_t width = albums.table().fields()[static_cast<std::size_t>(genreField)].length;
    albums.setOrder("Genre");
    std::vector<std::string> genres;
    for (albums.first(); !albums.eof();) {
        const std::string prefix = albums.key().substr(0, width);
        const std::string genre = common::lowerAscii(common::trimmed(prefix));
        if (!genre.empty())
            genres.push_back(genre);
        albums.seekNearest(prefix + std::string(albums.key().size() - prefix.size(), '\xff'));
        // A key of nothing but the highest byte after the genre equals the
        // seek's text.
        while (!albums.eof() && albums.key().compare(0, width, prefix) == 0)
            albums.next();
    }
    return genres;
}

}  // namespace

std::vector<std::string> genreChoices(const std::vector<std::string>& settingsGenres, catalogue::Catalogue& catalogue)
{
    std::vector<std::string> choices = settingsGenres;
    std::vector<std::string> added;
    for (std::string& genre : collectionGenres(catalogue)) {
        const auto known = [&](const std::string& other) { return common::equalsNoCase(other, genre); };
        if (std::none_of(choices.begin(), choices.end(), known) && std::none_of(added.begin(), added.end(), known))
            added.push_back(std::move(genre));
    }
    std::sort(added.begin(), added.end());
    choices.insert(choices.end(), added.begin(), added.end());
    return choices;
}

}  // namespace editing
