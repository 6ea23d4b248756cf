#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "catalogue/table_view.h"

namespace search::ui {

// A result grid's model over a filtered view, lookup fields included: row N
// is the view's row N. Reading a cell moves the view's cursor there; the
// view belongs to the result window while it is open. The row count is
// read once: the view does not change while the window shows it.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        std::string field;
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    ResultsModel(catalogue::TableView& view, std::vector<Column> columns, QObject* parent = nullptr);

    // The album identifier (field ID) of row `row`.
    std::string idAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool standOn(int row) const;

    catalogue::TableView& view_;
    std::vector<Column> columns_;
    int rows_;
};

}  // namespace search::ui
