#include "catalogue_snapshot.h"

#include <sstream>

#include <gtest/gtest.h>

#include "catalogue/catalogue_schema.h"
#include "dbf_commands.h"
#include "xbase/table.h"

namespace test_support {
namespace {

std::string run(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    vinora_dbf::runCommand(args, out, err);
    return out.str() + err.str();
}

std::vector<std::string> dataLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.starts_with("#"))
            lines.push_back(line);
    return lines;
}

// "recno<TAB>deleted<TAB>...": whether the deleted column says 1.
bool deletedLine(const std::string& line)
{
    const std::size_t tab = line.find('\t');
    return tab != std::string::npos && line.compare(tab + 1, 2, "1\t") == 0;
}

}  // namespace

CatalogueSnapshot takeSnapshot(const std::string& dir)
{
    CatalogueSnapshot snapshot;
    for (const catalogue::TableDef* def : catalogue::kCatalogueTables) {
        const std::string name(def->fileName);
        const std::string path = dir + "/" + name;
        snapshot.records[name] = dataLines(run({"dump", path}));
        for (const catalogue::TagDef& tag : def->tags)
            if (!tag.name.empty())
                snapshot.orders[name + " " + std::string(tag.name)] = run({"order", path, std::string(tag.name)});
        snapshot.checks[name] = run({"check", path});
    }
    return snapshot;
}

void expectSameCatalogue(const CatalogueSnapshot& before, const CatalogueSnapshot& after, const std::string& context)
{
    for (const auto& [table, rows] : before.records) {
        const std::vector<std::string>& now = after.records.at(table);
        ASSERT_GE(now.size(), rows.size()) << context << ": " << table << " lost records";
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(now[i], rows[i]) << context << ": " << table;
        for (std::size_t i = rows.size(); i < now.size(); ++i)
            EXPECT_TRUE(deletedLine(now[i])) << context << ": " << table << " keeps " << now[i];
    }
    for (const auto& [tag, order] : before.orders)
        EXPECT_EQ(after.orders.at(tag), order) << context << ": " << tag;
    for (const auto& [table, verdict] : after.checks)
        EXPECT_EQ(verdict, "ok\n") << context << ": " << table;
}

std::vector<Row> liveRows(const std::string& dir, const std::string& file, const std::string& id)
{
    auto table = xbase::Table::open(dir + "/" + file, xbase::OpenMode::Shared);
    std::vector<Row> rows;
    const int idField = table->fieldIndex("ID");
    for (std::uint32_t r = 1; r <= table->recordCount(); ++r) {
        const std::uint8_t* rec = table->record(r);
        if (table->isDeleted(r) || table->fieldText(rec, idField).substr(0, id.size()) != id)
            continue;
        Row row{{"#", std::to_string(r)}};
        for (std::size_t f = 0; f < table->fields().size(); ++f) {
            std::string text = table->fieldText(rec, static_cast<int>(f));
            if (table->fields()[f].type != 'M')
                text.erase(text.find_last_not_of(' ') + 1);
            row[table->fields()[f].name] = text;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace test_support
