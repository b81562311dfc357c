#pragma once
// Lookup of list entries by a normalised name: keys are normalised once when a table is loaded,
// and the first entry in list order that carries a key is the one found.
#include <string>
#include <string_view>
#include <unordered_map>

namespace ckw::drawpara {

class NameIndex {
public:
    void Clear() { m_first.clear(); }
    // Keeps the earliest position for a key: add entries in list order.
    void Add(std::string key, int position) { m_first.try_emplace(std::move(key), position); }
    // The position of the first entry with this key, or -1.
    int Find(std::string_view key) const {
        auto it = m_first.find(key);
        return it == m_first.end() ? -1 : it->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> m_first;
};

}  // namespace ckw::drawpara
