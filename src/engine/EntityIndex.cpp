#include "EntityIndex.h"

#include <algorithm>
#include <cmath>

#include "Shapes.h"

namespace ckw::engine {

namespace {

// About this many entities per cell on average, and a cap on the grid's size.
constexpr double kPerCell = 4;
constexpr int kMaxSide = 1024;
// An entity covering more cells than this goes to the list of large ones.
constexpr int kLargeCells = 256;

bool Indexed(const Entity& e) { return !e.deleted && IsDrawnKind(e.kind); }

}  // namespace

EntityIndex::EntityIndex(const Drawing& d) {
    const auto& entities = d.Entities();
    m_boxes.assign(entities.size(), {1, 1, 0, 0});
    Bounds all;
    for (size_t i = 0; i < entities.size(); ++i) {
        if (!Indexed(entities[i])) continue;
        Bounds b;
        AddEntityBounds(entities[i], d.Blocks(), Transform{}, b, 0);
        if (b.empty) continue;
        m_boxes[i] = {b.xmin, b.ymin, b.xmax, b.ymax};
        all.Add(b.xmin, b.ymin);
        all.Add(b.xmax, b.ymax);
    }
    m_seen.assign(entities.size(), 0);
    if (all.empty) return;
    double width = std::max(1e-6, double(all.xmax) - all.xmin), height = std::max(1e-6, double(all.ymax) - all.ymin);
    double cells = std::max(1.0, entities.size() / kPerCell);
    m_cell = std::max(std::sqrt(width * height / cells), std::max(width, height) / kMaxSide);
    m_x0 = all.xmin;
    m_y0 = all.ymin;
    m_columns = std::clamp(static_cast<int>(width / m_cell) + 1, 1, kMaxSide + 1);
    m_rows = std::clamp(static_cast<int>(height / m_cell) + 1, 1, kMaxSide + 1);

    // Two passes: count the members of each cell, then place them.
    std::vector<uint32_t> counts(static_cast<size_t>(m_columns) * m_rows + 1, 0);
    auto visit = [&](auto&& into) {
        for (size_t i = 0; i < m_boxes.size(); ++i) {
            const auto& b = m_boxes[i];
            if (b[0] > b[2]) continue;
            int cx0, cy0, cx1, cy1;
            CellRange(b[0], b[1], b[2], b[3], cx0, cy0, cx1, cy1);
            if ((cx1 - cx0 + 1) * (cy1 - cy0 + 1) > kLargeCells) {
                into(static_cast<uint32_t>(i), -1);
                continue;
            }
            for (int cy = cy0; cy <= cy1; ++cy)
                for (int cx = cx0; cx <= cx1; ++cx) into(static_cast<uint32_t>(i), cy * m_columns + cx);
        }
    };
    visit([&](uint32_t, int cell) {
        if (cell >= 0) ++counts[static_cast<size_t>(cell) + 1];
    });
    for (size_t c = 1; c < counts.size(); ++c) counts[c] += counts[c - 1];
    m_start = counts;
    m_members.resize(counts.back());
    visit([&](uint32_t i, int cell) {
        if (cell < 0)
            m_large.push_back(i);
        else
            m_members[counts[static_cast<size_t>(cell)]++] = i;
    });
}

void EntityIndex::CellRange(float x0, float y0, float x1, float y1, int& cx0, int& cy0, int& cx1, int& cy1) const {
    // Clamped before the conversion: a search reaching far (or without end) past the grid.
    auto cell = [&](double at, double origin, int count) {
        return static_cast<int>(std::clamp(std::floor((at - origin) / m_cell), 0.0, double(count - 1)));
    };
    auto column = [&](double x) { return cell(x, m_x0, m_columns); };
    auto row = [&](double y) { return cell(y, m_y0, m_rows); };
    cx0 = column(x0);
    cx1 = column(x1);
    cy0 = row(y0);
    cy1 = row(y1);
}

std::vector<size_t> EntityIndex::Near(double x, double y, double within) const {
    if (!std::isfinite(x) || !std::isfinite(y) || !(within >= 0)) return {};
    return InBox(x - within, y - within, x + within, y + within);
}

std::vector<size_t> EntityIndex::InBox(double x0, double y0, double x1, double y1) const {
    std::vector<size_t> found;
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (m_columns == 0 || std::isnan(x0) || std::isnan(y0) || std::isnan(x1) || std::isnan(y1)) return found;
    if (++m_stamp == 0) {
        std::fill(m_seen.begin(), m_seen.end(), 0);
        m_stamp = 1;
    }
    auto consider = [&](uint32_t i) {
        if (m_seen[i] == m_stamp) return;
        m_seen[i] = m_stamp;
        const auto& b = m_boxes[i];
        if (b[0] <= x1 && b[2] >= x0 && b[1] <= y1 && b[3] >= y0) found.push_back(i);
    };
    for (uint32_t i : m_large) consider(i);
    // Outside the grid nothing but the large entities can be near.
    const double gx1 = m_x0 + m_cell * m_columns, gy1 = m_y0 + m_cell * m_rows;
    if (x1 >= m_x0 && x0 <= gx1 && y1 >= m_y0 && y0 <= gy1) {
        int cx0, cy0, cx1, cy1;
        CellRange(float(std::max(x0, m_x0)), float(std::max(y0, m_y0)), float(std::min(x1, gx1)),
                  float(std::min(y1, gy1)), cx0, cy0, cx1, cy1);
        for (int cy = cy0; cy <= cy1; ++cy)
            for (int cx = cx0; cx <= cx1; ++cx) {
                size_t cell = static_cast<size_t>(cy) * m_columns + cx;
                for (uint32_t k = m_start[cell]; k < m_start[cell + 1]; ++k) consider(m_members[k]);
            }
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool EntityIndex::Nearest(const Drawing& d, double x, double y, double within, size_t& result,
                          bool (*accept)(const Entity&, const void*), const void* context) const {
    bool any = false;
    double best = within;
    for (size_t i : Near(x, y, within)) {
        if (i >= d.Entities().size()) continue;
        const Entity& e = d.Entities()[i];
        if (!Indexed(e) || (accept && !accept(e, context))) continue;
        double distance = DistanceTo(e, d.Blocks(), x, y);
        if (distance <= best) {
            best = distance;
            result = i;
            any = true;
        }
    }
    return any;
}

}  // namespace ckw::engine
