#include "Shift.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "DrawingShift.h"
#include "base/GbkText.h"

namespace tdwg {
namespace {

constexpr double kMetreMm = 1000, kKilometreMm = 1e6;

struct Box {
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    void Take(double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
    }
    bool Empty() const { return minX > maxX; }
};

// Where model space lies: the positions its entities are written at.
Box ModelBox(const Drawing& d) {
    Box box;
    for (const Entity& e : d.entities) {
        switch (e.shape) {
        case Shape::Point:
        case Shape::Text:
        case Shape::MText:
        case Shape::Insert:
            box.Take(e.x, e.y);
            break;
        case Shape::Line:
        case Shape::Polyline:
        case Shape::Trace:
            for (const Vertex& v : e.vertices) box.Take(v.x, v.y);
            break;
        case Shape::Circle:
        case Shape::Arc:
            box.Take(e.cx - e.radius, e.cy - e.radius), box.Take(e.cx + e.radius, e.cy + e.radius);
            break;
        case Shape::Skip:
            break;
        }
    }
    return box;
}

// Half the step between neighbouring 4-byte numbers at this distance from the origin.
double FloatLossMm(double mm) {
    const float f = static_cast<float>(std::abs(mm));
    return (std::nextafter(f, std::numeric_limits<float>::infinity()) - f) / 2.0;
}

ShiftRequest AutoShift(const Drawing& d) {
    ShiftRequest shift{ShiftRequest::Mode::Given};
    const Box box = ModelBox(d);
    const double scale = d.unitToMm;
    if (box.Empty()) return shift;
    const double farthest = std::max({std::abs(box.minX), std::abs(box.maxX), std::abs(box.minY), std::abs(box.maxY)});
    if (FloatLossMm(farthest * scale) <= kNoticedLossMm) return shift;
    const double spanMm = std::max(box.maxX - box.minX, box.maxY - box.minY) * scale;
    const double stepMm =
        std::clamp(spanMm > 0 ? std::pow(10.0, std::floor(std::log10(spanMm))) : 0.0, kMetreMm, kKilometreMm);
    auto round = [&](double v) { return std::round(v * scale / stepMm) * stepMm / scale; };
    shift.x = round((box.minX + box.maxX) / 2);
    shift.y = round((box.minY + box.maxY) / 2);
    return shift;
}

}  // namespace

std::optional<ShiftRequest> ParseShift(std::string_view text) {
    if (text == "auto") return ShiftRequest{ShiftRequest::Mode::Auto};
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    auto x = ckw::text::ParseWholeNumber(text.substr(0, comma));
    auto y = ckw::text::ParseWholeNumber(text.substr(comma + 1));
    if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y)) return std::nullopt;
    return ShiftRequest{ShiftRequest::Mode::Given, *x, *y};
}

void SettleShift(Drawing& d) {
    switch (d.shift.mode) {
    case ShiftRequest::Mode::Given:
        break;
    case ShiftRequest::Mode::Auto:
        d.shift = AutoShift(d);
        break;
    case ShiftRequest::Mode::Recorded: {
        const ckw::dxf::Shift recorded = ckw::dxf::RecordedShift(d.drawingData);
        d.shift = {ShiftRequest::Mode::Given, recorded.x / d.unitToMm, recorded.y / d.unitToMm};
        break;
    }
    }
}

}  // namespace tdwg
