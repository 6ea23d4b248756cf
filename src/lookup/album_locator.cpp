#include "lookup/album_locator.h"

#include <string>

namespace lookup {

bool albumInCatalogue(catalogue::Catalogue& catalogue, std::string_view id)
{
    catalogue::TableView& view = catalogue.albumLookup();
    view.setFiltered(false);
    view.setOrder("ID");
    view.open();
    // The engine's seek takes a short key as a prefix: "" would match the
    // first album.
    return !id.empty() && view->seek(id);
}

bool makeAlbumCurrent(catalogue::Catalogue& catalogue, std::string_view id)
{
    if (id.empty())
        return false;
    catalogue::TableView& view = catalogue.albums();
    const std::string order = view.order();
    view.setOrder("ID");
    const bool found = view->seek(id);
    view.setOrder(order);
    return found;
}

}  // namespace lookup
