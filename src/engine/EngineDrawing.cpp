#include <ckw/EngineDrawing.h>

#include <algorithm>
#include <charconv>
#include <mutex>
#include <random>

#include "DrawingWatch.h"
#include "Shapes.h"

namespace ckw::engine {

namespace {

// Stamps tell drawings apart; one seeded generator serves them all (a random device per drawing
// cost more than reading a small drawing's record).
int NewStamp() {
    static std::mutex lock;
    static std::mt19937 generator{std::random_device{}()};
    std::lock_guard<std::mutex> hold(lock);
    return static_cast<int>(generator() & 0x3fffffff) | 1;
}

}  // namespace

bool IsKnownKind(int kind) { return ckw::IsKnownKind(kind); }

bool IsTextLike(int kind) { return ckw::IsTextLikeKind(kind); }

std::string KindName(int kind) {
    if (const EntityKindInfo* info = FindEntityKind(kind)) return std::string(info->text);
    return "kind-" + std::to_string(kind);
}

std::optional<int> KindFromName(std::string_view name) {
    for (const EntityKindInfo& info : kEntityKinds)
        if (name == info.text) return info.number;
    if (name.starts_with("kind-")) {
        int kind = 0;
        auto rest = name.substr(5);
        auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), kind);
        if (ec == std::errc() && end == rest.data() + rest.size() && kind > 0) return kind;
    }
    return std::nullopt;
}

Drawing::Drawing() : m_stamp(NewStamp()) {}

size_t Drawing::Add(Entity entity) {
    ++m_revision;
    entity.id0 = m_nextId++;
    entity.id1 = m_stamp;
    entity.deleted = false;
    if (entity.kind == kLayerEntry || entity.kind == kLineTypeEntry) m_tablesDirty = true;
    m_entities.push_back(std::move(entity));
    return m_entities.size() - 1;
}

bool Drawing::AddLoaded(Entity entity) {
    if (entity.id0 <= 0 || (!m_entities.empty() && entity.id0 <= m_entities.back().id0)) return false;
    if (entity.id0 >= m_nextId) m_nextId = entity.id0 + 1;
    ++m_revision;
    if (entity.kind == kLayerEntry || entity.kind == kLineTypeEntry) m_tablesDirty = true;
    m_entities.push_back(std::move(entity));
    return true;
}

Entity& Drawing::At(size_t index) {
    ++m_revision;
    Entity& e = m_entities.at(index);
    if (DrawingWatcher* watcher = WatcherOf(*this)) watcher->BeforeEntity(*this, index, false);
    return e;
}

void Drawing::WillChange(Part part) {
    ++m_revision;
    if (DrawingWatcher* watcher = WatcherOf(*this)) watcher->BeforePart(*this, part);
}

std::vector<Entity> Drawing::TakeLast(size_t count) {
    count = std::min(count, m_entities.size());
    std::vector<Entity> taken(std::make_move_iterator(m_entities.end() - static_cast<ptrdiff_t>(count)),
                              std::make_move_iterator(m_entities.end()));
    m_entities.resize(m_entities.size() - count);
    ++m_revision;
    m_tablesDirty = true;
    return taken;
}

std::optional<size_t> Drawing::Find(int id0) const {
    auto it =
        std::lower_bound(m_entities.begin(), m_entities.end(), id0, [](const Entity& e, int id) { return e.id0 < id; });
    if (it == m_entities.end() || it->id0 != id0) return std::nullopt;
    return static_cast<size_t>(it - m_entities.begin());
}

void Drawing::Erase(size_t index) {
    Entity& e = m_entities.at(index);
    ++m_revision;
    if (DrawingWatcher* watcher = WatcherOf(*this)) watcher->BeforeEntity(*this, index, true);
    e.deleted = true;
    if (e.kind == kLayerEntry || e.kind == kLineTypeEntry) m_tablesDirty = true;
}

size_t Drawing::LiveCount() const {
    return static_cast<size_t>(
        std::count_if(m_entities.begin(), m_entities.end(), [](const Entity& e) { return !e.deleted; }));
}

void Drawing::RebuildTables() const {
    if (!m_tablesDirty) return;
    m_layerIndex.clear();
    m_lineTypeIndex.clear();
    for (size_t i = 0; i < m_entities.size(); ++i) {
        const Entity& e = m_entities[i];
        if (e.deleted) continue;
        if (e.kind == kLayerEntry) m_layerIndex[e.attributes[0]] = i;
        if (e.kind == kLineTypeEntry) m_lineTypeIndex[e.attributes[0]] = i;
    }
    m_tablesDirty = false;
}

std::optional<LayerInfo> Drawing::Layer(int number) const {
    RebuildTables();
    auto it = m_layerIndex.find(number);
    if (it == m_layerIndex.end()) return std::nullopt;
    const Entity& e = m_entities[it->second];
    return LayerInfo{number, e.text, e.attributes[1], e.attributes[2], e.attributes[3], e.attributes[4]};
}

std::vector<size_t> Drawing::LayerEntries() const {
    std::vector<size_t> entries;
    for (size_t i = 0; i < m_entities.size(); ++i)
        if (m_entities[i].kind == kLayerEntry) entries.push_back(i);
    return entries;
}

void Drawing::DefineLayer(const LayerInfo& layer) {
    RebuildTables();
    auto it = m_layerIndex.find(layer.number);
    Entity e;
    e.kind = kLayerEntry;
    e.attributes = {layer.number, layer.lineType, layer.widthCode, layer.colour, layer.flag, 0, 0};
    e.text = layer.name.substr(0, kMaxEntityText);
    if (it != m_layerIndex.end()) {
        ++m_revision;  // a changed colour or line type is a change the views and the window see
        if (DrawingWatcher* watcher = WatcherOf(*this)) watcher->BeforeEntity(*this, it->second, false);
        Entity& old = m_entities[it->second];
        old.attributes = e.attributes;
        old.text = e.text;
    } else {
        Add(std::move(e));
    }
    m_tablesDirty = true;
}

void Drawing::LineTypes(int* counts, float* dashes) const {
    RebuildTables();
    std::fill(counts, counts + kHostLineTypeCount, 0);
    std::fill(dashes, dashes + kHostLineTypeCount * kHostDashCount, 0.0f);
    for (const auto& [number, index] : m_lineTypeIndex) {
        if (number < 1 || number > kHostLineTypeCount) continue;
        const auto& values = m_entities[index].values;
        int count = static_cast<int>(std::min<size_t>(values.size(), kHostDashCount));
        counts[number - 1] = count;
        std::copy_n(values.begin(), count, dashes + (number - 1) * kHostDashCount);
    }
}

std::vector<float> Drawing::LineTypeDashes(int number) const {
    RebuildTables();
    auto it = m_lineTypeIndex.find(number);
    if (it == m_lineTypeIndex.end()) return {};
    return m_entities[it->second].values;
}

void Drawing::DefineLineType(int number, const std::vector<float>& dashes) {
    RebuildTables();
    auto it = m_lineTypeIndex.find(number);
    if (it != m_lineTypeIndex.end()) {
        ++m_revision;
        if (DrawingWatcher* watcher = WatcherOf(*this)) watcher->BeforeEntity(*this, it->second, false);
        m_entities[it->second].values = dashes;
        return;
    }
    Entity e;
    e.kind = kLineTypeEntry;
    e.attributes[0] = number;
    e.values = dashes;
    e.text = "LT" + std::to_string(number);
    Add(std::move(e));
}

bool Drawing::Extents(std::array<float, 4>& box) const {
    Bounds bounds;
    for (const Entity& e : m_entities)
        if (!e.deleted) AddEntityBounds(e, m_blocks, Transform{}, bounds, 0);
    if (bounds.empty) return false;
    box = {bounds.xmin, bounds.ymin, bounds.xmax, bounds.ymax};
    return true;
}

bool Drawing::operator==(const Drawing& other) const {
    return m_stamp == other.m_stamp && m_nextId == other.m_nextId && m_entities == other.m_entities &&
           m_blocks == other.m_blocks && m_data == other.m_data && m_names == other.m_names;
}

}  // namespace ckw::engine
