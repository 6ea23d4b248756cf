#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xbase/contains_matcher.h"
#include "xbase/expression.h"

namespace xbase {

enum class ExpressionOp : std::uint8_t {
    // Character results
    CharField,
    MemoField,
    TextLiteral,
    Concat,  // all its args joined: a chain a+b+c is one node
    Upper,
    Lower,
    Left,
    Right,
    Substr,
    RTrim,
    LTrim,
    AllTrim,
    Str,
    // Numeric results
    NumericField,
    IntegerField,
    NumberLiteral,
    Add,
    Subtract,
    Multiply,
    Divide,
    Negate,
    Len,
    Val,
    // Logical results
    LogicalField,
    LogicalLiteral,
    And,
    Or,
    Not,
    CompareText,
    CompareNumber,
    CompareLogical,
    FieldMatch,  // character field = or <> a literal: `text` is the literal padded to the field
    Occurs,
    Contains,
    Empty,
};

// Exact is "==" on text: no blank padding.
enum class Relation : std::uint8_t { Equal, Exact, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// One node of a compiled expression tree, typed and checked when built.
// Text results are views into the record, into a child's result or into
// this node's scratch buffer, valid until the node is evaluated again.
struct ExpressionNode {
    // Width of a Character result that has none fixed (it holds a memo).
    static constexpr int kVariableWidth = -1;

    ExpressionOp op = ExpressionOp::TextLiteral;
    Expression::Type type = Expression::Type::Character;
    Relation relation = Relation::Equal;
    int width = 0;
    int height = 1;            // levels of the tree from this node down
    int position = 0;          // 1-based, for messages
    std::uint32_t offset = 0;  // field bytes in the record
    std::uint32_t length = 0;
    int field = -1;
    const RecordLayout* layout = nullptr;  // memo fields read through it
    double number = 0;
    bool logical = false;
    std::string text;  // literal value
    std::vector<std::unique_ptr<ExpressionNode>> args;
    std::unique_ptr<ContainsMatcher> matcher;  // contains(): prepared pattern
    bool constantPattern = false;
    mutable std::string scratch;
};

// Evaluation. Requires: the node has the matching type; `record` is a full
// record of the node's layout (may be null for nodes without fields).
std::string_view evaluateTextNode(const ExpressionNode& node, const std::uint8_t* record);
// Appends the node's text to `out`: concatenations and upper() go straight
// into it, without the nodes' scratch copies (index keys, record by record).
void appendTextNode(const ExpressionNode& node, const std::uint8_t* record, std::string& out);
double evaluateNumberNode(const ExpressionNode& node, const std::uint8_t* record);
bool evaluateLogicalNode(const ExpressionNode& node, const std::uint8_t* record);

}  // namespace xbase
