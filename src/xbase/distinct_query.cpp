#include "xbase/distinct_query.h"

#include <algorithm>
#include <unordered_set>

#include "xbase/expression.h"

namespace xbase {

std::vector<std::string> distinctValues(const Table& table, std::string_view valueExpression,
                                        std::string_view orderExpression)
{
    Expression value = Expression::compile(valueExpression, table);
    Expression order = Expression::compile(orderExpression, table);
    std::unordered_set<std::string> seen;
    std::vector<std::pair<std::string, std::string>> rows;  // (order key, value)
    for (std::uint32_t r = 1; r <= table.recordCount(); ++r) {
        if (table.isDeleted(r))
            continue;
        const std::uint8_t* rec = table.record(r);
        std::string v = value.evaluateText(rec);
        if (seen.insert(v).second)
            rows.emplace_back(order.evaluateText(rec), std::move(v));
    }
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> out;
    out.reserve(rows.size());
    for (auto& row : rows)
        out.push_back(std::move(row.second));
    return out;
}

}  // namespace xbase
