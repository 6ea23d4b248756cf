// The filter and key language: parsing, types, comparison rules, contains(),
// key widths, error messages, and keys that agree with the reference engine.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <strings.h>

#include "support/fixture_files.h"
#include "xbase/byte_order.h"
#include "xbase/contains_matcher.h"
#include "xbase/expression.h"
#include "xbase/expression_text.h"
#include "xbase/table.h"
#include "xbase/xbase_error.h"

namespace {

using xbase::Expression;

// A layout over hand-built record buffers. A memo field holds the index of
// its text in memos_, as a real one holds a block number.
class BufferLayout : public xbase::RecordLayout {
public:
    BufferLayout(std::initializer_list<xbase::FieldSpec> specs)
    {
        std::uint32_t offset = 1;
        for (const auto& s : specs) {
            fields_.push_back({s.name, s.type, s.length, s.decimals, offset});
            offset += s.length;
        }
        length_ = offset;
    }
    const std::vector<xbase::Field>& fields() const override { return fields_; }
    int fieldIndex(std::string_view name) const override
    {
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const std::string& f = fields_[i].name;
            if (f.size() == name.size() && strncasecmp(f.data(), name.data(), f.size()) == 0)
                return static_cast<int>(i);
        }
        return -1;
    }
    std::string memoText(const std::uint8_t* rec, int field) const override
    {
        const auto& f = fields_[static_cast<std::size_t>(field)];
        std::string ref(reinterpret_cast<const char*>(rec) + f.offset, f.length);
        return ref.find_first_not_of(' ') == std::string::npos ? std::string() : memos_[std::stoul(ref)];
    }

    // A blank record (I fields zero) with the named fields set from text.
    std::vector<std::uint8_t> record(std::initializer_list<std::pair<std::string, std::string>> values)
    {
        std::vector<std::uint8_t> rec(length_, ' ');
        for (const auto& f : fields_)
            if (f.type == 'I')
                xbase::writeLe32(rec.data() + f.offset, 0);
        for (const auto& [name, text] : values) {
            const auto& f = fields_[static_cast<std::size_t>(fieldIndex(name))];
            std::string bytes = text;
            if (f.type == 'I') {
                xbase::writeLe32(rec.data() + f.offset, static_cast<std::uint32_t>(std::stoi(text)));
                continue;
            }
            if (f.type == 'M') {
                bytes = std::to_string(memos_.size());
                memos_.push_back(text);
            }
            std::copy(bytes.begin(), bytes.end(), rec.begin() + f.offset);
        }
        return rec;
    }

private:
    std::vector<xbase::Field> fields_;
    std::uint32_t length_ = 0;
    std::vector<std::string> memos_;
};

BufferLayout albumsLayout()
{
    return {{"ALBUM", 'C', 50},  {"ARTIST", 'C', 50}, {"IX", 'C', 6},    {"GENRE", 'C', 10},
            {"YR", 'C', 4},      {"ID", 'C', 8},      {"LABEL", 'C', 55}, {"MEDIA", 'C', 2},
            {"REV", 'C', 1},     {"SYS", 'C', 1},     {"NOTES", 'M', 10}, {"PRICE", 'N', 8, 2},
            {"COUNT", 'I', 4},   {"OWNED", 'L', 1},   {"BOUGHT", 'D', 8}};
}

BufferLayout tracksLayout() { return {{"ID", 'C', 8}, {"NR", 'C', 3}, {"TRACK", 'C', 73}, {"SECS", 'C', 4}}; }

class ExpressionTest : public testing::Test {
protected:
    BufferLayout albums = albumsLayout();
    std::vector<std::uint8_t> floyd = albums.record({{"Album", "The Dark Side of the Moon"},
                                                     {"Artist", "Pink Floyd"},
                                                     {"Genre", "rock"},
                                                     {"ID", "7a0b3c0d"},
                                                     {"Notes", "Recorded Alive in Paris"},
                                                     {"Price", "   12.50"},
                                                     {"Count", "123"},
                                                     {"Owned", "T"},
                                                     {"Bought", "20240131"}});
    std::vector<std::uint8_t> blank = albums.record({});

    bool test(const std::string& text, const std::vector<std::uint8_t>& rec)
    {
        return Expression::compile(text, albums).test(rec.data());
    }
    std::string value(const std::string& text, const std::vector<std::uint8_t>& rec)
    {
        return Expression::compile(text, albums).evaluateText(rec.data());
    }
    void expectTrue(std::initializer_list<const char*> texts, const std::vector<std::uint8_t>& rec)
    {
        for (const char* t : texts)
            EXPECT_TRUE(test(t, rec)) << t;
    }
    void expectFalse(std::initializer_list<const char*> texts, const std::vector<std::uint8_t>& rec)
    {
        for (const char* t : texts)
            EXPECT_FALSE(test(t, rec)) << t;
    }
};

TEST_F(ExpressionTest, PrecedenceAndOperatorSpellings)
{
    expectTrue({"1 + 2 * 3 = 7", "(1 + 2) * 3 = 9", "-2 * -3 = 6", "10 / 4 = 2.5", "7 - 2 - 1 = 4",
                ".T. .OR. .F. .AND. .F.", ".NOT. .T. .OR. .T.", ".NOT. 1 = 2", "not .f. and .t.",
                "NoT 1=1 Or 2=2", "!1=2", "'ab' + 'cd' = 'abcd'",
                "1 < 2 .and. 2 <= 2 .and. 3 > 2 .and. 3 >= 3 .and. 1 <> 2 .and. 1 # 2 .and. 1 != 2",
                ".T. = .T. .AND. .T. <> .F.", "gEnRe = 'rock' .aNd. UPPER(genre) = 'ROCK'"},
               floyd);
    expectFalse({"(.T. .OR. .F.) .AND. .F.", "!(1=1)", ".not. genre='rock'"}, floyd);
}

TEST_F(ExpressionTest, StringLiteralsInEitherQuote)
{
    expectTrue({"genre = \"rock\"", "genre = 'rock'"}, floyd);
    EXPECT_EQ(value("'say \"hi\"'", floyd), "say \"hi\"");
    EXPECT_EQ(value("\"it's\"", floyd), "it's");
}

TEST_F(ExpressionTest, EqualsPadsTheShorterSideWithBlanks)
{
    expectTrue({"genre=\"rock\"", "genre = 'rock  '", "'rock' = genre", "Label = \"\"", "'ab' = 'ab  '",
                "trim(genre) == 'rock'", "'ab' < 'abc'", "'a' > 'B'", "'\xC9' > 'Z'", "'ab' <= 'ab '",
                "Price > 12.4 .AND. Price < 12.6", "val(YR) = 0"},
               floyd);
    // "=" is not a prefix test, and "==" compares exactly, blanks included.
    expectFalse({"genre = 'roc'", "genre = 'rocks'", "genre == 'rock'", "Label <> \"\"", "'ab' == 'ab '",
                 "genre = 'rock      x'", "genre <> 'rock                 '"},
                floyd);
    EXPECT_TRUE(test("genre <> 'rock      x'", floyd));
    auto labelled = albums.record({{"Label", "EMI"}});
    EXPECT_TRUE(test("Label <> \"\"", labelled));
    EXPECT_TRUE(test("Label # ''", labelled));
}

TEST_F(ExpressionTest, DollarFindsTheLeftTextInTheRight)
{
    expectTrue({"'ock' $ genre", "trim(genre) $ 'hard rock'", "'' $ genre", "'Moon' $ Album + Artist"}, floyd);
    expectFalse({"'OCK' $ genre", "genre $ 'hard rock'"}, floyd);
}

TEST_F(ExpressionTest, ContainsIgnoresCaseAndAccentsAndTakesStars)
{
    expectTrue({"contains(Artist,\"floyd\")", "CONTAINS(artist, 'PINK F')", "contains(Notes,\"*live*\")",
                "contains(Notes,\"live\")", "contains(Notes,'a*PARIS')", "contains(Notes,'*')",
                "contains(Notes,'')", "contains(Album, left(Album, 3) + '*moon')", "contains('xaaab', 'aab')",
                "contains('abcabd', 'abd')"},
               floyd);
    expectFalse({"contains(Notes,'paris*alive')", "contains(Artist,'floyds')", "contains(Notes,'live*live')"}, floyd);

    auto accents = albums.record({{"Artist", "\xC9" "dith M\xF6tley \x8A\x8C\x8E\x9F \xD7"}});
    expectTrue({"contains(Artist, '\xE9" "DITH')", "contains(Artist, 'm\xD6tley')", "contains(Artist, '\x9A\x9C\x9E\xFF')"},
               accents);
    // The multiplication and division signs are not a letter pair.
    expectFalse({"contains(Artist, '\xF7')", "contains(Artist, 'edith')"}, accents);
    EXPECT_FALSE(test("contains(Notes, 'x')", blank));
}

// Folds and wildcard search, checked against a plain backtracking matcher.
TEST(ContainsMatcher, AgreesWithNaiveWildcardSearch)
{
    auto fold = [](std::string s) {
        for (char& c : s)
            c = static_cast<char>(xbase::ContainsMatcher::fold(static_cast<std::uint8_t>(c)));
        return s;
    };
    // Does `p` match a prefix of `t` ("*" = any run)?
    std::function<bool(std::string_view, std::string_view)> prefix = [&](std::string_view t, std::string_view p) {
        if (p.empty())
            return true;
        if (p[0] == '*')
            return prefix(t, p.substr(1)) || (!t.empty() && prefix(t.substr(1), p));
        return !t.empty() && t[0] == p[0] && prefix(t.substr(1), p.substr(1));
    };
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'A', 'b', 'B', '\xC9', '\xE9', ' ', '*'};
    auto make = [&](int length, int letters) {
        std::string s;
        for (int i = 0; i < length; ++i)
            s += alphabet[random() % static_cast<unsigned>(letters)];
        return s;
    };
    xbase::ContainsMatcher matcher;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = make(static_cast<int>(random() % 14), 7);
        const std::string pattern = make(static_cast<int>(random() % 6), 8);
        const std::string t = fold(text), p = fold(pattern);
        bool want = false;
        for (std::size_t start = 0; start <= t.size() && !want; ++start)
            want = prefix(std::string_view(t).substr(start), p);
        matcher.setPattern(pattern);
        ASSERT_EQ(matcher.matches(text), want) << "text '" << text << "' pattern '" << pattern << "'";
    }
}

TEST_F(ExpressionTest, UpperAndLowerChangeOnlyAsciiLetters)
{
    EXPECT_EQ(value("upper(\"Bj\xF6rk\")", floyd), "BJ\xF6RK");
    EXPECT_EQ(value("lower('\xC9" "DITH \xD6')", floyd), "\xC9" "dith \xD6");
    EXPECT_EQ(value("upper(trim(Artist))", floyd), "PINK FLOYD");

    // Eight bytes at a time: every byte value, at every place in a word and
    // in the tail.
    std::string all;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            all += char(b + round);
    for (std::size_t from = 0; from < 9; ++from) {
        std::string text = all.substr(from);
        xbase::asciiUpperInPlace(text.data(), text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            ASSERT_EQ(text[i], xbase::asciiUpper(all[from + i])) << from << " " << i;
    }
}

TEST_F(ExpressionTest, TextFunctions)
{
    EXPECT_EQ(value("left('abcdef', 2) + right('abcdef', 2)", floyd), "abef");
    EXPECT_EQ(value("left('abc', 10)", floyd), "abc");
    EXPECT_EQ(value("substr('abcdef', 2, 3) + substr('abcdef', 5) + substr('abc', 7)", floyd), "bcdef");
    EXPECT_EQ(value("'[' + ltrim('  a ') + '|' + rtrim(' a  ') + '|' + alltrim('  a  ') + ']'", floyd),
              "[a | a|a]");
    EXPECT_EQ(value("len(Genre)", floyd), "10");
    EXPECT_EQ(value("len(trim(Genre)) + len(Notes)", floyd), "27");
    EXPECT_EQ(value("right(Genre, 3)", floyd), "   ");
    EXPECT_EQ(value("left(Bought, 4)", floyd), "2024");
}

TEST_F(ExpressionTest, NumbersLogicalsAndTheirText)
{
    EXPECT_EQ(value("val('  12.5xyz') + val('abc') + val('-1')", floyd), "11.5");
    EXPECT_EQ(value("str(3.14159, 8, 2)", floyd), "    3.14");
    EXPECT_EQ(value("str(42)", floyd), "        42");
    EXPECT_EQ(value("str(2.5) + str(-2.5, 5)", floyd), "         3   -3");
    EXPECT_EQ(value("str(123456, 3)", floyd), "***");
    EXPECT_EQ(value("str(Price, 7, 1)", floyd), "   12.5");
    EXPECT_EQ(value("Count * 2 + 1/4", floyd), "246.25");
    EXPECT_EQ(value("-Count", albums.record({{"Count", "-7"}})), "7");
    EXPECT_EQ(value("Owned", floyd), ".T.");
    EXPECT_EQ(value("Owned", blank), ".F.");
    EXPECT_EQ(value("Owned", albums.record({{"Owned", "y"}})), ".T.");
    expectTrue({"Bought = '20240131'", "Count = 123", "empty(Label)", "empty(0)", "empty(.F.)", "!empty(Count)"},
               floyd);
    expectTrue({"empty(Count) .and. empty(Price) .and. empty(Notes) .and. .not. Owned"}, blank);
}

TEST(ExpressionKeys, CatalogueKeyWidths)
{
    BufferLayout albums = albumsLayout();
    BufferLayout tracks = tracksLayout();
    const std::pair<const char*, int> albumKeys[] = {
        {"upper(Artist)+upper(Album)", 100}, {"upper(Album)", 50}, {"upper(Label)+upper(IX)", 61},
        {"upper(Genre)+upper(Artist)", 60},  {"ID", 8},            {"substr(Album, 3)", 48},
        {"substr(Album, 3, 5)", 5},          {"str(Count, 5)", 5}, {"trim(Genre) + 'x'", 11},
        {"left(Notes, 20)", 20},             {"upper(Notes)", 0},  {"Notes + ID", 0}};
    for (const auto& [text, width] : albumKeys)
        EXPECT_EQ(Expression::compile(text, albums).width(), width) << text;
    EXPECT_EQ(Expression::compile("ID+NR", tracks).width(), 11);
    EXPECT_EQ(Expression::compile("left(upper(Track),12)", tracks).width(), 12);
}

TEST(ExpressionKeys, KeysAreExactlyWidthBytes)
{
    BufferLayout tracks = tracksLayout();
    auto rec = tracks.record({{"ID", "7a0b3c0d"}, {"NR", "  1"}, {"Track", "Speak to Me"}});
    std::string key = "left over from an earlier, much longer key";
    Expression::compile("ID+NR", tracks).evaluateKey(rec.data(), key);
    EXPECT_EQ(key, "7a0b3c0d  1");
    Expression::compile("left(upper(Track),12)", tracks).evaluateKey(rec.data(), key);
    EXPECT_EQ(key, "SPEAK TO ME ");
    Expression::compile("trim(Track) + '!'", tracks).evaluateKey(rec.data(), key);
    EXPECT_EQ(key, "Speak to Me!" + std::string(62, ' '));
    Expression::compile("left('abcdef', 3) + 'x'", tracks).evaluateKey(rec.data(), key);
    EXPECT_EQ(key, "abcx");
}

TEST(ExpressionErrors, MessagesSayWhatAndWhere)
{
    BufferLayout albums = albumsLayout();
    const std::pair<const char*, const char*> cases[] = {
        {"genr='rock'", "Unknown field 'genr' at position 1"},
        {"(genre='rock'", "Missing closing parenthesis at position 14"},
        {"genre = 5", "Type mismatch: cannot compare text with number at position 7"},
        {"upper(Artist", "Missing closing parenthesis at position 13"},
        {"genre = 'rock", "Missing closing quote for the string at position 9"},
        {"foo(Artist)", "Unknown function 'foo' at position 1"},
        {"left(Artist)", "left() takes 2 arguments, not 1 at position 1"},
        {"substr(Artist)", "substr() takes 2 or 3 arguments, not 1 at position 1"},
        {"upper(5)", "Type mismatch: argument 1 of upper() must be text, not number at position 7"},
        {"left(Artist, 'x')", "Type mismatch: argument 2 of left() must be a number, not text at position 14"},
        {"genre = ", "Unexpected end of expression at position 9"},
        {"genre @ 'x'", "Unexpected character '@' at position 7"},
        {"genre = 'x' 'y'", "Unexpected string at position 13"},
        {"genre = 'x')", "Unexpected closing parenthesis at position 12"},
        {"genre = 'x' .XOR. .T.", "Unknown operator '.XOR.' at position 13"},
        {"'a' + 1", "Type mismatch: cannot add number to text at position 5"},
        {"'a' - 'b'", "Type mismatch: '-' needs numbers at position 5"},
        {"Genre .AND. .T.", "Type mismatch: .AND. needs logical operands at position 7"},
        {"not Genre", "Type mismatch: .NOT. needs a logical operand at position 1"},
        {".T. < .F.", "Type mismatch: logical values cannot be compared with '<' at position 5"},
        {"1 $ 'x'", "Type mismatch: '$' needs text on both sides at position 3"},
        {"str(Count, Count)", "str() needs constant length and decimals at position 12"},
        {"str(Count, 300)", "str() needs a length of 1 to 255 and at most 18 decimals at position 1"},
        {"   ", "Empty expression"},
    };
    for (const auto& [text, message] : cases) {
        EXPECT_EQ(Expression::check(text, albums), message) << text;
        try {
            Expression::compile(text, albums);
            ADD_FAILURE() << text << " compiled";
        } catch (const xbase::XbaseError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
    EXPECT_EQ(Expression::check(std::string(500, '(') + "1", albums).rfind("Expression nested too deeply", 0), 0u);
    EXPECT_EQ(Expression::check("genre='rock'", albums), "");
    EXPECT_EQ(Expression::checkFilter("genre='rock'", albums), "");
    EXPECT_EQ(Expression::checkFilter("upper(Album)", albums),
              "A filter needs a condition, but the expression gives text");
    EXPECT_THROW(Expression::compile("upper(Album)", albums).test(albums.record({}).data()), xbase::XbaseError);
}

std::string unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 'x') {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return out;
}

struct TagCase {
    const char* set;
    const char* table;
    const char* tag;
};

class ReferenceKeys : public testing::TestWithParam<TagCase> {};

// Every key the independent engine stored is the key our expression gives
// for that record: upper() leaves 0x80-0xFF alone, widths match.
TEST_P(ReferenceKeys, MatchTheIndependentEngine)
{
    const auto [set, table, tag] = GetParam();
    const std::string dir = test_support::fixturePath(std::string("xbase/") + set + "/");
    auto t = xbase::Table::open(dir + table + ".DBF", xbase::OpenMode::Shared);
    std::istringstream in(test_support::readFile(dir + "expected/" + table + ".tag." + tag + ".all.txt"));
    std::optional<Expression> key;
    std::string got;
    int checked = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# expression\t", 0) == 0) {
            key.emplace(Expression::compile(line.substr(13), *t));
        } else if (line.rfind("# key_length\t", 0) == 0) {
            EXPECT_EQ(key->width(), std::stoi(line.substr(13)));
        }
        if (line.empty() || line[0] == '#')
            continue;
        const auto tab = line.find('\t');
        key->evaluateKey(t->record(static_cast<std::uint32_t>(std::stoul(line.substr(0, tab)))), got);
        ASSERT_EQ(got.size(), static_cast<std::size_t>(key->width()));
        got.erase(got.find_last_not_of(' ') + 1);
        ASSERT_EQ(got, unescape(line.substr(tab + 1))) << line;
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(t->recordCount()));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ReferenceKeys,
                         testing::Values(TagCase{"small", "ALBUMS", "ARTIST"}, TagCase{"small", "ALBUMS", "ALBUM"},
                                         TagCase{"small", "ALBUMS", "LABEL"}, TagCase{"small", "ALBUMS", "GENRE"},
                                         TagCase{"small", "ALBUMS", "ID"}, TagCase{"small", "TRACKS", "TRACKS"},
                                         TagCase{"small", "ARTISTS", "ARTIST"}, TagCase{"medium", "ALBUMS", "ARTIST"},
                                         TagCase{"medium", "ALBUMS", "LABEL"}, TagCase{"medium", "TRACKS", "TRACKS"},
                                         TagCase{"medium", "ARTISTS", "ID"}));

std::vector<std::uint32_t> passing(const xbase::Table& t, const std::string& filter)
{
    const Expression e = Expression::compileFilter(filter, t);
    std::vector<std::uint32_t> recnos;
    for (std::uint32_t r = 1; r <= t.recordCount(); ++r)
        if (e.test(t.record(r)))
            recnos.push_back(r);
    return recnos;
}

TEST(ExpressionFilters, SelectTheReferenceRows)
{
    auto t = xbase::Table::open(test_support::fixturePath("xbase/small/ALBUMS.DBF"), xbase::OpenMode::Shared);
    using R = std::vector<std::uint32_t>;
    EXPECT_EQ(passing(*t, "genre=\"rock\""), (R{1, 8, 9, 14, 15, 16}));
    EXPECT_EQ(passing(*t, "contains(genre,\"ROCK\")"), (R{1, 8, 9, 13, 14, 15, 16}));
    EXPECT_EQ(passing(*t, "contains(notes,\"*live*\")"), (R{11}));
    EXPECT_EQ(passing(*t, "contains(notes,\"CR\xC9" "DIT\")"), (R{11}));
    EXPECT_EQ(passing(*t, "upper(artist) = 'ABBA'"), (R{5, 6, 7}));
    EXPECT_EQ(passing(*t, "ID=\"7a0b3c0d\""), (R{1, 16}));
}

}  // namespace
