#include "common/ui/cursor_model.h"

#include <QColor>

#include "common/ansi_text.h"
#include "common/ui/named_colours.h"

namespace common::ui {

CursorModel::CursorModel(std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns))
{
}

void CursorModel::setView(catalogue::TableView* view)
{
    beginResetModel();
    view_ = view;
    rows_ = countRows();
    endResetModel();
}

bool CursorModel::attached() const { return view_ && view_->isOpen(); }

int CursorModel::countRows()
{
    failed_ = false;
    try {
        return attached() ? static_cast<int>(view_->cursor().count()) : 0;
    } catch (const std::exception& e) {
        fail(e);
    }
    return 0;
}

void CursorModel::fail(const std::exception& e) const
{
    if (failed_)
        return;
    failed_ = true;
    // Reads happen in const calls (painting); telling of one changes nothing
    // the view sees.
    emit const_cast<CursorModel*>(this)->readFailed(fromMessage(e.what()));
}

void CursorModel::refresh()
{
    const int rows = countRows();
    if (rows != rows_) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    } else if (rows_ > 0) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
    }
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int CursorModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int CursorModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const std::uint8_t* CursorModel::recordAt(int row) const
{
    if (!attached() || row < 0 || row >= rows_)
        return nullptr;
    xbase::Cursor& cursor = view_->cursor();
    if (static_cast<std::uint32_t>(row) >= cursor.count())
        return nullptr;
    return cursor.table().record(cursor.recnoAtRow(static_cast<std::uint32_t>(row)));
}

std::string CursorModel::fieldText(const std::uint8_t* record, std::string_view field) const
{
    xbase::Table& table = view_->cursor().table();
    return table.fieldText(record, table.fieldIndex(field));
}

QVariant CursorModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || failed_)
        return {};
    try {
        return readData(index, role);
    } catch (const std::exception& e) {
        fail(e);
    }
    return {};
}

QVariant CursorModel::readData(const QModelIndex& index, int role) const
{
    const Column& column = columns_.at(static_cast<std::size_t>(index.column()));
    switch (role) {
    case Qt::DisplayRole: {
        const std::uint8_t* record = recordAt(index.row());
        if (!record)
            return {};
        std::string text = fieldText(record, column.field);
        text.erase(text.find_last_not_of(' ') + 1);
        return fromAnsi(text);
    }
    case Qt::TextAlignmentRole:
        return static_cast<int>(column.cellAlignment);
    default:
        return cellStyle(index.row(), index.column(), role);
    }
}

QVariant CursorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    try {
        return readHeader(section, role);
    } catch (const std::exception& e) {
        fail(e);
    }
    return {};
}

QVariant CursorModel::readHeader(int section, int role) const
{
    const Column& column = columns_[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole:
        return column.title;
    case Qt::TextAlignmentRole:
        return static_cast<int>(column.titleAlignment);
    case Qt::ForegroundRole:
        return QColor(colour::kNavy);
    default:
        return titleStyle(section, role);
    }
}

QVariant CursorModel::cellStyle(int, int, int) const { return {}; }

QVariant CursorModel::titleStyle(int, int) const { return {}; }

}  // namespace common::ui
