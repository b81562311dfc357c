#pragma once
// One registry file in Windows ".reg" text form, held in memory (UTF-8):
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\KELO\MAIN\PATH]
//   "CFG"="/home/me/kelo"
//   "DrawingKind05"=dword:000007d5
//
// Keys and value names compare without letter case, as the Windows registry does. Values of
// other types (hex:...) are kept as written so that rewriting a file loses nothing. A line that
// cannot be read is skipped and counted, and kept as written, like comments: a rewrite puts them
// back in their key's section (after its values), or before the first key.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ckw::registry {

class RegDocument {
public:
    static RegDocument Parse(std::string_view textUtf8);
    std::string Serialize() const;

    // Keys are full paths ("HKEY_CURRENT_USER\Software\..."; HKLM and HKCU are accepted too).
    bool HasKey(std::string_view key) const;
    bool HasValue(std::string_view key, std::string_view name) const;
    std::optional<std::string> GetString(std::string_view key, std::string_view name) const;
    std::optional<uint32_t> GetDword(std::string_view key, std::string_view name) const;
    // Creates the key when needed; replaces a value of the same name whatever its type.
    void SetString(std::string_view key, std::string_view name, std::string_view value);
    void SetDword(std::string_view key, std::string_view name, uint32_t value);

    // Lines that were skipped because they could not be read.
    size_t skippedLines() const { return m_skipped; }
    // Not a registry file at all (binary data, not UTF-8 text, or not one line that could be
    // read): it must not be rewritten, which would lose whatever it holds.
    bool damaged() const { return m_damaged; }

private:
    struct Value {
        enum class Type { String, Dword, Raw, Verbatim } type = Type::String;
        std::string name;  // "" = the key's default value (@)
        std::string text;  // the string, for Raw everything after '=', for Verbatim the line
        uint32_t dword = 0;
    };
    struct Key {
        std::string path;  // as written, root spelled out
        std::vector<Value> values;
    };

    const Key* FindKey(std::string_view key) const;
    Key& MakeKey(std::string_view key);
    const Value* FindValue(std::string_view key, std::string_view name) const;
    void Set(std::string_view key, Value value);

    void KeepVerbatim(std::string line);
    static void AppendValue(std::string& out, const Value& v);
    // A value line ('@=...' or '"name"=...'); nothing when it cannot be read.
    static std::optional<Value> ParseValue(std::string_view line);

    std::vector<Key> m_keys;
    std::vector<std::string> m_preamble;  // comments and unreadable lines before the first key
    size_t m_skipped = 0;
    bool m_damaged = false;
};

}  // namespace ckw::registry
