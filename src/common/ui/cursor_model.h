#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "catalogue/table_view.h"

namespace common::ui {

// A grid's model over a table view: row N is the cursor's row N, read
// from the record without moving the cursor, so painting a screenful reads a
// screenful. The model does not hear of writes: refresh() after anything
// that changed the rows (order, filter, writes, moves of a master).
// A read that fails (a damaged file) blanks the grid until the next refresh,
// since every paint would fail again, and is told once by readFailed.
class CursorModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        std::string field;
        QString title;
        Qt::Alignment cellAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    CursorModel(std::vector<Column> columns, QObject* parent = nullptr);

    // The view shown; null (or a closed view) shows no rows.
    void setView(catalogue::TableView* view);
    catalogue::TableView* view() const { return view_; }
    // Whether the view is set and open.
    bool attached() const;
    const std::string& fieldOf(int column) const { return columns_.at(static_cast<std::size_t>(column)).field; }

    // Re-reads the row count; every cell and title is redrawn.
    void refresh();
    // A read failed since the last refresh; the grid shows blanks.
    bool failed() const { return failed_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The engine's message of the failed read.
    void readFailed(const QString& message);

protected:
    // The record in row `row`, or null past the rows.
    const std::uint8_t* recordAt(int row) const;
    // A field of that record as stored (trailing blanks kept).
    std::string fieldText(const std::uint8_t* record, std::string_view field) const;
    // Roles beyond the text and alignment.
    virtual QVariant cellStyle(int row, int column, int role) const;
    virtual QVariant titleStyle(int section, int role) const;

private:
    QVariant readData(const QModelIndex& index, int role) const;
    QVariant readHeader(int section, int role) const;
    int countRows();
    void fail(const std::exception& e) const;

    std::vector<Column> columns_;
    catalogue::TableView* view_ = nullptr;
    int rows_ = 0;
    mutable bool failed_ = false;
};

}  // namespace common::ui
