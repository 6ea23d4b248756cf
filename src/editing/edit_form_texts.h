#pragma once

#include <string_view>

// The edit form's captions and messages ("\r" is a line break).
namespace editing {

inline constexpr std::string_view kDesignCaption = "New Entry";
inline constexpr std::string_view kAddFromDriveCaption = "Vinora - Edit Form [Add New CD from CD-ROM drive]";
inline constexpr std::string_view kAddOtherCaption = "Vinora - Edit Form [New Album (not in CD-ROM drive)]";
inline constexpr std::string_view kModifyCaption = "Vinora - Edit Form [Modify Album]";

inline constexpr std::string_view kRequiredText = "Album, Artist & Genre are required entries";
inline constexpr std::string_view kFormatQuestion =
    "This appears to be a multi-artist album but standard format of\rArtistName / TrackName\r"
    "was not used for the track entries.  Continue anyway?";

// A new album whose identifier is taken: the identifier follows, then
// kDuplicateIdEnd.
inline constexpr std::string_view kDuplicateIdStart = "An album with the ID ";
inline constexpr std::string_view kDuplicateIdEnd = " is already in your Collection.\rNothing was saved.";
inline constexpr std::string_view kNoIdText = "The album has no identifier.\rNothing was saved.";
// A failed save: the engine's message comes between.
inline constexpr std::string_view kNotSavedStart = "The album could not be saved:\r";
inline constexpr std::string_view kNotSavedEnd = "\rYour Collection is as it was before.";
// A failed save that could not be undone either: the save's message, then
// kNotUndoneMiddle, the undo's message and kNotUndoneEnd.
inline constexpr std::string_view kNotUndoneMiddle = "\rThe changes made so far could not be undone:\r";
inline constexpr std::string_view kNotUndoneEnd = "\rThey will be undone the next time Vinora starts.";
// Takes the place of the save's message when the save could not start
// because an earlier one could not be undone.
inline constexpr std::string_view kEarlierSaveText = "An earlier save did not finish.";

// Headers of the track grid's title column.
inline constexpr std::string_view kVariousTitleHeader = "  ArtistName / TrackTitle";
inline constexpr std::string_view kTitleHeader = "  Track Title";

}  // namespace editing
