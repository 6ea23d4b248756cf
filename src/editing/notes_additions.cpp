#include "editing/notes_additions.h"

#include <QString>

#include "catalogue/display_text.h"
#include "common/ansi_text.h"
#include "common/trim_and_case.h"

namespace editing {
namespace {

constexpr char kEnterInfo[] = "Enter Info";
constexpr std::size_t kShortestAddress = 8;
constexpr int kTrackWidth = 3;

}  // namespace

const std::vector<std::string>& NotesAdditions::imageFilters()
{
    static const std::vector<std::string> filters{
        "Image Files (jpg,gif,bmp,png) (*.[jJ][pP]* *.[bB][mM][pP] *.[pP][nN][gG] *.[gG][iI][fF])",
        "All Files (*)"};
    return filters;
}

std::optional<std::string> NotesAdditions::extension(const std::string& caption, std::string tag)
{
    const std::optional<std::string> text = prompter_.askText(caption, kEnterInfo, "");
    if (!text || common::trimmed(*text).empty())
        return std::nullopt;
    return tag + *text;
}

std::optional<std::string> NotesAdditions::albumExtension() { return extension("Extended Data For Disc", "EXTD="); }

std::optional<std::string> NotesAdditions::trackExtension(std::size_t track)
{
    return extension("Extended Data For Track " + catalogue::numberText(static_cast<long>(track) + 1, kTrackWidth),
                     "EXTT" + std::to_string(track) + "=");
}

std::optional<std::string> NotesAdditions::coverImage()
{
    const std::vector<std::string> files =
        prompter_.chooseFiles({"Select Image File to add to album data", "/", imageFilters(), false});
    if (files.empty())
        return std::nullopt;
    return "COVER=" + common::toAnsi(QString::fromStdString(files.front()));
}

std::optional<std::string> NotesAdditions::website()
{
    const std::optional<std::string> text = prompter_.askText("URL or Document", "Enter website for this album", "");
    if (!text || text->size() < kShortestAddress)
        return std::nullopt;
    return "URL=" + *text;
}

}  // namespace editing
