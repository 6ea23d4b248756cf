#include <algorithm>
#include <cmath>
#include <cstring>

#include "xbase/byte_order.h"
#include "xbase/expression_node.h"
#include "xbase/expression_text.h"

namespace xbase {

namespace {

using Op = ExpressionOp;

std::string_view fieldBytes(const ExpressionNode& node, const std::uint8_t* record)
{
    return {reinterpret_cast<const char*>(record) + node.offset, node.length};
}

bool isBlankText(std::string_view text)
{
    for (char c : text) {
        if (c != ' ')
            return false;
    }
    return true;
}

std::string_view trimRight(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    return text.substr(0, end);
}

std::string_view trimLeft(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && text[begin] == ' ')
        ++begin;
    return text.substr(begin);
}

std::string_view substring(const ExpressionNode& node, const std::uint8_t* record)
{
    const std::string_view text = evaluateTextNode(*node.args[0], record);
    double start = evaluateNumberNode(*node.args[1], record);
    if (start < 1)
        start = 1;
    const std::size_t from = static_cast<std::size_t>(toCount(start)) - 1;
    if (from >= text.size())
        return {};
    std::size_t count = text.size() - from;
    if (node.args.size() > 2) {
        count = std::min(count, static_cast<std::size_t>(toCount(evaluateNumberNode(*node.args[2], record))));
    }
    return text.substr(from, count);
}

bool holds(Relation relation, int order)
{
    switch (relation) {
        case Relation::Equal:
        case Relation::Exact: return order == 0;
        case Relation::NotEqual: return order != 0;
        case Relation::Less: return order < 0;
        case Relation::LessEqual: return order <= 0;
        case Relation::Greater: return order > 0;
        case Relation::GreaterEqual: return order >= 0;
    }
    return false;
}

bool compareText(const ExpressionNode& node, const std::uint8_t* record)
{
    const std::string_view a = evaluateTextNode(*node.args[0], record);
    const std::string_view b = evaluateTextNode(*node.args[1], record);
    if (node.relation == Relation::Equal) {
        // The common filter case (genre="rock") without a general compare.
        if (a.size() == b.size())
            return std::memcmp(a.data(), b.data(), a.size()) == 0;
        return comparePadded(a, b) == 0;
    }
    if (node.relation == Relation::Exact)
        return a == b;
    return holds(node.relation, comparePadded(a, b));
}

bool compareNumber(const ExpressionNode& node, const std::uint8_t* record)
{
    const double a = evaluateNumberNode(*node.args[0], record);
    const double b = evaluateNumberNode(*node.args[1], record);
    return holds(node.relation, a < b ? -1 : (a > b ? 1 : 0));
}

bool contains(const ExpressionNode& node, const std::uint8_t* record)
{
    const std::string_view text = evaluateTextNode(*node.args[0], record);
    if (!node.constantPattern)
        node.matcher->setPattern(evaluateTextNode(*node.args[1], record));
    return node.matcher->matches(text);
}

bool isEmpty(const ExpressionNode& arg, const std::uint8_t* record)
{
    switch (arg.type) {
        case Expression::Type::Character: return isBlankText(evaluateTextNode(arg, record));
        case Expression::Type::Numeric: return evaluateNumberNode(arg, record) == 0;
        case Expression::Type::Logical: return !evaluateLogicalNode(arg, record);
    }
    return false;
}

}  // namespace

void appendTextNode(const ExpressionNode& node, const std::uint8_t* record, std::string& out)
{
    switch (node.op) {
        case Op::CharField: out.append(fieldBytes(node, record)); return;
        case Op::Concat:
            for (const auto& part : node.args)
                appendTextNode(*part, record, out);
            return;
        case Op::Upper: {
            const std::size_t from = out.size();
            appendTextNode(*node.args[0], record, out);
            asciiUpperInPlace(out.data() + from, out.size() - from);
            return;
        }
        default: out.append(evaluateTextNode(node, record));
    }
}

std::string_view evaluateTextNode(const ExpressionNode& node, const std::uint8_t* record)
{
    switch (node.op) {
        case Op::CharField: return fieldBytes(node, record);
        case Op::MemoField: node.scratch = node.layout->memoText(record, node.field); return node.scratch;
        case Op::TextLiteral: return node.text;
        case Op::Concat:
            node.scratch.clear();
            for (const auto& part : node.args)
                node.scratch.append(evaluateTextNode(*part, record));
            return node.scratch;
        case Op::Upper: asciiUpperInto(evaluateTextNode(*node.args[0], record), node.scratch); return node.scratch;
        case Op::Lower: asciiLowerInto(evaluateTextNode(*node.args[0], record), node.scratch); return node.scratch;
        case Op::Left: {
            const std::string_view text = evaluateTextNode(*node.args[0], record);
            return text.substr(0, static_cast<std::size_t>(toCount(evaluateNumberNode(*node.args[1], record))));
        }
        case Op::Right: {
            const std::string_view text = evaluateTextNode(*node.args[0], record);
            const auto n = static_cast<std::size_t>(toCount(evaluateNumberNode(*node.args[1], record)));
            return n >= text.size() ? text : text.substr(text.size() - n);
        }
        case Op::Substr: return substring(node, record);
        case Op::RTrim: return trimRight(evaluateTextNode(*node.args[0], record));
        case Op::LTrim: return trimLeft(evaluateTextNode(*node.args[0], record));
        case Op::AllTrim: return trimLeft(trimRight(evaluateTextNode(*node.args[0], record)));
        case Op::Str: {
            const double value = evaluateNumberNode(*node.args[0], record);
            const int decimals = node.args.size() > 2 ? toCount(node.args[2]->number) : 0;
            formatFixed(value, node.width, decimals, node.scratch);
            return node.scratch;
        }
        default: return {};
    }
}

double evaluateNumberNode(const ExpressionNode& node, const std::uint8_t* record)
{
    switch (node.op) {
        case Op::NumericField: return parseNumber(fieldBytes(node, record));
        case Op::IntegerField: return static_cast<std::int32_t>(readLe32(record + node.offset));
        case Op::NumberLiteral: return node.number;
        case Op::Add: return evaluateNumberNode(*node.args[0], record) + evaluateNumberNode(*node.args[1], record);
        case Op::Subtract: return evaluateNumberNode(*node.args[0], record) - evaluateNumberNode(*node.args[1], record);
        case Op::Multiply: return evaluateNumberNode(*node.args[0], record) * evaluateNumberNode(*node.args[1], record);
        case Op::Divide: return evaluateNumberNode(*node.args[0], record) / evaluateNumberNode(*node.args[1], record);
        case Op::Negate: return -evaluateNumberNode(*node.args[0], record);
        case Op::Len: return static_cast<double>(evaluateTextNode(*node.args[0], record).size());
        case Op::Val: return parseNumber(evaluateTextNode(*node.args[0], record));
        default: return 0;
    }
}

bool evaluateLogicalNode(const ExpressionNode& node, const std::uint8_t* record)
{
    switch (node.op) {
        case Op::LogicalField: {
            const std::uint8_t c = record[node.offset];
            return c == 'T' || c == 't' || c == 'Y' || c == 'y';
        }
        case Op::LogicalLiteral: return node.logical;
        case Op::And: return evaluateLogicalNode(*node.args[0], record) && evaluateLogicalNode(*node.args[1], record);
        case Op::Or: return evaluateLogicalNode(*node.args[0], record) || evaluateLogicalNode(*node.args[1], record);
        case Op::Not: return !evaluateLogicalNode(*node.args[0], record);
        case Op::CompareText: return compareText(node, record);
        case Op::CompareNumber: return compareNumber(node, record);
        case Op::FieldMatch: {
            const bool same = std::memcmp(record + node.offset, node.text.data(), node.length) == 0;
            return same == (node.relation == Relation::Equal);
        }
        case Op::CompareLogical: {
            const bool a = evaluateLogicalNode(*node.args[0], record);
            return holds(node.relation, a == evaluateLogicalNode(*node.args[1], record) ? 0 : 1);
        }
        case Op::Occurs: {
            const std::string_view needle = evaluateTextNode(*node.args[0], record);
            return evaluateTextNode(*node.args[1], record).find(needle) != std::string_view::npos;
        }
        case Op::Contains: return contains(node, record);
        case Op::Empty: return isEmpty(*node.args[0], record);
        default: return false;
    }
}

}  // namespace xbase
