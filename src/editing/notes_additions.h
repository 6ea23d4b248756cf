#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/prompter.h"

// The tagged lines the notes editor's buttons add to the end of the notes.
namespace editing {

inline constexpr std::string_view kNotesLossyText =
    "Some characters of the notes cannot be stored in the Collection; they are saved as \"?\".";

class NotesAdditions {
public:
    // Requires: `prompter` outlives this object.
    explicit NotesAdditions(common::Prompter& prompter) : prompter_(prompter) {}

    // Each asks the user and returns the line to add (Windows-1252), or
    // nothing when the answer adds none.
    // "EXTD=" and the text as entered, when it is not blank.
    std::optional<std::string> albumExtension();
    // "EXTT<track>=" and the text as entered, for the track chosen (0 for
    // track 1), when it is not blank.
    std::optional<std::string> trackExtension(std::size_t track);
    // "COVER=" and the image file's path.
    std::optional<std::string> coverImage();
    // "URL=" and the address, when it has more than 7 characters.
    std::optional<std::string> website();

    // The file dialog's filters of coverImage(): the extensions in any
    // case, as the file systems of the other platform see them.
    static const std::vector<std::string>& imageFilters();

private:
    std::optional<std::string> extension(const std::string& caption, std::string tag);

    common::Prompter& prompter_;
};

}  // namespace editing
