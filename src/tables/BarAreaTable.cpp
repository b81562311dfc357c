#include "tables/BarAreaTable.h"

#include <cmath>
#include <iterator>

#include "base/GbkText.h"

namespace ckw::tables {

namespace {

// The areas use the single-precision value of pi, as the suite's tables always have.
constexpr double kPi = static_cast<double>(3.14159265358979f);

constexpr double kDiameters[] = {2.5, 3,  4,  5,  6,  6.5, 7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                 18,  19, 20, 21, 22, 23,  24, 25, 26, 27, 28, 30, 32, 34, 35, 36, 40};
constexpr int kBarCounts[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr double kSlabDiameters[] = {3, 4, 5, 6, 8, 10, 12, 14, 16};
constexpr int kSlabSpacings[] = {70, 75, 80, 90, 100, 150, 200, 250, 300};

std::string Whole(int value) { return std::to_string(value); }

// No decimals for whole diameters, one for 2.5 and 6.5.
std::string Diameter(double d) { return ckw::text::FormatFixed(d, d == std::floor(d) ? 0 : 1); }

}  // namespace

double BarsArea(int bars, double diameter) { return bars * 0.25 * kPi * diameter * diameter; }

double SlabBarsArea(double spacing, double diameter) { return (1000.0 / spacing) * 0.25 * kPi * diameter * diameter; }

BarAreaTable::BarAreaTable(int mode) : m_mode(mode) {
    const int cols = 10;
    if (PerBarCount()) {
        m_cells.assign(std::size(kDiameters) + 1, std::vector<std::string>(cols));
        for (int j = 1; j < cols; ++j) m_cells[0][j] = Whole(kBarCounts[j - 1]);
        for (size_t i = 1; i < m_cells.size(); ++i) {
            m_cells[i][0] = Diameter(kDiameters[i - 1]);
            for (int j = 1; j < cols; ++j)
                m_cells[i][j] = ckw::text::FormatFixed(BarsArea(kBarCounts[j - 1], kDiameters[i - 1]), 1);
        }
        return;
    }
    m_cells.assign(std::size(kSlabSpacings) + 1, std::vector<std::string>(cols));
    for (int j = 1; j < cols; ++j) m_cells[0][j] = ckw::text::FormatFixed(kSlabDiameters[j - 1], 0);
    for (size_t i = 1; i < m_cells.size(); ++i) {
        m_cells[i][0] = Whole(kSlabSpacings[i - 1]);
        for (int j = 1; j < cols; ++j)
            m_cells[i][j] = ckw::text::FormatFixed(SlabBarsArea(kSlabSpacings[i - 1], kSlabDiameters[j - 1]), 1);
    }
}

const char* BarAreaTable::Caption() const {
    return PerBarCount() ? "钢筋面积表mm2" : "钢筋混凝土板每米宽钢筋面积表mm2";
}
const char* BarAreaTable::RowLabel() const { return PerBarCount() ? "直径" : "间距"; }
const char* BarAreaTable::ColumnLabel() const { return PerBarCount() ? "根数" : "直径"; }

}  // namespace ckw::tables
