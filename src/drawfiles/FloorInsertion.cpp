#include "drawfiles/FloorInsertion.h"

#include <algorithm>
#include <array>
#include <map>

#include <ckw/EntityKinds.h>
#include <ckw/HostEngine.h>
#include "platform/HostRecord.h"
#include "drawfiles/SideUnit.h"
#include "base/GbkText.h"

namespace ckw::drawfiles {

namespace {

constexpr int kPathCapacity = 260;
constexpr int kLayerNameCapacity = 256;
constexpr int kCopiedFromName = 12;

// Texts this long cannot take the prefix within a record.
constexpr int kLongestPrefixableName = 8190;

bool OpenForWork(int unit, const std::string& pathGbk) {
    const int length = static_cast<int>(pathGbk.size());
    return m_pCfg->HostOpenDrawing(unit, pathGbk.c_str(), std::max(kPathCapacity, length + 1), length) != 0;
}

std::string Prefixed(const std::string& name) { return IsImportedLayerName(name) ? name : kImportedLayerPrefix + name; }

// Where each source layer goes in the target: the target's layer of the same (prefixed) name, its
// own number when the target does not use it, else a number neither drawing uses.
std::map<int, int> ImportedLayerNumbers(const std::map<int, std::string>& source,
                                        const std::map<int, std::string>& target) {
    std::map<std::string, int> targetByName;
    for (const auto& [number, name] : target) targetByName.emplace(ckw::text::NameKey(name), number);
    int nextFree = 1;
    if (!target.empty()) nextFree = std::max(nextFree, target.rbegin()->first + 1);
    if (!source.empty()) nextFree = std::max(nextFree, source.rbegin()->first + 1);
    std::map<int, int> numbers;
    // Layer 0 is never kept: the imported entities are selected by their layers' numbers, and a
    // filter of 0 selects every layer (a DXF's layer "0" holds its block inserts).
    for (const auto& [number, name] : source) {
        auto same = targetByName.find(ckw::text::NameKey(Prefixed(name)));
        if (same != targetByName.end() && same->second > 0)
            numbers[number] = same->second;
        else
            numbers[number] = target.count(number) || number <= 0 ? nextFree++ : number;
    }
    return numbers;
}

bool CopiesLayer(const std::vector<SourceLayer>& layers, int number) {
    return std::any_of(layers.begin(), layers.end(),
                       [number](const SourceLayer& l) { return l.number == number && l.copy; });
}

// Every drawn entity and every table record the drawings know of.
bool IsCopiedKind(int kind) { return kind >= 0 && (IsDrawnKind(kind) || IsKnownKind(kind)); }

}  // namespace

std::map<int, std::string> LayerTable(int unit, bool inUseOnly) {
    std::map<int, std::string> layers;
    int count = 0;
    m_pCfg->HostBeginLayerTable(unit);
    m_pCfg->HostGetLayerCount(count);
    char name[kLayerNameCapacity];
    for (int i = 1; i <= count; ++i) {
        int number = 0, flag = 0, length = 0;
        m_pCfg->HostGetLayerEntry(i, number, flag);
        if (number < 0 || (inUseOnly && flag >= 1)) continue;
        m_pCfg->HostGetLayerEntryName(i, name, kLayerNameCapacity, length);
        if (length < 1 || length > kLayerNameCapacity) continue;
        if (!inUseOnly || !layers.count(number)) layers[number] = std::string(name, static_cast<size_t>(length));
    }
    return layers;
}

bool IsImportedLayerName(std::string_view name) { return name.starts_with(kImportedLayerPrefix); }

std::vector<SourceLayer> ReadSourceLayers(const std::string& pathGbk) {
    std::vector<SourceLayer> layers;
    if (!m_pCfg) return layers;
    int current = 0;
    m_pCfg->HostGetCurrentDrawing(current);
    const int unit = FreeSideUnit();
    if (!OpenForWork(unit, pathGbk)) {
        m_pCfg->HostSelectDrawing(current);
        return layers;
    }
    m_pCfg->HostSelectDrawing(unit);
    for (const auto& [number, name] : LayerTable(unit, true)) layers.push_back({number, name, true});
    m_pCfg->HostCloseDrawing(unit);
    m_pCfg->HostSelectDrawing(current);
    return layers;
}

InsertionReport InsertDrawing(const std::string& pathGbk, InsertMode mode, const std::vector<SourceLayer>& layers,
                              const Placement& placement) {
    InsertionReport report;
    if (!m_pCfg) return report;
    int current = 0;
    m_pCfg->HostGetCurrentDrawing(current);
    m_pCfg->HostSaveDrawingState(current);
    const float coords[kHostCoordsRecordSize] = {
        placement.x, placement.y, 0, placement.scale, placement.scale, placement.scale, 0, 0, 0};
    m_pCfg->HostSetUserCoords(coords);
    const int unit = FreeSideUnit();
    report.opened = OpenForWork(unit, pathGbk);
    if (report.opened) {
        const bool import = mode == InsertMode::Import;
        std::map<int, int> numbers;
        if (import) {
            numbers = ImportedLayerNumbers(LayerTable(unit, false), LayerTable(current, false));
            for (const auto& [from, to] : numbers) report.renumbered += from != to && CopiesLayer(layers, from);
        }
        auto copy = [&](int kind) {
            m_pCfg->HostSelectDrawing(current);
            m_pCfg->HostCopyEntityToCurrent(kind);
            ++report.copied;
        };
        host::EntityRecord record;
        for (int kind = 0;;) {
            m_pCfg->HostNextSelected(unit, kind);
            if (kind == 0) break;
            if (!IsCopiedKind(kind)) continue;
            if (kind == kEntityTextStyleEntry || kind == kEntityDimStyleEntry) {
                copy(kind);
                continue;
            }
            record.Read(*m_pCfg, kind);
            if (record.kind < 0) continue;
            const int layer = record.attributes[0];
            if (!CopiesLayer(layers, layer)) continue;
            bool changed = false;
            if (import && kind == kEntityLayerEntry && record.textLength > 0 &&
                record.textLength < kLongestPrefixableName &&
                !IsImportedLayerName(std::string_view(record.text.data(), static_cast<size_t>(record.textLength)))) {
                std::copy_backward(record.text.begin(), record.text.begin() + record.textLength + 1,
                                   record.text.begin() + record.textLength + 3);
                record.text[0] = '$';
                record.text[1] = '_';
                record.textLength += 2;
                changed = true;
            }
            if (import && kind != kEntityLineTypeEntry) {
                auto to = numbers.find(layer);
                if (to != numbers.end() && to->second != layer) {
                    record.attributes[0] = to->second;
                    changed = true;
                }
            }
            if (changed) record.Rewrite(*m_pCfg);
            copy(kind);
        }
        m_pCfg->HostCloseDrawing(unit);
    }
    m_pCfg->HostSelectDrawing(current);
    m_pCfg->HostResetUserCoords();
    if (report.opened) {
        m_pCfg->HostSetDrawingName(kCopiedFromName, pathGbk.c_str(), static_cast<int>(pathGbk.size()));
        m_pCfg->HostShowDrawing();
        m_pCfg->HostRedraw();
    }
    return report;
}

}  // namespace ckw::drawfiles
