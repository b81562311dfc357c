#include "LibraryLayers.h"

#include <charconv>
#include <cstring>
#include <map>
#include <set>

#include <ckw/DrawingPara.h>
#include <ckw/ReferenceEngine.h>

namespace kwutil {

namespace {

constexpr int kNameCapacity = 64;

// The library's layers by number (the first row of a number wins), with resolved values.
std::map<int, ckw::engine::LayerInfo> LibraryLayers() {
    std::map<int, ckw::engine::LayerInfo> layers;
    if (m_exDrawingPara.IsClosed()) return layers;
    for (int i = 0; i < m_exDrawingPara.GetLayerCount(); ++i) {
        const CkwLayerDef_* row = m_exDrawingPara.GetLayerAt(i);
        char name[kNameCapacity] = {};
        int number = 0, colour = 0, lineType = 0;
        float width = 0;
        if (!row ||
            !m_exDrawingPara.GetLayerInfo(row->GetComponentKind(), name, sizeof name, number, colour, lineType, width))
            continue;
        if (number <= 0 || layers.count(number)) continue;
        ckw::engine::LayerInfo layer;
        layer.number = number;
        layer.name = name;
        layer.colour = colour >= 1 && colour <= 255 ? colour : 7;
        layer.lineType = lineType >= 1 ? lineType : 1;
        layer.widthCode = width > 0 ? static_cast<int>(width * 1000 + 0.5f) : 0;
        layers.emplace(number, layer);
    }
    return layers;
}

}  // namespace

int NameLibraryLayers(ckw::engine::Drawing& drawing) {
    std::set<int> unnamed;
    for (const auto& e : drawing.Entities())
        if (!e.deleted && (e.kind < ckw::engine::kLineTypeEntry || e.kind == ckw::engine::kBlockInsert) &&
            !drawing.Layer(e.Layer()))
            unnamed.insert(e.Layer());
    if (unnamed.empty()) return 0;
    const auto library = LibraryLayers();
    int added = 0;
    for (int number : unnamed)
        if (auto it = library.find(number); it != library.end()) {
            drawing.DefineLayer(it->second);
            ++added;
        }
    return added;
}

}  // namespace kwutil
