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
// cannot be read is skipped and counted.
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

private:
    struct Value {
        enum class Type { String, Dword, Raw } type = Type::String;
        std::string name;  // "" = the key's default value (@)
        std::string text;  // the string, or for Raw everything after '='
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

    std::vector<Key> m_keys;
    size_t m_skipped = 0;
};

}  // namespace ckw::registry
