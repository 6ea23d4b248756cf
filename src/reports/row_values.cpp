#include "reports/row_values.h"

#include "xbase/xbase_error.h"

namespace reports {

RowValues::RowValues(const xbase::Cursor& cursor, const std::vector<std::string>& names)
    : cursor_(cursor), values_(names.size()), memos_(names.size())
{
    for (const std::string& name : names) {
        const int field = cursor.table().fieldIndex(name);
        if (field < 0)
            throw xbase::XbaseError("Field not found: " + name);
        fields_.push_back(field);
    }
}

void RowValues::read()
{
    const xbase::Table& table = cursor_.table();
    const std::uint8_t* record = table.record(cursor_.recno());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const xbase::Field& field = table.fields()[static_cast<std::size_t>(fields_[i])];
        if (field.type == 'M') {
            memos_[i] = table.memoText(record, fields_[i]);
            values_[i] = memos_[i];
        } else {
            values_[i] = trimmedRight({reinterpret_cast<const char*>(record) + field.offset, field.length});
        }
    }
}

std::string_view trimmedRight(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

}  // namespace reports
