#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/expression_lexer.h"
#include "xbase/expression_node.h"

namespace xbase {

// Recursive-descent parser that turns expression text into a typed node
// tree bound to one record layout. Every error is an XbaseError whose
// message says what is wrong and at which 1-based position.
class ExpressionParser {
public:
    ExpressionParser(std::string_view text, const RecordLayout& layout);
    std::unique_ptr<ExpressionNode> parse();

private:
    using NodePtr = std::unique_ptr<ExpressionNode>;
    using Kind = ExpressionToken::Kind;

    NodePtr parseOr();
    NodePtr parseAnd();
    NodePtr parseNot();
    NodePtr parseRelation();
    NodePtr parseAdditive();
    NodePtr parseTerm();
    NodePtr parseUnary();
    NodePtr parsePrimary();
    NodePtr parseField(const ExpressionToken& name);
    NodePtr parseCall(const ExpressionToken& name);

    NodePtr makeLogical(Kind op, const ExpressionToken& token, NodePtr a, NodePtr b);
    NodePtr makeComparison(const ExpressionToken& token, NodePtr a, NodePtr b);
    NodePtr makeArithmetic(const ExpressionToken& token, NodePtr a, NodePtr b);

    const ExpressionToken& peek() const { return tokens_[next_]; }
    const ExpressionToken& advance() { return tokens_[next_ < tokens_.size() - 1 ? next_++ : next_]; }
    [[noreturn]] void unexpected(const ExpressionToken& token) const;

    std::string_view text_;
    const RecordLayout& layout_;
    std::vector<ExpressionToken> tokens_;
    std::size_t next_ = 0;
    int depth_ = 0;
};

}  // namespace xbase
