#pragma once
// A spatial index of a drawing's entities for hit tests: a uniform grid over the drawing's extents
// holding each entity in the cells its box covers; entities whose box covers much of the drawing
// (sheet frames, long axis lines) are kept in a short list of their own instead.
#include <array>
#include <cstdint>
#include <vector>

#include <ckw/CkwExport.h>
#include <ckw/EngineDrawing.h>

namespace ckw::engine {

class CKW_API EntityIndex {
public:
    EntityIndex() = default;
    explicit EntityIndex(const Drawing& drawing);

    // Indexes of the live drawn entities whose box comes within `within` of (x, y), each once.
    std::vector<size_t> Near(double x, double y, double within) const;
    // Indexes of the live drawn entities whose box meets the box (x0, y0)-(x1, y1), ascending, each once.
    std::vector<size_t> InBox(double x0, double y0, double x1, double y1) const;
    // The entity's box as indexed (xmin, ymin, xmax, ymax; xmin > xmax when it has none).
    const std::array<float, 4>& Box(size_t index) const { return m_boxes[index]; }
    size_t Size() const { return m_boxes.size(); }
    // The entity nearest to (x, y) within `within` (its outline, not its box), tables excluded.
    // `accept` filters candidates (null: all).
    bool Nearest(const Drawing& drawing, double x, double y, double within, size_t& found,
                 bool (*accept)(const Entity&, const void*) = nullptr, const void* context = nullptr) const;

private:
    void CellRange(float x0, float y0, float x1, float y1, int& cx0, int& cy0, int& cx1, int& cy1) const;

    int m_columns = 0, m_rows = 0;
    double m_x0 = 0, m_y0 = 0, m_cell = 1;
    std::vector<uint32_t> m_start;  // per cell, into m_members (CSR form)
    std::vector<uint32_t> m_members;
    std::vector<uint32_t> m_large;
    std::vector<std::array<float, 4>> m_boxes;  // per entity; empty boxes have xmin > xmax
    mutable std::vector<uint32_t> m_seen;       // query stamps, to report each entity once
    mutable uint32_t m_stamp = 0;
};

}  // namespace ckw::engine
