#pragma once

#include <string>
#include <vector>

#include <QAbstractTableModel>

#include "catalogue/table_view.h"
#include "search/quick_search.h"

namespace search::ui {

// A result grid's model over a search's filtered view, lookup fields
// included: row N is the view's row N. Reading a cell moves the view's
// cursor there; the view belongs to the result window while it is open. The
// row count is read once: the view does not change while the window shows
// it. A notes hit's tooltip is the notes line that holds the text.
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        std::string field;
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    };

    // What going to a row needs.
    struct Hit {
        std::string albumId;
        // NR of a track hit or of an artist's track on a multi-artist
        // album, trimmed; empty for a whole album.
        std::string track;
        // The notes line that holds the text, for a notes hit.
        QString notesLine;
    };

    ResultsModel(const SearchHits& hits, std::vector<Column> columns, QObject* parent = nullptr);

    // Throws xbase::XbaseError when the row cannot be read.
    Hit hitAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool standOn(int row) const;
    // Of the row stood on.
    QString notesLine() const;

    catalogue::TableView& view_;
    SearchField field_;
    std::string text_;
    std::vector<Column> columns_;
    int rows_;
};

}  // namespace search::ui
