#include "editing/form_title_tools.h"

#include <vector>

#include "common/ansi_text.h"
#include "editing/track_title_tools.h"

namespace editing {
namespace {

constexpr const char* kMaskCaption = "Select audio files for this album";

// "*.[mM][pP]3" for "mp3".
std::string anyCaseExtension(std::string_view extension)
{
    std::string pattern = "*.";
    for (char c : extension) {
        if (c >= 'a' && c <= 'z')
            pattern += std::string("[") + c + static_cast<char>(c - 'a' + 'A') + "]";
        else
            pattern += c;
    }
    return pattern;
}

std::string fileSystemSpelling(const std::string& stored) { return common::fromAnsi(stored).toStdString(); }

std::string storedSpelling(const std::string& path) { return common::toAnsi(QString::fromStdString(path)); }

}  // namespace

void flipTitles(AlbumFormData& form)
{
    for (lookup::TrackRow& row : form.tracks)
        row.title = flippedTitle(row.title);
}

common::Prompter::FileChoice audioFilesChoice(const std::string& clipsDir)
{
    std::vector<std::string> filters;
    for (const auto& [name, extension] : {std::pair{"MP3", "mp3"}, std::pair{"WAV", "wav"}, std::pair{"WMA", "wma"},
                                          std::pair{"Vorbis", "ogg"}})
        filters.push_back(std::string(name) + " (" + anyCaseExtension(extension) + ")");
    filters.emplace_back("All Files (*)");
    return {kMaskCaption, fileSystemSpelling(clipsDir), std::move(filters), true};
}

MaskMade makeMask(common::Prompter& prompter, AlbumFormData& form, std::string& clipsDir)
{
    const std::vector<std::string> files = prompter.chooseFiles(audioFilesChoice(clipsDir));
    MaskMade made;
    if (files.empty())
        return made;
    made.picked = true;
    const FileMask mask = fileMask(files);
    const std::string directory = storedSpelling(mask.directory);
    if (directory != clipsDir) {
        clipsDir = directory;
        made.clipsDirMoved = true;
    }
    LabelAndNotes placed = placedMask(storedSpelling(mask.mask), {form.label, form.notes});
    form.label = std::move(placed.label);
    form.notes = std::move(placed.notes);
    return made;
}

}  // namespace editing
