#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "xbase/table.h"

namespace xbase {

// Distinct values of `valueExpression` over the live records, ordered by
// `orderExpression` evaluated on the record where each value first occurs
// (ties by value). Serves "select distinct X from T order by Y". Values keep
// their full width (trailing blanks included). Throws XbaseError on an
// invalid expression.
std::vector<std::string> distinctValues(const Table& table, std::string_view valueExpression,
                                        std::string_view orderExpression);

}  // namespace xbase
