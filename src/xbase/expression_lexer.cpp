#include "xbase/expression_lexer.h"

#include <string>

#include "xbase/expression_text.h"
#include "xbase/xbase_error.h"

namespace xbase {

namespace {

using Kind = ExpressionToken::Kind;

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    }
    return true;
}

// Words that are operators whether written bare or between dots.
bool keywordKind(std::string_view word, Kind& kind)
{
    if (equalsIgnoringCase(word, "AND"))
        kind = Kind::And;
    else if (equalsIgnoringCase(word, "OR"))
        kind = Kind::Or;
    else if (equalsIgnoringCase(word, "NOT"))
        kind = Kind::Not;
    else
        return false;
    return true;
}

// The word between dots: .AND. .OR. .NOT. .T. .F. .Y. .N.
bool dottedKind(std::string_view word, Kind& kind)
{
    if (keywordKind(word, kind))
        return true;
    if (equalsIgnoringCase(word, "T") || equalsIgnoringCase(word, "Y"))
        kind = Kind::True;
    else if (equalsIgnoringCase(word, "F") || equalsIgnoringCase(word, "N"))
        kind = Kind::False;
    else
        return false;
    return true;
}

[[noreturn]] void fail(const std::string& what, std::size_t offset)
{
    throw XbaseError(what + " at position " + std::to_string(offset + 1));
}

// Digits with an optional decimal point; a point followed by a letter is
// left alone since it starts a dotted operator ("1.AND.").
std::size_t scanNumber(std::string_view text, std::size_t i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i < text.size() && text[i] == '.' && !(i + 1 < text.size() && isLetter(text[i + 1]))) {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
    }
    return i;
}

}  // namespace

std::vector<ExpressionToken> tokenizeExpression(std::string_view text)
{
    std::vector<ExpressionToken> tokens;
    std::size_t i = 0;
    auto add = [&](Kind kind, std::size_t begin, std::size_t end) {
        tokens.push_back({kind, text.substr(begin, end - begin), static_cast<int>(begin) + 1});
        i = end;
    };
    while (i < text.size()) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (isBlank(c)) {
            ++i;
        } else if (isLetter(c)) {
            std::size_t end = i + 1;
            while (end < text.size() && (isLetter(text[end]) || isDigit(text[end])))
                ++end;
            Kind kind = Kind::Identifier;
            keywordKind(text.substr(i, end - i), kind);
            add(kind, i, end);
        } else if (isDigit(c) || (c == '.' && isDigit(next))) {
            add(Kind::Number, i, scanNumber(text, i));
        } else if (c == '.') {
            std::size_t end = i + 1;
            while (end < text.size() && isLetter(text[end]))
                ++end;
            const bool closed = end < text.size() && text[end] == '.';
            Kind kind = Kind::End;
            if (!closed || !dottedKind(text.substr(i + 1, end - i - 1), kind)) {
                fail("Unknown operator '" + std::string(text.substr(i, end - i + (closed ? 1 : 0))) + "'", i);
            }
            add(kind, i, end + 1);
        } else if (c == '"' || c == '\'') {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos)
                fail("Missing closing quote for the string", i);
            tokens.push_back({Kind::String, text.substr(i + 1, close - i - 1), static_cast<int>(i) + 1});
            i = close + 1;
        } else if (c == '=' && next == '=') {
            add(Kind::ExactEqual, i, i + 2);
        } else if ((c == '<' && next == '>') || (c == '!' && next == '=')) {
            add(Kind::NotEqual, i, i + 2);
        } else if ((c == '<' || c == '>') && next == '=') {
            add(c == '<' ? Kind::LessEqual : Kind::GreaterEqual, i, i + 2);
        } else {
            Kind kind;
            switch (c) {
                case '(': kind = Kind::LeftParen; break;
                case ')': kind = Kind::RightParen; break;
                case ',': kind = Kind::Comma; break;
                case '+': kind = Kind::Plus; break;
                case '-': kind = Kind::Minus; break;
                case '*': kind = Kind::Star; break;
                case '/': kind = Kind::Slash; break;
                case '=': kind = Kind::Equal; break;
                case '#': kind = Kind::NotEqual; break;
                case '<': kind = Kind::Less; break;
                case '>': kind = Kind::Greater; break;
                case '$': kind = Kind::Dollar; break;
                case '!': kind = Kind::Not; break;
                default: fail("Unexpected character '" + std::string(1, c) + "'", i);
            }
            add(kind, i, i + 1);
        }
    }
    tokens.push_back({Kind::End, text.substr(text.size()), static_cast<int>(text.size()) + 1});
    return tokens;
}

}  // namespace xbase
