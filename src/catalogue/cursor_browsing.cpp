#include "catalogue/cursor_browsing.h"

#include <cctype>
#include <string>

#include "xbase/file_names.h"

namespace catalogue {
namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;
constexpr std::string_view kIdTag = "ID";

}  // namespace

bool isCurrentOrder(const xbase::Cursor& cursor, std::string_view field)
{
    return !cursor.order().empty() && xbase::equalsNoCase(cursor.order(), field);
}

TitleClick orderByTitle(xbase::Cursor& cursor, std::string_view field)
{
    if (isCurrentOrder(cursor, field)) {
        jumpToNextDifferent(cursor, field);
        return TitleClick::Jumped;
    }
    cursor.setOrder(field);
    return TitleClick::Ordered;
}

bool jumpToNextDifferent(xbase::Cursor& cursor, std::string_view field)
{
    if (cursor.eof())
        return false;
    const std::uint32_t start = cursor.recno();
    const std::string value = cursor.field(field);
    while (cursor.next()) {
        if (cursor.field(field) != value)
            return true;
    }
    cursor.last();
    return cursor.recno() != start;
}

bool keyboardJump(xbase::Cursor& cursor, int key)
{
    if (cursor.editing() || cursor.order().empty() || key < kFirstPrintable || key > kLastPrintable)
        return false;
    const std::uint32_t start = cursor.eof() ? 0 : cursor.recno();
    const std::string wanted(1, static_cast<char>(std::toupper(key)));
    cursor.seekNearest(wanted);
    if (cursor.eof())
        cursor.last();
    return !cursor.eof() && cursor.recno() != start;
}

bool goToAlbumById(TableView& albums, std::string_view id)
{
    xbase::Cursor& cursor = albums.cursor();
    const std::string order = cursor.order();
    const std::uint32_t start = cursor.eof() ? 0 : cursor.recno();
    cursor.setOrder(kIdTag);
    const bool found = cursor.seek(id);
    if (!found && start != 0)
        cursor.goToRecord(start);
    cursor.setOrder(order);
    return found;
}

}  // namespace catalogue
