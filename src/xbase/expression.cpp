#include "xbase/expression.h"

#include <algorithm>

#include "xbase/expression_functions.h"
#include "xbase/expression_node.h"
#include "xbase/expression_parser.h"
#include "xbase/expression_text.h"
#include "xbase/xbase_error.h"

namespace xbase {

class ExpressionProgram {
public:
    ExpressionProgram(std::string text, std::unique_ptr<ExpressionNode> root)
        : text_(std::move(text)), root_(std::move(root))
    {
    }

    const std::string& text() const { return text_; }
    const ExpressionNode& root() const { return *root_; }

    void require(Expression::Type type, const char* use) const
    {
        if (root_->type != type) {
            throw XbaseError("Expression '" + text_ + "' cannot be used " + use + ": it gives " +
                             typeName(root_->type));
        }
    }

private:
    std::string text_;
    std::unique_ptr<ExpressionNode> root_;
};

Expression Expression::compile(std::string_view text, const RecordLayout& layout)
{
    ExpressionParser parser(text, layout);
    return Expression(std::make_unique<ExpressionProgram>(std::string(text), parser.parse()));
}

std::string Expression::check(std::string_view text, const RecordLayout& layout)
{
    try {
        compile(text, layout);
    } catch (const XbaseError& e) {
        return e.what();
    }
    return {};
}

Expression Expression::compileFilter(std::string_view text, const RecordLayout& layout)
{
    Expression expression = compile(text, layout);
    if (expression.type() != Type::Logical) {
        throw XbaseError(std::string("A filter needs a condition, but the expression gives ") +
                         typeName(expression.type()));
    }
    return expression;
}

std::string Expression::checkFilter(std::string_view text, const RecordLayout& layout)
{
    try {
        compileFilter(text, layout);
    } catch (const XbaseError& e) {
        return e.what();
    }
    return {};
}

Expression::Expression(std::unique_ptr<ExpressionProgram> program) : program_(std::move(program))
{
}
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;
Expression::~Expression() = default;

const std::string& Expression::text() const
{
    return program_->text();
}

Expression::Type Expression::type() const
{
    return program_->root().type;
}

int Expression::width() const
{
    const int width = program_->root().width;
    return width == ExpressionNode::kVariableWidth ? 0 : width;
}

bool Expression::test(const std::uint8_t* record) const
{
    const ExpressionNode& root = program_->root();
    if (root.type != Type::Logical)
        program_->require(Type::Logical, "as a condition");
    return evaluateLogicalNode(root, record);
}

void Expression::evaluateKey(const std::uint8_t* record, std::string& out) const
{
    const ExpressionNode& root = program_->root();
    if (root.type != Type::Character)
        program_->require(Type::Character, "as an index key");
    out.clear();
    appendTextNode(root, record, out);
    out.resize(static_cast<std::size_t>(width()), ' ');
}

std::string Expression::evaluateText(const std::uint8_t* record) const
{
    const ExpressionNode& root = program_->root();
    switch (root.type) {
        case Type::Character: return std::string(evaluateTextNode(root, record));
        case Type::Numeric: return formatShortest(evaluateNumberNode(root, record));
        case Type::Logical: return evaluateLogicalNode(root, record) ? ".T." : ".F.";
    }
    return {};
}

}  // namespace xbase
