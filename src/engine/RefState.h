#pragma once
// Inner state of the reference engine, shared by the files that implement its members.
#include <array>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <ckw/ReferenceEngine.h>

#include "base/Status.h"
#include "EntityIndex.h"
#include "Shapes.h"
#include "UndoHistory.h"

namespace ckw::engine {

struct Unit {
    Drawing drawing;
    bool readOnly = false;
    // Opened for a look only: the entities are read from `source` when first needed.
    bool entitiesPending = false;
    std::filesystem::path source;
    size_t walk = 0;          // HostNextSelected over this unit
    size_t dataPosition = 1;  // drawing-level record position, 1-based
    // Hit-test index, rebuilt when the drawing's revision has moved.
    std::shared_ptr<EntityIndex> index;
    uint64_t indexRevision = 0;
    // The entities of each layer (positions in order), for selections by layer: one walk of the
    // drawing serves every layer selected until the drawing moves.
    std::unordered_map<int, std::vector<uint32_t>> layerMembers;
    std::optional<uint64_t> layerMembersRevision;
};

struct EntityRef {
    int unit = 0;
    size_t index = 0;
};

struct ReferenceEngine::State {
    std::map<int, Unit> units;
    int current = 1;

    // Pen and coordinates.
    std::array<int, 4> pen{0, 1, 0, 7};  // layer, line type, width code, colour
    int tempColour = 0;
    bool rubberBand = false;
    std::map<std::vector<float>, int> tempShapes;
    std::array<float, kHostCoordsRecordSize> ucsRecord{0, 0, 0, 1, 1, 1, 0, 0, 0};
    Transform ucs;

    // Selection (of one unit) and the current entity.
    int selectionUnit = 0;
    std::vector<size_t> selection;
    std::vector<char> selected;
    size_t selectionWalk = 0;
    uint64_t selectionRevision = 0;
    std::optional<EntityRef> currentEntity;
    std::array<std::optional<int>, 4> attributeOverrides;

    // Pending extended-data streams.
    std::vector<int32_t> pendingUpdate;
    std::vector<int32_t> pendingNew;

    // Interaction.
    std::deque<InputEvent> input;
    InputSource* source = nullptr;
    float aperture = 10.0f;
    std::string prompt;
    std::vector<std::string> promptHistory;
    bool echo = false;
    int snapGroup = 0, cursorMode = 0, cursorShape = 0;
    int viewCalls = 0;

    // Undo histories by unit, made when first asked for; the step open, if any.
    std::map<int, std::unique_ptr<UndoHistory>> histories;
    size_t historyBudget = UndoHistory::kDefaultBudget;
    int stepDepth = 0;
    std::string stepName;

    // Layer table being read.
    int layerTableUnit = 0;
    std::vector<size_t> layerTable;

    // --- helpers ---
    // The unit (0: current) with its entities loaded; null when not open.
    Unit* Get(int unit);
    // The unit as it is: a drawing opened for a look keeps its entities unread.
    Unit* Peek(int unit);
    Unit& Cur() { return *Get(0); }
    // Current drawing when it may change; null for read-only drawings.
    Drawing* Writable();
    Entity* CurrentEntity();
    void SetCurrent(int unit, size_t index);
    // Makes an entity from the pen in user coordinates, places it and adds it to the current drawing.
    void Create(Entity entity);
    void Message(const std::string& gbk);
    // The next answer: from the script, then from the input source; moves are skipped unless the
    // call tracks the cursor.
    InputEvent NextInput(InputWant want);
    void ToUser(double wx, double wy, float& x, float& y) const;
    void ClearSelection();
    void Select(size_t index);
    // Takes these entities out of the selection.
    void Unselect(const std::vector<size_t>& indexes);
    // Selects (or unselects) what a window or crossing box takes in; returns how many it met.
    // Entities on the hidden layers are left out.
    size_t SelectBox(Unit& unit, double x1, double y1, double x2, double y2, bool crossing, int filter, bool remove,
                     const std::vector<int>& hidden = {});
    // The unit's hit-test index, as the drawing is now.
    const EntityIndex& Index(Unit& unit);
    // Nearest entity to a world point within a distance (tables excluded).
    std::optional<size_t> Nearest(Unit& unit, double x, double y, double within, int filter);
    bool Passes(const Entity& e, int filter) const { return filter <= 0 || e.Layer() == filter; }
    void DropUnit(int unit);
    // Forgets the selection, the current entity and the layer table being read on a unit.
    void ForgetPlaces(int unit);
    // The unit's history (made now if need be), with the changes made outside steps closed as a
    // step unless one is open; null for a unit not open or read-only.
    UndoHistory* History(int unit);
};

// Reads a file's drawing; with entities false only the parts other than the entities and blocks.
// A refusal names the file and what is wrong with it.
Status ReadDrawing(const std::filesystem::path& file, Drawing& drawing, bool entities, const Progress& progress);
// Reads the blocks and entities of a file into a drawing already holding the rest.
Status ReadDrawingEntities(const std::filesystem::path& file, Drawing& drawing);
std::filesystem::path PathFromGbk(const char* text, int length, int capacity);

}  // namespace ckw::engine
