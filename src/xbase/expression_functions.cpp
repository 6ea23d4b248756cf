#include "xbase/expression_functions.h"

#include <algorithm>
#include <array>
#include <string>

#include "xbase/expression_text.h"
#include "xbase/xbase_error.h"

namespace xbase {

namespace {

using Type = Expression::Type;
using Op = ExpressionOp;
using NodePtr = std::unique_ptr<ExpressionNode>;

enum class Arg { Text, Number, Any };

struct FunctionSpec {
    std::string_view name;
    Op op;
    Type result;
    int minArgs;
    int maxArgs;
    std::array<Arg, 3> args;
};

constexpr std::array<FunctionSpec, 14> kFunctions = {{
    {"upper", Op::Upper, Type::Character, 1, 1, {Arg::Text}},
    {"lower", Op::Lower, Type::Character, 1, 1, {Arg::Text}},
    {"left", Op::Left, Type::Character, 2, 2, {Arg::Text, Arg::Number}},
    {"right", Op::Right, Type::Character, 2, 2, {Arg::Text, Arg::Number}},
    {"substr", Op::Substr, Type::Character, 2, 3, {Arg::Text, Arg::Number, Arg::Number}},
    {"trim", Op::RTrim, Type::Character, 1, 1, {Arg::Text}},
    {"rtrim", Op::RTrim, Type::Character, 1, 1, {Arg::Text}},
    {"ltrim", Op::LTrim, Type::Character, 1, 1, {Arg::Text}},
    {"alltrim", Op::AllTrim, Type::Character, 1, 1, {Arg::Text}},
    {"len", Op::Len, Type::Numeric, 1, 1, {Arg::Text}},
    {"empty", Op::Empty, Type::Logical, 1, 1, {Arg::Any}},
    {"val", Op::Val, Type::Numeric, 1, 1, {Arg::Text}},
    {"str", Op::Str, Type::Character, 1, 3, {Arg::Number, Arg::Number, Arg::Number}},
    {"contains", Op::Contains, Type::Logical, 2, 2, {Arg::Text, Arg::Text}},
}};

constexpr int kDefaultStrLength = 10;
constexpr int kMaxStrLength = 255;
constexpr int kMaxStrDecimals = 18;
constexpr int kLogicalWidth = 1;

bool sameName(std::string_view typed, std::string_view name)
{
    if (typed.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (asciiLower(typed[i]) != name[i])
            return false;
    }
    return true;
}

[[noreturn]] void fail(const std::string& what, int position)
{
    throw XbaseError(what + " at position " + std::to_string(position));
}

std::string argumentCount(const FunctionSpec& f)
{
    const auto plural = [](int n) { return std::to_string(n) + (n == 1 ? " argument" : " arguments"); };
    if (f.minArgs == f.maxArgs)
        return plural(f.minArgs);
    if (f.maxArgs == f.minArgs + 1)
        return std::to_string(f.minArgs) + " or " + plural(f.maxArgs);
    return std::to_string(f.minArgs) + " to " + plural(f.maxArgs);
}

bool isLiteral(const ExpressionNode& node)
{
    return node.op == Op::TextLiteral || node.op == Op::NumberLiteral || node.op == Op::LogicalLiteral;
}

// A fixed count given by a literal argument, or -1 when it varies.
int literalCount(const NodePtr& arg)
{
    return arg->op == Op::NumberLiteral ? toCount(arg->number) : -1;
}

int resultWidth(Op op, const std::vector<NodePtr>& args)
{
    const int argWidth = args.empty() ? 0 : args[0]->width;
    switch (op) {
        case Op::Left:
        case Op::Right: {
            const int n = literalCount(args[1]);
            return n >= 0 ? n : argWidth;
        }
        case Op::Substr: {
            if (args.size() > 2) {
                const int n = literalCount(args[2]);
                return n >= 0 ? n : argWidth;
            }
            const int start = literalCount(args[1]);
            if (start < 0 || argWidth == ExpressionNode::kVariableWidth)
                return argWidth;
            return std::max(argWidth - std::max(start, 1) + 1, 0);
        }
        case Op::Str: return args.size() > 1 ? literalCount(args[1]) : kDefaultStrLength;
        case Op::Len:
        case Op::Val: return kDefaultStrLength;
        case Op::Empty:
        case Op::Contains: return kLogicalWidth;
        default: return argWidth;  // upper, lower and the trims keep the width
    }
}

void checkStrArguments(const std::vector<NodePtr>& args, int position)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i]->op != Op::NumberLiteral)
            fail("str() needs constant length and decimals", args[i]->position);
    }
    const int length = args.size() > 1 ? toCount(args[1]->number) : kDefaultStrLength;
    const int decimals = args.size() > 2 ? toCount(args[2]->number) : 0;
    if (length < 1 || length > kMaxStrLength || decimals > kMaxStrDecimals) {
        fail("str() needs a length of 1 to " + std::to_string(kMaxStrLength) + " and at most " +
                 std::to_string(kMaxStrDecimals) + " decimals",
             position);
    }
}

}  // namespace

const char* typeName(Type type)
{
    switch (type) {
        case Type::Character: return "text";
        case Type::Numeric: return "number";
        case Type::Logical: return "logical";
    }
    return "";
}

NodePtr makeFunctionCall(std::string_view name, int position, std::vector<NodePtr> args)
{
    const auto spec = std::find_if(kFunctions.begin(), kFunctions.end(),
                                   [&](const FunctionSpec& f) { return sameName(name, f.name); });
    if (spec == kFunctions.end())
        fail("Unknown function '" + std::string(name) + "'", position);
    const int count = static_cast<int>(args.size());
    if (count < spec->minArgs || count > spec->maxArgs) {
        fail(std::string(spec->name) + "() takes " + argumentCount(*spec) + ", not " + std::to_string(count), position);
    }
    for (int i = 0; i < count; ++i) {
        const Arg want = spec->args[static_cast<std::size_t>(i)];
        const Type got = args[static_cast<std::size_t>(i)]->type;
        if (want == Arg::Any || got == (want == Arg::Text ? Type::Character : Type::Numeric))
            continue;
        fail("Type mismatch: argument " + std::to_string(i + 1) + " of " + std::string(spec->name) + "() must be " +
                 (want == Arg::Text ? "text" : "a number") + ", not " + typeName(got),
             args[static_cast<std::size_t>(i)]->position);
    }
    if (spec->op == Op::Str)
        checkStrArguments(args, position);

    auto node = std::make_unique<ExpressionNode>();
    node->op = spec->op;
    node->type = spec->result;
    node->position = position;
    node->width = resultWidth(spec->op, args);
    node->args = std::move(args);
    if (node->op == Op::Contains) {
        node->matcher = std::make_unique<ContainsMatcher>();
        node->constantPattern = node->args[1]->op == Op::TextLiteral;
        if (node->constantPattern)
            node->matcher->setPattern(node->args[1]->text);
    }
    return node;
}

NodePtr foldConstant(NodePtr node)
{
    if (node->args.empty() || isLiteral(*node))
        return node;
    for (const NodePtr& arg : node->args) {
        if (!isLiteral(*arg))
            return node;
    }
    auto literal = std::make_unique<ExpressionNode>();
    literal->type = node->type;
    literal->width = node->width;
    literal->position = node->position;
    switch (node->type) {
        case Type::Character:
            literal->op = Op::TextLiteral;
            literal->text = std::string(evaluateTextNode(*node, nullptr));
            break;
        case Type::Numeric:
            literal->op = Op::NumberLiteral;
            literal->number = evaluateNumberNode(*node, nullptr);
            break;
        case Type::Logical:
            literal->op = Op::LogicalLiteral;
            literal->logical = evaluateLogicalNode(*node, nullptr);
            break;
    }
    return literal;
}

}  // namespace xbase
