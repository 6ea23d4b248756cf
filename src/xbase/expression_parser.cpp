#include "xbase/expression_parser.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "xbase/expression_functions.h"
#include "xbase/expression_text.h"
#include "xbase/xbase_error.h"

namespace xbase {

namespace {

using Type = Expression::Type;
using Op = ExpressionOp;

// Deeper nesting than any real expression is refused before the stack
// could run out.
constexpr int kMaxDepth = 200;
// Evaluation recurses once per level of the tree, and a chain of operators
// (a*b*c..., x .AND. y .AND. z ...) is as deep as it is long.
constexpr int kMaxHeight = 1000;
constexpr int kNumberWidth = 10;
constexpr int kLogicalWidth = 1;
constexpr std::uint32_t kIntegerFieldLength = 4;

[[noreturn]] void fail(const std::string& what, int position)
{
    throw XbaseError(what + " at position " + std::to_string(position));
}

std::unique_ptr<ExpressionNode> makeNode(Op op, Type type, int position, int width)
{
    auto node = std::make_unique<ExpressionNode>();
    node->op = op;
    node->type = type;
    node->position = position;
    node->width = width;
    return node;
}

// The common filter forms (genre="rock", ID="x", Label<>"") become one
// memcmp of the field bytes against the literal padded to the field width.
std::unique_ptr<ExpressionNode> makeFieldMatch(const ExpressionNode& compare)
{
    const ExpressionNode* field = compare.args[0].get();
    const ExpressionNode* literal = compare.args[1].get();
    if (field->op != Op::CharField)
        std::swap(field, literal);
    if (field->op != Op::CharField || literal->op != Op::TextLiteral)
        return nullptr;
    auto node = makeNode(Op::FieldMatch, Type::Logical, compare.position, compare.width);
    node->relation = compare.relation;
    if (literal->text.size() > field->length &&
        literal->text.find_first_not_of(' ', field->length) != std::string::npos) {
        node->op = Op::LogicalLiteral;  // longer than the field: never equal
        node->logical = compare.relation == Relation::NotEqual;
        return node;
    }
    node->offset = field->offset;
    node->length = field->length;
    node->text = literal->text;
    node->text.resize(field->length, ' ');
    return node;
}

// Capped like counts, so a long chain cannot overflow or ask for keys of
// gigabytes.
int sumWidths(int a, int b)
{
    if (a == ExpressionNode::kVariableWidth || b == ExpressionNode::kVariableWidth) {
        return ExpressionNode::kVariableWidth;
    }
    return static_cast<int>(std::min<std::int64_t>(std::int64_t(a) + b, kMaxCount));
}

// Puts `arg` below `node`, keeping the node's height.
void addArg(ExpressionNode& node, std::unique_ptr<ExpressionNode> arg)
{
    node.height = std::max(node.height, arg->height + 1);
    node.args.push_back(std::move(arg));
}

// Refuses a tree too deep to evaluate, then folds constants.
std::unique_ptr<ExpressionNode> finish(std::unique_ptr<ExpressionNode> node, int position)
{
    if (node->height > kMaxHeight)
        fail("Expression nested too deeply", position);
    return foldConstant(std::move(node));
}

}  // namespace

ExpressionParser::ExpressionParser(std::string_view text, const RecordLayout& layout) : text_(text), layout_(layout)
{
}

std::unique_ptr<ExpressionNode> ExpressionParser::parse()
{
    tokens_ = tokenizeExpression(text_);
    next_ = 0;
    if (peek().kind == Kind::End)
        throw XbaseError("Empty expression");
    NodePtr root = parseOr();
    if (peek().kind != Kind::End)
        unexpected(peek());
    return root;
}

void ExpressionParser::unexpected(const ExpressionToken& token) const
{
    switch (token.kind) {
        case Kind::End: fail("Unexpected end of expression", token.position);
        case Kind::RightParen: fail("Unexpected closing parenthesis", token.position);
        case Kind::String: fail("Unexpected string", token.position);
        default: fail("Unexpected '" + std::string(token.text) + "'", token.position);
    }
}

ExpressionParser::NodePtr ExpressionParser::parseOr()
{
    NodePtr left = parseAnd();
    while (peek().kind == Kind::Or) {
        const ExpressionToken& op = advance();
        left = makeLogical(Kind::Or, op, std::move(left), parseAnd());
    }
    return left;
}

ExpressionParser::NodePtr ExpressionParser::parseAnd()
{
    NodePtr left = parseNot();
    while (peek().kind == Kind::And) {
        const ExpressionToken& op = advance();
        left = makeLogical(Kind::And, op, std::move(left), parseNot());
    }
    return left;
}

ExpressionParser::NodePtr ExpressionParser::parseNot()
{
    if (peek().kind != Kind::Not)
        return parseRelation();
    const ExpressionToken& op = advance();
    if (++depth_ > kMaxDepth)
        fail("Expression nested too deeply", op.position);
    NodePtr operand = parseNot();
    --depth_;
    return makeLogical(Kind::Not, op, std::move(operand), nullptr);
}

ExpressionParser::NodePtr ExpressionParser::parseRelation()
{
    NodePtr left = parseAdditive();
    for (;;) {
        switch (peek().kind) {
            case Kind::Equal:
            case Kind::ExactEqual:
            case Kind::NotEqual:
            case Kind::Less:
            case Kind::LessEqual:
            case Kind::Greater:
            case Kind::GreaterEqual:
            case Kind::Dollar: {
                const ExpressionToken& op = advance();
                left = makeComparison(op, std::move(left), parseAdditive());
                break;
            }
            default: return left;
        }
    }
}

ExpressionParser::NodePtr ExpressionParser::parseAdditive()
{
    NodePtr left = parseTerm();
    while (peek().kind == Kind::Plus || peek().kind == Kind::Minus) {
        const ExpressionToken& op = advance();
        left = makeArithmetic(op, std::move(left), parseTerm());
    }
    return left;
}

ExpressionParser::NodePtr ExpressionParser::parseTerm()
{
    NodePtr left = parseUnary();
    while (peek().kind == Kind::Star || peek().kind == Kind::Slash) {
        const ExpressionToken& op = advance();
        left = makeArithmetic(op, std::move(left), parseUnary());
    }
    return left;
}

ExpressionParser::NodePtr ExpressionParser::parseUnary()
{
    if (peek().kind != Kind::Minus && peek().kind != Kind::Plus)
        return parsePrimary();
    const ExpressionToken& op = advance();
    if (++depth_ > kMaxDepth)
        fail("Expression nested too deeply", op.position);
    NodePtr operand = parseUnary();
    --depth_;
    if (operand->type != Type::Numeric) {
        fail("Type mismatch: '" + std::string(op.text) + "' needs a number, not " + typeName(operand->type),
             op.position);
    }
    if (op.kind == Kind::Plus)
        return operand;
    NodePtr node = makeNode(Op::Negate, Type::Numeric, op.position, kNumberWidth);
    addArg(*node, std::move(operand));
    return finish(std::move(node), op.position);
}

ExpressionParser::NodePtr ExpressionParser::parsePrimary()
{
    const ExpressionToken& token = advance();
    switch (token.kind) {
        case Kind::Number: {
            NodePtr node = makeNode(Op::NumberLiteral, Type::Numeric, token.position, kNumberWidth);
            node->number = parseNumber(token.text);
            return node;
        }
        case Kind::String: {
            NodePtr node =
                makeNode(Op::TextLiteral, Type::Character, token.position, static_cast<int>(token.text.size()));
            node->text = std::string(token.text);
            return node;
        }
        case Kind::True:
        case Kind::False: {
            NodePtr node = makeNode(Op::LogicalLiteral, Type::Logical, token.position, kLogicalWidth);
            node->logical = token.kind == Kind::True;
            return node;
        }
        case Kind::Identifier: return peek().kind == Kind::LeftParen ? parseCall(token) : parseField(token);
        case Kind::LeftParen: {
            if (++depth_ > kMaxDepth)
                fail("Expression nested too deeply", token.position);
            NodePtr inner = parseOr();
            --depth_;
            if (peek().kind != Kind::RightParen)
                fail("Missing closing parenthesis", peek().position);
            advance();
            return inner;
        }
        default: unexpected(token);
    }
}

ExpressionParser::NodePtr ExpressionParser::parseField(const ExpressionToken& name)
{
    const int index = layout_.fieldIndex(name.text);
    if (index < 0)
        fail("Unknown field '" + std::string(name.text) + "'", name.position);
    const Field& field = layout_.fields()[static_cast<std::size_t>(index)];
    NodePtr node;
    switch (field.type) {
        case 'C':
        case 'D': node = makeNode(Op::CharField, Type::Character, name.position, field.length); break;
        case 'M': node = makeNode(Op::MemoField, Type::Character, name.position, ExpressionNode::kVariableWidth); break;
        case 'N':
        case 'F': node = makeNode(Op::NumericField, Type::Numeric, name.position, field.length); break;
        case 'I':
            if (field.length == kIntegerFieldLength)
                node = makeNode(Op::IntegerField, Type::Numeric, name.position, kNumberWidth);
            break;
        case 'L':
            if (field.length > 0)
                node = makeNode(Op::LogicalField, Type::Logical, name.position, kLogicalWidth);
            break;
        default: break;
    }
    if (!node) {
        fail("Field '" + field.name + "' of type '" + std::string(1, field.type) + "' cannot be used in an expression",
             name.position);
    }
    node->field = index;
    node->offset = field.offset;
    node->length = field.length;
    node->layout = &layout_;
    return node;
}

ExpressionParser::NodePtr ExpressionParser::parseCall(const ExpressionToken& name)
{
    const ExpressionToken& open = advance();
    if (++depth_ > kMaxDepth)
        fail("Expression nested too deeply", open.position);
    std::vector<NodePtr> args;
    if (peek().kind != Kind::RightParen) {
        args.push_back(parseOr());
        while (peek().kind == Kind::Comma) {
            advance();
            args.push_back(parseOr());
        }
    }
    --depth_;
    if (peek().kind != Kind::RightParen)
        fail("Missing closing parenthesis", peek().position);
    advance();
    int height = 0;
    for (const NodePtr& arg : args)
        height = std::max(height, arg->height);
    NodePtr node = makeFunctionCall(name.text, name.position, std::move(args));
    node->height = height + 1;
    return finish(std::move(node), name.position);
}

ExpressionParser::NodePtr ExpressionParser::makeLogical(Kind op, const ExpressionToken& token, NodePtr a, NodePtr b)
{
    const char* name = op == Kind::And ? ".AND." : (op == Kind::Or ? ".OR." : ".NOT.");
    if (a->type != Type::Logical || (b && b->type != Type::Logical)) {
        fail(std::string("Type mismatch: ") + name + (b ? " needs logical operands" : " needs a logical operand"),
             token.position);
    }
    const Op nodeOp = op == Kind::And ? Op::And : (op == Kind::Or ? Op::Or : Op::Not);
    NodePtr node = makeNode(nodeOp, Type::Logical, b ? a->position : token.position, kLogicalWidth);
    addArg(*node, std::move(a));
    if (b)
        addArg(*node, std::move(b));
    return finish(std::move(node), token.position);
}

ExpressionParser::NodePtr ExpressionParser::makeComparison(const ExpressionToken& token, NodePtr a, NodePtr b)
{
    const std::string opText(token.text);
    if (token.kind == Kind::Dollar) {
        if (a->type != Type::Character || b->type != Type::Character) {
            fail("Type mismatch: '$' needs text on both sides", token.position);
        }
    } else if (a->type != b->type) {
        fail(std::string("Type mismatch: cannot compare ") + typeName(a->type) + " with " + typeName(b->type),
             token.position);
    }
    Relation relation = Relation::Equal;
    switch (token.kind) {
        case Kind::ExactEqual: relation = Relation::Exact; break;
        case Kind::NotEqual: relation = Relation::NotEqual; break;
        case Kind::Less: relation = Relation::Less; break;
        case Kind::LessEqual: relation = Relation::LessEqual; break;
        case Kind::Greater: relation = Relation::Greater; break;
        case Kind::GreaterEqual: relation = Relation::GreaterEqual; break;
        default: break;
    }
    Op op = Op::Occurs;
    if (token.kind != Kind::Dollar) {
        switch (a->type) {
            case Type::Character: op = Op::CompareText; break;
            case Type::Numeric: op = Op::CompareNumber; break;
            case Type::Logical:
                op = Op::CompareLogical;
                if (relation != Relation::Equal && relation != Relation::Exact && relation != Relation::NotEqual) {
                    fail("Type mismatch: logical values cannot be compared with '" + opText + "'", token.position);
                }
                break;
        }
    }
    NodePtr node = makeNode(op, Type::Logical, a->position, kLogicalWidth);
    node->relation = relation;
    addArg(*node, std::move(a));
    addArg(*node, std::move(b));
    if (op == Op::CompareText && (relation == Relation::Equal || relation == Relation::NotEqual)) {
        if (NodePtr match = makeFieldMatch(*node))
            return match;
    }
    return finish(std::move(node), token.position);
}

ExpressionParser::NodePtr ExpressionParser::makeArithmetic(const ExpressionToken& token, NodePtr a, NodePtr b)
{
    if (token.kind == Kind::Plus && a->type == Type::Character && b->type == Type::Character) {
        // A chain joins into one buffer; nested two-part joins would copy
        // the text once per '+' and nest as deep as the chain is long.
        NodePtr node = std::move(a);
        if (node->op != Op::Concat) {
            NodePtr first = std::move(node);
            node = makeNode(Op::Concat, Type::Character, first->position, first->width);
            addArg(*node, std::move(first));
        }
        node->width = sumWidths(node->width, b->width);
        addArg(*node, std::move(b));
        return finish(std::move(node), token.position);
    }
    if (a->type != Type::Numeric || b->type != Type::Numeric) {
        if (token.kind == Kind::Plus) {
            fail(std::string("Type mismatch: cannot add ") + typeName(b->type) + " to " + typeName(a->type),
                 token.position);
        }
        fail("Type mismatch: '" + std::string(token.text) + "' needs numbers", token.position);
    }
    Op op = Op::Add;
    if (token.kind == Kind::Minus)
        op = Op::Subtract;
    if (token.kind == Kind::Star)
        op = Op::Multiply;
    if (token.kind == Kind::Slash)
        op = Op::Divide;
    NodePtr node = makeNode(op, Type::Numeric, a->position, kNumberWidth);
    addArg(*node, std::move(a));
    addArg(*node, std::move(b));
    return finish(std::move(node), token.position);
}

}  // namespace xbase
