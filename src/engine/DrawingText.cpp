// A drawing as line-based UTF-8 text (docs/t-format.md), for review, diffs and hand-written drawings.
// Writing is canonical: reading a text and writing it again gives the same text.
#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include <ckw/ReferenceEngine.h>
#include "base/GbkText.h"

namespace ckw::engine {

namespace {

constexpr const char* kHeader = "ckw-drawing-text 1";
constexpr size_t kWordsPerLine = 16;
const char* kAttributeKeys[kHostAttributeCount] = {"layer", "linetype", "width", "colour", "attr5", "attr6", "attr7"};

std::string Number(float v) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, end);
}

// GBK text quoted as UTF-8; bytes that are not a convertible character are written as \xHH.
std::string Quote(const std::string& gbk) {
    std::string out = "\"";
    char hex[8];
    for (size_t i = 0; i < gbk.size();) {
        size_t n = ckw::text::CharLength(gbk, i);
        std::string piece = gbk.substr(i, n);
        i += n;
        unsigned char c = static_cast<unsigned char>(piece[0]);
        if (n == 1 && c >= 0x20 && c < 0x7F) {
            if (c == '"' || c == '\\') out += '\\';
            out += piece;
        } else if (n == 1 && c == '\n') {
            out += "\\n";
        } else if (n == 1 && c == '\t') {
            out += "\\t";
        } else {
            std::string utf8 = n > 1 ? ckw::text::GbkToUtf8(piece) : std::string();
            if (n > 1 && ckw::text::Utf8ToGbk(utf8) == piece) {
                out += utf8;
            } else {
                for (unsigned char b : piece) {
                    std::snprintf(hex, sizeof hex, "\\x%02X", b);
                    out += hex;
                }
            }
        }
    }
    return out + "\"";
}

void WriteWords(std::ostream& out, const char* keyword, const std::vector<int32_t>& words, const char* indent) {
    for (size_t i = 0; i < words.size(); i += kWordsPerLine) {
        out << indent << keyword;
        for (size_t j = i; j < std::min(words.size(), i + kWordsPerLine); ++j) out << ' ' << words[j];
        out << '\n';
    }
}

void WriteEntity(std::ostream& out, const Entity& e, bool withId, const char* indent) {
    out << indent << KindName(e.kind);
    if (withId) out << " id=" << e.id0;
    for (int i = 0; i < kHostAttributeCount; ++i)
        if (e.attributes[static_cast<size_t>(i)] != 0)
            out << ' ' << kAttributeKeys[i] << '=' << e.attributes[static_cast<size_t>(i)];
    if (!e.values.empty()) {
        out << " values=";
        for (size_t i = 0; i < e.values.size(); ++i) out << (i ? "," : "") << Number(e.values[i]);
    }
    if (!e.text.empty()) out << " text=" << Quote(e.text);
    out << '\n';
    WriteWords(out, "xdata", e.xdata, indent);
}

// --- Reading ---

struct Field {
    std::string key;
    std::string value;
    bool quoted = false;
};

bool Unquote(std::string_view s, size_t& i, std::string& gbk, std::string& error) {
    // s[i] is the opening quote; UTF-8 runs are converted, escapes give raw bytes.
    std::string utf8Run;
    auto flush = [&] {
        gbk += ckw::text::Utf8ToGbk(utf8Run);
        utf8Run.clear();
    };
    for (++i; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            flush();
            ++i;
            return true;
        }
        if (c != '\\') {
            utf8Run += c;
            continue;
        }
        if (++i >= s.size()) break;
        char esc = s[i];
        if (esc == 'n' || esc == 't' || esc == '"' || esc == '\\') {
            utf8Run += esc == 'n' ? '\n' : esc == 't' ? '\t' : esc;
        } else if (esc == 'x' && i + 2 < s.size()) {
            unsigned value = 0;
            auto [end, ec] = std::from_chars(s.data() + i + 1, s.data() + i + 3, value, 16);
            if (ec != std::errc() || end != s.data() + i + 3) break;
            flush();
            gbk += static_cast<char>(value);
            i += 2;
        } else {
            break;
        }
    }
    error = "bad quoted text";
    return false;
}

// Splits "kind key=value key="quoted text" ..." into the first word and fields.
bool SplitLine(std::string_view s, std::string& head, std::vector<Field>& fields, std::string& error) {
    fields.clear();
    size_t i = 0;
    auto skip = [&] {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) ++i;
    };
    skip();
    size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r') ++i;
    head = std::string(s.substr(start, i - start));
    while (true) {
        skip();
        if (i >= s.size()) return true;
        Field f;
        if (s[i] == '"') {
            f.quoted = true;
            if (!Unquote(s, i, f.value, error)) return false;
            fields.push_back(std::move(f));
            continue;
        }
        start = i;
        while (i < s.size() && s[i] != '=' && s[i] != ' ' && s[i] != '\t') ++i;
        f.key = std::string(s.substr(start, i - start));
        if (i < s.size() && s[i] == '=') {
            ++i;
            if (i < s.size() && s[i] == '"') {
                f.quoted = true;
                if (!Unquote(s, i, f.value, error)) return false;
            } else {
                start = i;
                while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r') ++i;
                f.value = std::string(s.substr(start, i - start));
            }
        }
        fields.push_back(std::move(f));
    }
}

template <class T>
bool ParseNumber(std::string_view text, T& value) {
    const std::optional<T> number = text::ParseExactNumber<T>(text);
    if (number) value = *number;
    return number.has_value();
}

template <class T>
bool ParseList(std::string_view text, std::vector<T>& values, char separator) {
    values.clear();
    if (text.empty()) return true;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        T v{};
        if (!ParseNumber(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start), v))
            return false;
        values.push_back(v);
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

bool ParseEntity(int kind, const std::vector<Field>& fields, Entity& e, std::string& error) {
    e = Entity{};
    e.kind = kind;
    for (const Field& f : fields) {
        bool ok = true;
        if (f.key == "id") {
            ok = ParseNumber(f.value, e.id0) && e.id0 > 0;
        } else if (f.key == "values") {
            ok = ParseList(f.value, e.values, ',') && e.values.size() <= static_cast<size_t>(kHostRecordCapacity);
        } else if (f.key == "text") {
            e.text = f.value;
            ok = f.quoted && e.text.size() <= static_cast<size_t>(kMaxEntityText);
        } else {
            ok = false;
            for (int i = 0; i < kHostAttributeCount; ++i)
                if (f.key == kAttributeKeys[i]) ok = ParseNumber(f.value, e.attributes[static_cast<size_t>(i)]);
        }
        if (!ok) {
            error = "cannot read " + (f.key.empty() ? std::string("a field") : f.key);
            return false;
        }
    }
    return true;
}

bool ParseWords(std::string_view rest, std::vector<int32_t>& words, size_t limit, std::string& error) {
    std::istringstream in{std::string(rest)};
    std::string word;
    while (in >> word) {
        int32_t v = 0;
        if (!ParseNumber(word, v)) {
            error = "cannot read the word " + word;
            return false;
        }
        if (words.size() >= limit) {
            error = "too many words";
            return false;
        }
        words.push_back(v);
    }
    return true;
}

}  // namespace

void WriteDrawingText(const Drawing& d, std::ostream& out) {
    out << kHeader << '\n';
    out << "drawing stamp=" << d.Stamp() << " next-id=" << d.NextId() << '\n';
    for (const auto& [which, name] : d.Names()) out << "name " << which << ' ' << Quote(name) << '\n';
    WriteWords(out, "data", d.Data(), "");
    for (const auto& [number, block] : d.Blocks()) {
        out << "block " << number << " name=" << Quote(block.name) << " extents=";
        for (size_t i = 0; i < block.extents.size(); ++i) out << (i ? "," : "") << Number(block.extents[i]);
        out << '\n';
        for (const Entity& e : block.entities)
            if (!e.deleted) WriteEntity(out, e, false, "  ");
        out << "end-block\n";
    }
    for (const Entity& e : d.Entities())
        if (!e.deleted) WriteEntity(out, e, true, "");
}

bool ReadDrawingText(std::istream& in, Drawing& drawing, std::string& error) {
    Drawing d;
    std::string line, head;
    std::vector<Field> fields;
    size_t lineNumber = 0;
    bool sawHeader = false;
    Block* block = nullptr;
    std::vector<Entity> pending;  // model entities in file order; ids given later
    Entity* last = nullptr;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNumber) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        std::string_view view(line);
        size_t first = view.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || view[first] == '#') continue;
        if (!sawHeader) {
            if (ckw::text::Trim(line) != kHeader)
                return fail("not a drawing text (expected \"" + std::string(kHeader) + "\")");
            sawHeader = true;
            continue;
        }
        if (!SplitLine(view, head, fields, error)) return fail(error);
        if (head == "xdata" || head == "data") {
            std::vector<int32_t>* words = head == "data" ? &d.Data() : last ? &last->xdata : nullptr;
            if (!words) return fail("xdata without an entity before it");
            size_t limit = head == "data" ? kMaxDrawingDataWords : kHostXDataWords;
            if (!ParseWords(view.substr(first + head.size()), *words, limit, error)) return fail(error);
            continue;
        }
        last = nullptr;
        if (head == "drawing") {
            for (const Field& f : fields) {
                int v = 0;
                if (!ParseNumber(f.value, v)) return fail("cannot read " + f.key);
                if (f.key == "stamp")
                    d.SetStamp(v);
                else if (f.key == "next-id")
                    d.SetNextId(std::max(1, v));
                else
                    return fail("unknown field " + f.key);
            }
        } else if (head == "name") {
            int which = 0;
            if (fields.size() != 2 || !ParseNumber(fields[0].key, which) || !fields[1].quoted)
                return fail("expected: name NUMBER \"TEXT\"");
            d.Names()[which] = fields[1].value;
        } else if (head == "block") {
            int number = 0;
            if (block || fields.empty() || !ParseNumber(fields[0].key, number) || number <= 0)
                return fail("expected: block NUMBER name=\"NAME\" extents=...");
            block = &d.Blocks()[number];
            block->number = number;
            for (size_t i = 1; i < fields.size(); ++i) {
                std::vector<float> extents;
                if (fields[i].key == "name")
                    block->name = fields[i].value;
                else if (fields[i].key == "extents" && ParseList(fields[i].value, extents, ',') && extents.size() == 6)
                    std::copy(extents.begin(), extents.end(), block->extents.begin());
                else
                    return fail("cannot read " + fields[i].key);
            }
        } else if (head == "end-block") {
            if (!block) return fail("end-block without block");
            block = nullptr;
        } else if (auto kind = KindFromName(head)) {
            Entity e;
            if (!ParseEntity(*kind, fields, e, error)) return fail(error);
            if (block) {
                block->entities.push_back(std::move(e));
                last = &block->entities.back();
            } else {
                pending.push_back(std::move(e));
                last = &pending.back();
            }
        } else {
            return fail("unknown line \"" + head + "\"");
        }
        // Pointers into vectors stay valid only until the next push; xdata lines follow at once.
    }
    if (!sawHeader) {
        error = "empty drawing text";
        return false;
    }
    if (block) return fail("block without end-block");
    // Entities with an id keep it; one without gets the id after the entity before it.
    int nextId = 1;
    for (Entity& e : pending) {
        if (e.id0 == 0) e.id0 = nextId;
        nextId = e.id0 + 1;
        e.id1 = d.Stamp();
        if (!d.AddLoaded(e)) {
            error = "entity identifiers must increase (id " + std::to_string(e.id0) + ")";
            return false;
        }
    }
    d.SetNextId(std::max(d.NextId(), nextId));
    drawing = std::move(d);
    return true;
}

}  // namespace ckw::engine
