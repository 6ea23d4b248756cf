#include "editing/ui/album_edit_form.h"

#include <string_view>

#include "editing/album_form_loader.h"

namespace editing::ui {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::vector<std::string> notesLines(std::string_view notes)
{
    std::vector<std::string> lines;
    if (notes.empty())
        return lines;
    for (;;) {
        const std::size_t end = notes.find(kLineEnd);
        lines.emplace_back(notes.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        notes.remove_prefix(end + kLineEnd.size());
    }
}

}  // namespace

void AlbumEditForm::resetForNewEntry(lookup::EditMode mode)
{
    AlbumFormData data = dialog_.contents();
    editing::resetForNewEntry(data, mode, state_.settings.genre);
    dialog_.load(data);
}

lookup::AlbumEntry AlbumEditForm::entry() const
{
    const AlbumFormData data = dialog_.contents();
    return {data.artist, data.album, data.genre, data.year, data.revision, notesLines(data.notes), data.tracks};
}

void AlbumEditForm::setEntry(const lookup::AlbumEntry& entry, lookup::EditMode mode)
{
    AlbumFormData data = dialog_.contents();
    fillFromEntry(data, entry);
    data.mode = mode;
    dialog_.load(data);
}

void AlbumEditForm::setSource(char source)
{
    AlbumFormData data = dialog_.contents();
    data.source = source;
    dialog_.load(data);
}

}  // namespace editing::ui
