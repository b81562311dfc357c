// A drawing as line-based UTF-8 text (docs/t-format.md), for review, diffs and hand-written drawings.
// Writing is canonical: reading a text and writing it again gives the same text.
#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include <ckw/ReferenceEngine.h>
#include "base/GbkText.h"
#include "base/Status.h"

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

namespace {

// Reads the lines after the header one by one into a drawing; each kind of line has its function,
// which says why a line cannot be read.
class TextReader {
public:
    Status Line(std::string_view view, size_t first) {
        std::string error;
        if (!SplitLine(view, m_head, m_fields, error)) return Status(error);
        if (m_head == "xdata" || m_head == "data") return Words(view.substr(first + m_head.size()));
        m_last = nullptr;
        if (m_head == "drawing") return DrawingLine();
        if (m_head == "name") return NameLine();
        if (m_head == "block") return BlockLine();
        if (m_head == "end-block") {
            if (!m_block) return "end-block without block";
            m_block = nullptr;
            return {};
        }
        if (auto kind = KindFromName(m_head)) return EntityLine(*kind);
        return Status("unknown line \"" + m_head + "\"");
    }

    bool InBlock() const { return m_block != nullptr; }

    // The drawing read, its entities added in file order: one with an id keeps it, one without
    // gets the id after the entity before it.
    Result<Drawing> Finish() && {
        int nextId = 1;
        for (Entity& e : m_pending) {
            if (e.id0 == 0) e.id0 = nextId;
            nextId = e.id0 + 1;
            e.id1 = m_drawing.Stamp();
            if (!m_drawing.AddLoaded(e))
                return Status("entity identifiers must increase (id " + std::to_string(e.id0) + ")");
        }
        m_drawing.SetNextId(std::max(m_drawing.NextId(), nextId));
        return std::move(m_drawing);
    }

private:
    Status Words(std::string_view rest) {
        std::vector<int32_t>* words = m_head == "data" ? &m_drawing.Data() : m_last ? &m_last->xdata : nullptr;
        if (!words) return "xdata without an entity before it";
        const size_t limit = m_head == "data" ? kMaxDrawingDataWords : kHostXDataWords;
        std::string error;
        if (!ParseWords(rest, *words, limit, error)) return Status(error);
        return {};
    }

    Status DrawingLine() {
        for (const Field& f : m_fields) {
            int v = 0;
            if (!ParseNumber(f.value, v)) return Status("cannot read " + f.key);
            if (f.key == "stamp")
                m_drawing.SetStamp(v);
            else if (f.key == "next-id")
                m_drawing.SetNextId(std::max(1, v));
            else
                return Status("unknown field " + f.key);
        }
        return {};
    }

    Status NameLine() {
        int which = 0;
        if (m_fields.size() != 2 || !ParseNumber(m_fields[0].key, which) || !m_fields[1].quoted)
            return "expected: name NUMBER \"TEXT\"";
        m_drawing.Names()[which] = m_fields[1].value;
        return {};
    }

    Status BlockLine() {
        int number = 0;
        if (m_block || m_fields.empty() || !ParseNumber(m_fields[0].key, number) || number <= 0)
            return "expected: block NUMBER name=\"NAME\" extents=...";
        m_block = &m_drawing.Blocks()[number];
        m_block->number = number;
        for (size_t i = 1; i < m_fields.size(); ++i) {
            std::vector<float> extents;
            if (m_fields[i].key == "name")
                m_block->name = m_fields[i].value;
            else if (m_fields[i].key == "extents" && ParseList(m_fields[i].value, extents, ',') && extents.size() == 6)
                std::copy(extents.begin(), extents.end(), m_block->extents.begin());
            else
                return Status("cannot read " + m_fields[i].key);
        }
        return {};
    }

    Status EntityLine(int kind) {
        Entity e;
        std::string error;
        if (!ParseEntity(kind, m_fields, e, error)) return Status(error);
        // Pointers into the vectors stay valid only until the next push; xdata lines follow at once.
        std::vector<Entity>& into = m_block ? m_block->entities : m_pending;
        into.push_back(std::move(e));
        m_last = &into.back();
        return {};
    }

    Drawing m_drawing;
    std::string m_head;
    std::vector<Field> m_fields;
    Block* m_block = nullptr;
    std::vector<Entity> m_pending;  // model entities in file order; ids given in Finish
    Entity* m_last = nullptr;       // the entity xdata lines belong to
};

}  // namespace

bool ReadDrawingText(std::istream& in, Drawing& drawing, std::string& error) {
    TextReader reader;
    std::string line;
    size_t lineNumber = 0;
    bool sawHeader = false;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNumber) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string_view view(line);
        const size_t first = view.find_first_not_of(" \t\r");
        if (first == std::string_view::npos || view[first] == '#') continue;
        if (!sawHeader) {
            if (ckw::text::Trim(line) != kHeader)
                return fail("not a drawing text (expected \"" + std::string(kHeader) + "\")");
            sawHeader = true;
            continue;
        }
        if (Status read = reader.Line(view, first); !read.ok()) return fail(read.why());
    }
    if (!sawHeader) {
        error = "empty drawing text";
        return false;
    }
    if (reader.InBlock()) return fail("block without end-block");
    Result<Drawing> read = std::move(reader).Finish();
    if (!read) {
        error = read.why();
        return false;
    }
    drawing = *std::move(read);
    return true;
}

}  // namespace ckw::engine
