#include "search/ui/results_model.h"

#include <exception>

#include "common/ansi_text.h"
#include "xbase/contains_matcher.h"

namespace search::ui {

namespace {

// The first line of `notes` where the search's matching rule finds `text`,
// trimmed; empty when the text only spans lines.
std::string lineHolding(const std::string& notes, std::string_view text)
{
    xbase::ContainsMatcher matcher;
    matcher.setPattern(text);
    std::size_t begin = 0;
    while (begin <= notes.size()) {
        std::size_t end = notes.find('\n', begin);
        if (end == std::string::npos)
            end = notes.size();
        std::string_view line(notes.data() + begin, end - begin);
        if (matcher.matches(line)) {
            const std::size_t first = line.find_first_not_of(" \t\r");
            return first == std::string_view::npos
                       ? std::string()
                       : std::string(line.substr(first, line.find_last_not_of(" \t\r") - first + 1));
        }
        begin = end + 1;
    }
    return {};
}

}  // namespace

ResultsModel::ResultsModel(const SearchHits& hits, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), view_(hits.view), field_(hits.field), text_(hits.text),
      columns_(std::move(columns)), rows_(hits.view.isOpen() ? static_cast<int>(hits.view->count()) : 0)
{
}

bool ResultsModel::standOn(int row) const
{
    return row >= 0 && row < rows_ && view_.isOpen() && view_->goToRow(static_cast<std::uint32_t>(row));
}

ResultsModel::Hit ResultsModel::hitAt(int row) const
{
    if (!standOn(row))
        return {};
    Hit hit{view_->field("ID"), {}, {}};
    if (field_ == SearchField::Track || field_ == SearchField::Artist)
        hit.track = view_->fieldTrimmed("NR");
    if (field_ == SearchField::Notes)
        hit.notesLine = notesLine();
    return hit;
}

QString ResultsModel::notesLine() const { return common::fromAnsi(lineHolding(view_->memo("NOTES"), text_)); }

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
    const bool tip = role == Qt::ToolTipRole && field_ == SearchField::Notes;
    if (role != Qt::DisplayRole && !tip)
        return {};
    // Painting must not throw; a row that cannot be read shows blank.
    try {
        if (!standOn(index.row()))
            return {};
        return tip ? notesLine() : common::fromAnsi(view_->fieldTrimmed(column.field));
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
