#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "xbase/field.h"

namespace xbase {

class ExpressionProgram;

// A compiled filter or key expression, bound to one record layout.
// Compile once, evaluate per record: evaluation reads the record buffer
// directly and reuses internal scratch space (not thread-safe).
// The language is described in docs/formats/expressions.md.
// Requires: the layout outlives the expression (memo fields are read
// through it).
class Expression {
public:
    enum class Type { Character, Numeric, Logical };

    // Throws XbaseError with a message saying what is wrong and where.
    static Expression compile(std::string_view text, const RecordLayout& layout);
    // Empty when `text` is a valid expression for `layout`, else the message.
    static std::string check(std::string_view text, const RecordLayout& layout);
    // As compile() and check(), and the result must be Logical: a filter.
    static Expression compileFilter(std::string_view text, const RecordLayout& layout);
    static std::string checkFilter(std::string_view text, const RecordLayout& layout);

    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    ~Expression();

    const std::string& text() const;
    Type type() const;
    // Fixed width of a Character result (the key length of an index tag);
    // 0 when it has none (it holds a memo field outside left()/substr()).
    int width() const;

    // Requires: type() == Logical.
    bool test(const std::uint8_t* record) const;
    // Requires: type() == Character. Writes exactly width() bytes into `out`.
    void evaluateKey(const std::uint8_t* record, std::string& out) const;
    // Any type, as text (numbers in their shortest form, logicals ".T."/".F.").
    std::string evaluateText(const std::uint8_t* record) const;

private:
    explicit Expression(std::unique_ptr<ExpressionProgram> program);
    std::unique_ptr<ExpressionProgram> program_;
};

}  // namespace xbase
