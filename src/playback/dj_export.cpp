#include "playback/dj_export.h"


#include "catalogue/file_replacement.h"
#include "xbase/xbase_error.h"

namespace playback {
namespace {

constexpr std::string_view kArtistOrder = "Artist";

// Puts the cursor back in its order, on its row, however the walk ends.
class PositionKeeper {
public:
    explicit PositionKeeper(xbase::Cursor& cursor)
        : cursor_(cursor), order_(cursor.order()), recno_(cursor.eof() ? 0 : cursor.recno())
    {
    }
    ~PositionKeeper()
    {
        try {
            cursor_.setOrder(order_);
            if (recno_ == 0 || !cursor_.goToRecord(recno_))
                cursor_.first();
        } catch (const xbase::XbaseError&) {
            // The order was in use a moment ago; the walk's error, if any,
            // is the one to tell.
        }
    }
    PositionKeeper(const PositionKeeper&) = delete;
    PositionKeeper& operator=(const PositionKeeper&) = delete;

private:
    xbase::Cursor& cursor_;
    std::string order_;
    std::uint32_t recno_;
};

}  // namespace

std::string csvRecord(std::initializer_list<std::string_view> values)
{
    std::string line;
    for (std::string_view value : values) {
        if (!line.empty())
            line += ',';
        line += '"';
        for (char c : value) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    line += "\r\n";
    return line;
}

std::size_t writeDjExport(xbase::Cursor& rows, const std::string& path)
{
    const PositionKeeper keeper(rows);
    std::size_t count = 0;
    catalogue::replaceFile(path, "the file", [&](std::ostream& out) {
        rows.setOrder(kArtistOrder);
        for (bool more = rows.first(); more && out; more = rows.next()) {
            out << csvRecord({rows.fieldTrimmed("Artist"), rows.fieldTrimmed("Track"), rows.fieldTrimmed("Genre"),
                              rows.fieldTrimmed("YR")});
            ++count;
        }
    });
    return count;
}

}  // namespace playback
