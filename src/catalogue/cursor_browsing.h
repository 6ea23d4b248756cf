#pragma once

#include <string_view>

#include "catalogue/table_view.h"
#include "xbase/cursor.h"

// How the grids move their cursor: ordering by a column title, the repeated
// title click, the keyboard jump and going to an album by its identifier.
namespace catalogue {

// Whether the cursor is in the order of the tag named `field` (case
// ignored); grids colour that column's title as the current order.
bool isCurrentOrder(const xbase::Cursor& cursor, std::string_view field);

enum class TitleClick { Ordered, Jumped };

// A click on the title of the column showing `field` (whose tag has the same
// name). In another order: order by that tag (throws xbase::XbaseError when
// there is none). Already in that order: jumpToNextDifferent.
TitleClick orderByTitle(xbase::Cursor& cursor, std::string_view field);

// Moves forward from the current row to the first row whose `field` differs
// from the current row's (exact text). At the end the last row stays
// current. Returns whether the cursor moved.
bool jumpToNextDifferent(xbase::Cursor& cursor, std::string_view field);

// A key typed into a browsing grid (its cursor not editing): in an order
// by tag, a printable character (codes 32 to 126) makes current the first
// row whose key is at or after the character in upper case (the last row
// when none is). In natural order, or for other keys, nothing happens.
// Returns whether it moved.
bool keyboardJump(xbase::Cursor& cursor, int key);

// Makes the album with identifier `id` current, keeping the view's order.
// Not found: the current album stays. Returns whether it was found.
bool goToAlbumById(TableView& albums, std::string_view id);

}  // namespace catalogue
