#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "xbase/expression_node.h"

namespace xbase {

// Builds the node for a call of the function `name` (case ignored) written
// at `position`, checking the number and types of its arguments and fixing
// the width of its result. Throws XbaseError saying what is wrong and where.
std::unique_ptr<ExpressionNode> makeFunctionCall(std::string_view name, int position,
                                                 std::vector<std::unique_ptr<ExpressionNode>> args);

// Replaces a node whose arguments are all literals by the literal of its
// value, so constant parts (a contains() pattern, a str() length) are
// worked out once.
std::unique_ptr<ExpressionNode> foldConstant(std::unique_ptr<ExpressionNode> node);

// "text", "number" or "logical", for messages.
const char* typeName(Expression::Type type);

}  // namespace xbase
