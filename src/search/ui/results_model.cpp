#include "search/ui/results_model.h"

#include <exception>

#include "common/ansi_text.h"

namespace search::ui {

ResultsModel::ResultsModel(catalogue::TableView& view, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), view_(view), columns_(std::move(columns)),
      rows_(view.isOpen() ? static_cast<int>(view->count()) : 0)
{
}

bool ResultsModel::standOn(int row) const
{
    return row >= 0 && row < rows_ && view_.isOpen() && view_->goToRow(static_cast<std::uint32_t>(row));
}

std::string ResultsModel::idAt(int row) const { return standOn(row) ? view_->field("ID") : std::string(); }

int ResultsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Column& column = columns_.at(static_cast<std::size_t>(index.column()));
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(column.alignment);
    if (role != Qt::DisplayRole)
        return {};
    // Painting must not throw; a row that cannot be read shows blank.
    try {
        return standOn(index.row()) ? common::fromAnsi(view_->fieldTrimmed(column.field)) : QVariant();
    } catch (const std::exception&) {
        return {};
    }
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount() || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columns_[static_cast<std::size_t>(section)].title;
}

}  // namespace search::ui
