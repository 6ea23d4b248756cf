#pragma once

#include <string_view>
#include <vector>

namespace xbase {

struct ExpressionToken {
    enum class Kind {
        Identifier,
        Number,
        String,
        True,
        False,
        LeftParen,
        RightParen,
        Comma,
        Plus,
        Minus,
        Star,
        Slash,
        Equal,
        ExactEqual,
        NotEqual,
        Less,
        LessEqual,
        Greater,
        GreaterEqual,
        Dollar,
        And,
        Or,
        Not,
        End,
    };
    Kind kind = Kind::End;
    std::string_view text;  // the token as typed; a string's contents without quotes
    int position = 0;       // 1-based offset of its first character
};

// Splits an expression into tokens; the last one is End, positioned just
// past the text. Throws XbaseError on a character that starts no token or
// a string without its closing quote.
std::vector<ExpressionToken> tokenizeExpression(std::string_view text);

}  // namespace xbase
