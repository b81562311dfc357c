#pragma once
// Inserting another drawing file's entities into the current drawing: the layers of the source,
// and the copy of the chosen layers at a point and scale. Mode 0 copies a floor as it is; mode 1
// (imports) names every copied layer "$_..." so that the imported entities can be found again.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ckw::drawfiles {

enum class InsertMode { Floor = 0, Import = 1 };

struct SourceLayer {
    int number = 0;
    std::string name;  // GBK
    bool copy = true;
};

struct Placement {
    float scale = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
};

struct InsertionReport {
    bool opened = false;
    int copied = 0;      // entities copied, layer and style entries included
    int renumbered = 0;  // imported layers given a number of their own
};

// The prefix of imported layers' names.
inline constexpr char kImportedLayerPrefix[] = "$_";

bool IsImportedLayerName(std::string_view nameGbk);

// Every entry of a drawing unit's layer table (0: the current drawing): number -> GBK name. With
// inUseOnly, switched-off and deleted entries are left out and the first entry of a number wins;
// otherwise the last one does.
std::map<int, std::string> LayerTable(int unit, bool inUseOnly);

// The layers of the drawing file (GBK path) in use, without repeated numbers, by ascending
// number. Empty when the file does not open or has none. The selected drawing is kept.
std::vector<SourceLayer> ReadSourceLayers(const std::string& pathGbk);

// Copies the entities of the layers marked copy (and every text and dimension style) from the
// file into the current drawing, the file's origin placed at (x, y) and its sizes multiplied by
// scale. In import mode layers that would take over a number the current drawing already uses
// for another layer get a free number, and the copied entities follow them.
InsertionReport InsertDrawing(const std::string& pathGbk, InsertMode mode, const std::vector<SourceLayer>& layers,
                              const Placement& placement);

}  // namespace ckw::drawfiles
