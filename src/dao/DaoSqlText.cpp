#include "dao/DaoSqlText.h"

#include <vector>

namespace ckw::dao::detail {
namespace {

struct Token {
    enum Kind { Word, Name, String, Symbol } kind;
    std::string text;  // a Name unwrapped, a Symbol its character
    size_t begin, end;
    int depth;  // parenthesis depth the token stands at
};

bool IsWordByte(unsigned char c) {
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ||
           c == '$';
}

bool SameWord(const Token& t, std::string_view upper) {
    if (t.kind != Token::Word || t.text.size() != upper.size()) return false;
    for (size_t i = 0; i < upper.size(); ++i) {
        char c = t.text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != upper[i]) return false;
    }
    return true;
}

// Reads a quoted token starting at s[i]; the closing quote may be doubled inside to escape it.
size_t ReadQuoted(std::string_view s, size_t i, char close, std::string& out) {
    size_t j = i + 1;
    while (j < s.size()) {
        if (s[j] == close) {
            if (close != ']' && j + 1 < s.size() && s[j + 1] == close) {
                out += close;
                j += 2;
                continue;
            }
            return j + 1;
        }
        out += s[j++];
    }
    return j;  // unterminated: the rest of the text
}

std::vector<Token> Tokenize(std::string_view s) {
    std::vector<Token> tokens;
    int depth = 0;
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            ++i;
        } else if (s.substr(i, 2) == "--") {
            size_t e = s.find('\n', i);
            i = e == std::string_view::npos ? s.size() : e + 1;
        } else if (s.substr(i, 2) == "/*") {
            size_t e = s.find("*/", i + 2);
            i = e == std::string_view::npos ? s.size() : e + 2;
        } else if (c == '[' || c == '"' || c == '`' || c == '\'') {
            Token t{c == '\'' ? Token::String : Token::Name, {}, i, 0, depth};
            char close = c == '[' ? ']' : static_cast<char>(c);
            t.end = i = ReadQuoted(s, i, close, t.text);
            tokens.push_back(std::move(t));
        } else if (IsWordByte(c)) {
            size_t b = i;
            while (i < s.size() && IsWordByte(static_cast<unsigned char>(s[i]))) ++i;
            tokens.push_back({Token::Word, std::string(s.substr(b, i - b)), b, i, depth});
        } else {
            if (c == ')' && depth > 0) --depth;
            tokens.push_back({Token::Symbol, std::string(1, static_cast<char>(c)), i, i + 1, depth});
            if (c == '(') ++depth;
            ++i;
        }
    }
    // A statement may end in semicolons.
    while (!tokens.empty() && tokens.back().kind == Token::Symbol && tokens.back().text == ";") tokens.pop_back();
    return tokens;
}

bool IsIdentifier(const Token& t) { return t.kind == Token::Word || t.kind == Token::Name; }

bool IsSymbol(const Token& t, char c) { return t.kind == Token::Symbol && t.text[0] == c; }

// [db.]table starting at tokens[i]; advances i past it.
bool ReadQualifiedName(const std::vector<Token>& t, size_t& i, std::string& db, std::string& table) {
    if (i >= t.size() || !IsIdentifier(t[i])) return false;
    if (i + 2 < t.size() && IsSymbol(t[i + 1], '.') && IsIdentifier(t[i + 2])) {
        db = t[i].text;
        table = t[i + 2].text;
        i += 3;
    } else {
        db.clear();
        table = t[i].text;
        i += 1;
    }
    return true;
}

bool IsClauseWord(const Token& t) {
    for (std::string_view w :
         {"WHERE", "ORDER",   "LIMIT", "GROUP", "HAVING", "WINDOW",    "JOIN", "INNER", "LEFT",    "RIGHT", "FULL",
          "CROSS", "NATURAL", "OUTER", "UNION", "EXCEPT", "INTERSECT", "ON",   "USING", "INDEXED", "NOT"})
        if (SameWord(t, w)) return true;
    return false;
}

}  // namespace

std::string QuoteIdentifier(std::string_view nameUtf8) {
    std::string out = "\"";
    for (char c : nameUtf8) {
        out += c;
        if (c == '"') out += '"';
    }
    out += '"';
    return out;
}

std::optional<SelectInto> ParseSelectInto(std::string_view sqlUtf8) {
    auto t = Tokenize(sqlUtf8);
    if (t.size() < 6 || !SameWord(t[0], "SELECT") || !IsSymbol(t[1], '*') || !SameWord(t[2], "INTO"))
        return std::nullopt;
    SelectInto into;
    size_t i = 3;
    if (!ReadQualifiedName(t, i, into.targetDb, into.targetTable)) return std::nullopt;
    if (i >= t.size() || !SameWord(t[i], "FROM")) return std::nullopt;
    ++i;
    if (!ReadQualifiedName(t, i, into.sourceDb, into.sourceTable) || i != t.size()) return std::nullopt;
    return into;
}

std::optional<DropTable> ParseDropTable(std::string_view sqlUtf8) {
    auto t = Tokenize(sqlUtf8);
    if (t.size() < 3 || !SameWord(t[0], "DROP") || !SameWord(t[1], "TABLE")) return std::nullopt;
    DropTable drop;
    size_t first = 2;
    if (t.size() >= 5 && SameWord(t[2], "IF") && SameWord(t[3], "EXISTS")) {
        drop.ifExists = true;
        first = 4;
    }
    if (first + 1 == t.size() && t[first].kind == Token::Name) {
        drop.table = t[first].text;
    } else {
        drop.table = std::string(sqlUtf8.substr(t[first].begin, t.back().end - t[first].begin));
    }
    return drop;
}

std::optional<SingleTableSelect> ParseSingleTableSelect(std::string_view sqlUtf8) {
    auto t = Tokenize(sqlUtf8);
    if (t.size() < 4 || !SameWord(t[0], "SELECT") || SameWord(t[1], "DISTINCT") || SameWord(t[1], "ALL"))
        return std::nullopt;
    size_t i = 1;
    while (i < t.size() && !(t[i].depth == 0 && SameWord(t[i], "FROM"))) ++i;
    if (i == 1 || i >= t.size()) return std::nullopt;
    ++i;
    std::string db, table;
    if (!ReadQualifiedName(t, i, db, table)) return std::nullopt;
    if (!db.empty()) {
        Token dbToken{Token::Word, db, 0, 0, 0};
        if (!SameWord(dbToken, "MAIN")) return std::nullopt;
    }
    // An alias, with or without AS.
    if (i < t.size() && SameWord(t[i], "AS"))
        i += 2;
    else if (i < t.size() && IsIdentifier(t[i]) && !IsClauseWord(t[i]))
        ++i;
    if (i > t.size()) return std::nullopt;
    if (i < t.size() && !(SameWord(t[i], "WHERE") || SameWord(t[i], "ORDER") || SameWord(t[i], "LIMIT")))
        return std::nullopt;
    for (; i < t.size(); ++i) {
        if (t[i].depth != 0) continue;
        for (std::string_view w : {"GROUP", "HAVING", "WINDOW", "UNION", "EXCEPT", "INTERSECT", "JOIN"})
            if (SameWord(t[i], w)) return std::nullopt;
        if (IsSymbol(t[i], ';')) return std::nullopt;  // a second statement
    }
    return SingleTableSelect{table, t[0].end};
}

}  // namespace ckw::dao::detail
