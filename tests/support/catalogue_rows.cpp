#include "support/catalogue_rows.h"

#include <gtest/gtest.h>

#include "xbase/cursor.h"
#include "xbase/table.h"

namespace test_support {

void appendRow(const std::string& dir, const std::string& fileName, const FieldValues& values)
{
    auto table = xbase::Table::open(dir + "/" + fileName, xbase::OpenMode::Shared);
    std::vector<std::uint8_t> rec = table->blankRecord();
    for (const auto& [name, value] : values) {
        const int field = table->fieldIndex(name);
        ASSERT_GE(field, 0) << fileName << " has no field " << name;
        table->setFieldText(rec.data(), field, value);
    }
    table->append(rec.data());
    table->flush();
}

std::vector<std::string> playlistRows(const std::string& dir)
{
    xbase::Cursor rows(xbase::Table::open(dir + "/PLAYLIST.DBF", xbase::OpenMode::Shared));
    rows.setOrder("Playlist");
    std::vector<std::string> found;
    for (bool more = rows.first(); more; more = rows.next())
        found.push_back(rows.field("ID") + "/" + rows.field("NR"));
    return found;
}

}  // namespace test_support
