#pragma once
// The undo history of one drawing. It watches the drawing and keeps, per step, only what the step
// changed: an erased entity costs its index, a changed one its other value (undo and redo swap it
// in), added ones nothing until they are undone; blocks, the drawing-level record and the names
// are kept whole when a step changed them. Undo and redo restore the drawing exactly.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <ckw/EngineDrawing.h>

#include "DrawingWatch.h"

namespace ckw::engine {

// What an entity takes in memory, its heap parts included.
size_t EntityBytes(const Entity& entity);

class UndoHistory : public DrawingWatcher {
public:
    static constexpr size_t kDefaultBudget = size_t{256} << 20;

    explicit UndoHistory(Drawing& drawing, size_t budget = kDefaultBudget);
    ~UndoHistory() override;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Ends what changed since the last Close as one step named name (GBK); nothing changed: no step.
    void Close(const std::string& name);
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    std::string UndoName() const { return m_undo.empty() ? std::string() : m_undo.back().name; }
    std::string RedoName() const { return m_redo.empty() ? std::string() : m_redo.back().name; }
    // Both expect the changes since the last Close to be closed.
    bool Undo();
    bool Redo();
    // Forgets every step; the drawing as it is becomes where the history starts.
    void Clear();
    // Tells the drawing's place in the history apart: equal marks, equal drawings.
    uint64_t Mark() const { return m_mark; }
    size_t Bytes() const;
    // Steps dropped, oldest first, to keep within the budget.
    size_t Dropped() const { return m_dropped; }
    void SetBudget(size_t bytes);

    void BeforeEntity(const Drawing& drawing, size_t index, bool erase) override;
    void BeforePart(const Drawing& drawing, Drawing::Part part) override;

private:
    struct Step {
        std::string name;
        uint64_t before = 0, after = 0;                // marks
        std::vector<size_t> flips;                     // entities whose deleted mark toggles
        std::vector<std::pair<size_t, Entity>> swaps;  // entities with the other side's value
        size_t base = 0;                               // entity count before the step
        size_t added = 0;                              // entities the step appended
        std::vector<Entity> undone;                    // those, while the step is undone
        int nextId = 0, stamp = 0;                     // the other side's values
        std::optional<std::map<int, Block>> blocks;
        std::optional<std::vector<int32_t>> data;
        std::optional<std::map<int, std::string>> names;
        size_t bytes = 0;
    };
    // What the drawing was before the changes since the last Close, kept as they come.
    struct Recording {
        size_t base = 0;
        int nextId = 0, stamp = 0;
        std::vector<uint32_t> slot;                     // per entity below base: 0, kErased, 1 + copy
        std::vector<std::pair<size_t, Entity>> copies;  // entities before their first change
        std::vector<size_t> erased;                     // live entities erased and not otherwise touched
        std::optional<std::map<int, Block>> blocks;
        std::optional<std::vector<int32_t>> data;
        std::optional<std::map<int, std::string>> names;
    };
    static constexpr uint32_t kErased = UINT32_MAX;

    void Start();
    [[nodiscard]] bool Apply(Step& step, bool undo);
    // Undoes or redoes the last step of from, which then goes to to.
    bool Move(std::deque<Step>& from, std::deque<Step>& to, bool undo);
    static size_t StepBytes(const Step& step);
    void Trim();

    Drawing& m_drawing;
    std::deque<Step> m_undo, m_redo;
    Recording m_recording;
    bool m_applying = false;
    uint64_t m_mark = 0, m_serial = 0;
    size_t m_dropped = 0;
    size_t m_budget;
};

}  // namespace ckw::engine
