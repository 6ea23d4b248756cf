#include "editing/closed_views.h"

#include <algorithm>
#include <optional>

#include "common/trim_and_case.h"
#include "xbase/xbase_error.h"

namespace editing {

ClosedViews::ClosedViews(catalogue::Catalogue& catalogue, const std::vector<std::string>& fileNames)
    : catalogue_(catalogue)
{
    // Sources first, so the details and lookups link to them on opening.
    for (catalogue::TableView* view : {&catalogue.albums(), &catalogue.albumLookup(), &catalogue.currentAlbumTracks(),
                                       &catalogue.allTracks(), &catalogue.artists(), &catalogue.playlist()}) {
        const bool onFile = std::any_of(fileNames.begin(), fileNames.end(), [&](const std::string& name) {
            return common::equalsNoCase(view->fileName(), name);
        });
        if (onFile)
            closed_.push_back(view);
    }
    // Details before their sources: a source that closes re-links the
    // views that depend on it.
    for (auto view = closed_.rbegin(); view != closed_.rend(); ++view)
        (*view)->close();
}

void ClosedViews::reopen(std::uint32_t albumRecno)
{
    std::optional<xbase::XbaseError> failure;
    for (catalogue::TableView* view : closed_) {
        try {
            view->open();
        } catch (const xbase::XbaseError& e) {
            if (!failure)
                failure = e;
        }
    }
    closed_.clear();
    if (albumRecno != 0 && catalogue_.albums().isOpen())
        catalogue_.albums()->goToRecord(albumRecno);
    if (failure)
        throw *failure;
}

}  // namespace editing
