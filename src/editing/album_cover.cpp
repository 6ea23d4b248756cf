#include "editing/album_cover.h"

#include <filesystem>

#include "common/ansi_text.h"
#include "common/notes_tags.h"
#include "common/trim_and_case.h"

namespace editing {
namespace {

std::string fileSystemPath(std::string_view stored) { return common::fromAnsi(stored).toStdString(); }

bool isFile(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec);
}

CoverDisplay tell(bool interactive, std::string message)
{
    if (!interactive)
        return {};
    return {CoverDisplay::Action::Tell, std::move(message), {}, {}};
}

}  // namespace

CoverDisplay coverDisplay(std::string_view notes, std::string_view viewer, bool interactive)
{
    const std::optional<std::string_view> cover = common::NotesTags(notes).cover();
    if (!cover)
        return tell(interactive, std::string(kNoCoverText));
    const std::string image = fileSystemPath(*cover);
    if (!isFile(image))
        return tell(interactive, std::string(*cover) + "\r" + std::string(kCoverGoneEnd));
    const std::string program = fileSystemPath(common::trimmed(viewer));
    if (isFile(program))
        return {CoverDisplay::Action::StartViewer, {}, image, program};
    return {CoverDisplay::Action::ShowImage, {}, image, {}};
}

}  // namespace editing
