#include "registry/RegDocument.h"

#include <cstdio>

#include "base/GbkText.h"

namespace ckw::registry {
namespace {

// UTF-8 text: only ASCII bytes change, so multibyte characters stay intact.
std::string Upper(std::string_view s) { return text::ToUpper(s); }

std::string_view TrimBlanks(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// The key as written, with an abbreviated root spelled out and no trailing separators. Keys
// under other roots are kept as they are (a rewrite must not lose them).
std::string NormalizeKey(std::string_view key) {
    key = TrimBlanks(key);
    // Separators and blanks in any order: what is left must read back as itself.
    while (!key.empty() && (key.back() == '\\' || TrimBlanks(key.substr(key.size() - 1)).empty())) key.remove_suffix(1);
    size_t sep = key.find('\\');
    std::string root = Upper(key.substr(0, sep));
    std::string rest = sep == std::string_view::npos ? std::string() : std::string(key.substr(sep));
    if (root == "HKEY_LOCAL_MACHINE" || root == "HKLM") return "HKEY_LOCAL_MACHINE" + rest;
    if (root == "HKEY_CURRENT_USER" || root == "HKCU") return "HKEY_CURRENT_USER" + rest;
    return std::string(key);
}

// A quoted string at s[i] with \\ and \" escapes; i moves past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view s, size_t& i) {
    if (i >= s.size() || s[i] != '"') return std::nullopt;
    std::string out;
    for (++i; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            ++i;
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) c = s[++i];
        out += c;
    }
    return std::nullopt;  // no closing quote
}

std::string Quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::optional<uint32_t> ParseDword(std::string_view hex) {
    hex = TrimBlanks(hex);
    if (hex.empty() || hex.size() > 8) return std::nullopt;
    uint32_t v = 0;
    for (char c : hex) {
        int d = (c >= '0' && c <= '9')   ? c - '0'
                : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                         : -1;
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<uint32_t>(d);
    }
    return v;
}

// Whether a line that ends the file without a line break can be whole: a comment, a key, a string
// or a dword of all its digits. A value of another type may go on at any point.
bool WholeLastLine(std::string_view line) {
    if (line[0] == ';' || line == "REGEDIT4" || line == "Windows Registry Editor Version 5.00") return true;
    if (line[0] == '[') return line.back() == ']';
    const size_t dword = Upper(line).find("=DWORD:");
    if (dword != std::string::npos) return TrimBlanks(line.substr(dword + 7)).size() == 8;
    return line.back() == '"';
}

// The next line from pos (moved past it), trimmed. Values of other types may go on over several
// lines ending in a backslash: they are joined. One the file ends before loses its backslashes:
// kept, one would swallow the line a rewrite puts after it.
std::string NextLine(std::string_view text, size_t& pos) {
    auto take = [&] {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = TrimBlanks(text.substr(pos, end - pos));
        pos = end + 1;
        return line;
    };
    std::string line(take());
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
        line.pop_back();
        if (pos < text.size()) line += take();
        line = std::string(TrimBlanks(line));  // an empty continuation leaves what preceded the backslash
    }
    return line;
}

// The key a "[KEY]" line opens; "" for a line that opens none ("[-KEY]" deletes a key, and so does
// "[ -KEY]" once the blanks go, as a rewrite writes it).
std::string KeyOfLine(std::string_view line) {
    std::string key =
        line.back() == ']' && line.size() > 2 ? NormalizeKey(line.substr(1, line.size() - 2)) : std::string();
    return key.empty() || key[0] == '-' ? std::string() : key;
}

}  // namespace

std::optional<RegDocument::Value> RegDocument::ParseValue(std::string_view line) {
    Value value;
    size_t i = 0;
    if (line[0] == '@') {
        i = 1;
    } else {
        auto name = ReadQuoted(line, i);
        if (!name) return std::nullopt;
        value.name = *name;
    }
    if (i >= line.size() || line[i] != '=') return std::nullopt;
    std::string_view data = line.substr(i + 1);
    if (!data.empty() && data[0] == '"') {
        size_t j = 0;
        auto s = ReadQuoted(data, j);
        if (!s || !TrimBlanks(data.substr(j)).empty()) return std::nullopt;
        value.text = *s;
    } else if (Upper(data.substr(0, 6)) == "DWORD:") {
        auto d = ParseDword(data.substr(6));
        if (!d) return std::nullopt;
        value.type = Value::Type::Dword;
        value.dword = *d;
    } else if (Upper(data.substr(0, 3)) == "HEX") {
        value.type = Value::Type::Raw;
        value.text = data;
    } else {
        return std::nullopt;  // "-" (a deletion) and anything else unreadable
    }
    return value;
}

RegDocument RegDocument::Parse(std::string_view text) {
    RegDocument doc;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    doc.m_damaged = text.find('\0') != std::string_view::npos || !text::IsValidUtf8(text);
    bool anyRead = false;
    bool lastRead = false;  // the last line that held anything was read
    std::string lastLine;
    std::string current;  // the key the value lines belong to; "" = none
    for (size_t pos = 0; pos < text.size();) {
        const bool header = pos == 0;
        std::string line = NextLine(text, pos);
        if (line.empty()) continue;
        lastLine = line;
        lastRead = true;
        if (line[0] == ';') {
            doc.KeepVerbatim(std::move(line));
            continue;
        }
        if (header && (line.rfind("Windows Registry Editor", 0) == 0 || line == "REGEDIT4")) {
            anyRead = true;
            continue;
        }
        lastRead = false;
        std::optional<Value> value;
        if (line[0] == '[') {
            current = KeyOfLine(line);
            if (!current.empty()) current = doc.MakeKey(current).path;
        } else if (!current.empty()) {
            value = ParseValue(line);
        }
        const bool read = line[0] == '[' ? !current.empty() : value.has_value();
        if (!read) {
            ++doc.m_skipped;  // after a key that cannot be read, values up to the next good key have no home
            doc.KeepVerbatim(std::move(line));
            continue;
        }
        anyRead = true;
        lastRead = true;
        if (value) doc.Set(current, std::move(*value));  // a name given twice: the last one counts
    }
    if (doc.m_skipped > 0 && !anyRead) doc.m_damaged = true;
    // A file that ends inside a line was cut off while it was written (every writer ends its lines):
    // what is left of the line may even read, as a shorter key or number.
    const bool endsInsideLine = !text.empty() && text.back() != '\n' && !lastLine.empty();
    if (endsInsideLine && !(lastRead && WholeLastLine(lastLine))) doc.m_damaged = true;
    return doc;
}

// A kept line belongs to the key last opened, or to the lines before the first key.
void RegDocument::KeepVerbatim(std::string line) {
    if (m_keys.empty()) {
        m_preamble.push_back(std::move(line));
        return;
    }
    Value v;
    v.type = Value::Type::Verbatim;
    v.text = std::move(line);
    m_keys.back().values.push_back(std::move(v));
}

std::string RegDocument::Serialize() const {
    std::string out = "Windows Registry Editor Version 5.00\n";
    for (const auto& line : m_preamble) out += line + '\n';
    for (const auto& key : m_keys) {
        out += "\n[" + key.path + "]\n";
        // Kept lines after the values: one of them may open a key that could not be read, and
        // a value written after it would no longer belong to this key.
        for (const auto& v : key.values)
            if (v.type != Value::Type::Verbatim) AppendValue(out, v);
        for (const auto& v : key.values)
            if (v.type == Value::Type::Verbatim) out += v.text + '\n';
    }
    return out;
}

void RegDocument::AppendValue(std::string& out, const Value& v) {
    out += v.name.empty() ? std::string("@") : Quote(v.name);
    out += '=';
    switch (v.type) {
    case Value::Type::String:
        out += Quote(v.text);
        break;
    case Value::Type::Raw:
    case Value::Type::Verbatim:
        out += v.text;
        break;
    case Value::Type::Dword: {
        char hex[16];
        std::snprintf(hex, sizeof hex, "dword:%08x", v.dword);
        out += hex;
        break;
    }
    }
    out += '\n';
}

const RegDocument::Key* RegDocument::FindKey(std::string_view key) const {
    std::string wanted = Upper(NormalizeKey(key));
    if (wanted.empty()) return nullptr;
    for (const auto& k : m_keys)
        if (Upper(k.path) == wanted) return &k;
    return nullptr;
}

RegDocument::Key& RegDocument::MakeKey(std::string_view key) {
    if (const Key* found = FindKey(key)) return const_cast<Key&>(*found);
    m_keys.push_back(Key{NormalizeKey(key), {}});
    return m_keys.back();
}

const RegDocument::Value* RegDocument::FindValue(std::string_view key, std::string_view name) const {
    const Key* k = FindKey(key);
    if (!k) return nullptr;
    std::string wanted = Upper(name);
    for (const auto& v : k->values)
        if (v.type != Value::Type::Verbatim && Upper(v.name) == wanted) return &v;
    return nullptr;
}

void RegDocument::Set(std::string_view key, Value value) {
    Key& k = MakeKey(key);
    std::string wanted = Upper(value.name);
    for (auto& v : k.values) {
        if (v.type != Value::Type::Verbatim && Upper(v.name) == wanted) {
            v = std::move(value);
            return;
        }
    }
    k.values.push_back(std::move(value));
}

bool RegDocument::HasKey(std::string_view key) const { return FindKey(key) != nullptr; }

bool RegDocument::HasValue(std::string_view key, std::string_view name) const {
    return FindValue(key, name) != nullptr;
}

std::optional<std::string> RegDocument::GetString(std::string_view key, std::string_view name) const {
    const Value* v = FindValue(key, name);
    if (!v || v->type != Value::Type::String) return std::nullopt;
    return v->text;
}

std::optional<uint32_t> RegDocument::GetDword(std::string_view key, std::string_view name) const {
    const Value* v = FindValue(key, name);
    if (!v || v->type != Value::Type::Dword) return std::nullopt;
    return v->dword;
}

void RegDocument::SetString(std::string_view key, std::string_view name, std::string_view value) {
    Value v;
    v.name = name;
    v.text = value;
    Set(key, std::move(v));
}

void RegDocument::SetDword(std::string_view key, std::string_view name, uint32_t value) {
    Value v;
    v.type = Value::Type::Dword;
    v.name = name;
    v.dword = value;
    Set(key, std::move(v));
}

}  // namespace ckw::registry
