#pragma once

#include <exception>
#include <memory>
#include <string>

#include "catalogue/catalogue_schema.h"
#include "catalogue/status_report.h"
#include "xbase/table.h"

namespace catalogue {

// Status text shown before a table's tags are built; the table's name
// without extension follows.
inline constexpr std::string_view kCreatingIndexText = "Creating Index File for: ";

// Builds the tags of one of the four catalogue tables (chosen by its file
// name, case ignored) into its structural index, making the index when the
// table has none; a tag that exists is replaced. Reports
// "Creating Index File for: " + ALBUMS, TRACKS, ARTISTS or PLAYLIST first.
// `progress` hears of the records of each tag in turn.
// Requires: `table` opened exclusively; no cursor on it uses an order.
// Throws xbase::XbaseError for any other table or when building fails.
void buildIndexes(xbase::Table& table, const StatusReport& status, const xbase::RecordProgress& progress = {});

// Builds only the five ALBUMS tags on `table` (the report writer's copy of
// the albums structure), without a status text. Same requirements.
void buildAlbumTags(xbase::Table& table);

// The tags of `def` into `table`'s index, as above. Same requirements.
void buildTags(xbase::Table& table, const TableDef& def, const xbase::RecordProgress& progress = {});

// Whether `error` is a failure of the index file `indexPath` itself (the
// engine names the file that failed), not of its table.
bool isIndexFailure(const std::exception& error, const std::string& indexPath);

// Opens the table at `tablePath` exclusively, to build its index anew. An
// index file that keeps the table from opening is deleted and the table
// opened without it. Throws xbase::XbaseError for any other failure.
std::shared_ptr<xbase::Table> openForIndexRebuild(const std::string& tablePath, xbase::FileSystem& fs);

}  // namespace catalogue
