#include "DrawingShift.h"

#include <cmath>
#include <optional>
#include <string>

#include <ckw/XDataUtil.h>
#include "base/GbkText.h"
#include "base/XDataWords.h"

namespace ckw::dxf {
namespace {

// Strings in full precision: a single-precision real keeps a survey coordinate to metres only.
std::string Decimal(double v) { return text::FormatGeneral(v, 17); }

std::optional<double> Coordinate(const xdata::ParsedItem& item) {
    if (item.type != xdata::kStringCode) return std::nullopt;
    std::optional<double> v = text::ParseExactNumber<double>(item.text);
    return v && std::isfinite(*v) ? v : std::nullopt;
}

xdata::Words ShiftBlock(Shift shift) {
    std::string x = Decimal(shift.x), y = Decimal(shift.y);
    XData_Resbuf_ items[2];
    XDataItemList list;
    for (auto [item, value] : {std::pair{&items[0], &x}, {&items[1], &y}}) {
        item->restype = xdata::kStringCode;
        item->resval.pString = value->data();
        list.Add(item);
    }
    return xdata::EncodeBlock(kShiftApp, list, xdata::NameWords::Packed);
}

}  // namespace

Shift RecordedShift(std::span<const int32_t> record) {
    Shift shift;
    xdata::ScanBlocks(
        record, [](const std::string& name) { return name == kShiftApp; },
        [&](xdata::ParsedBlock&& block) {
            if (block.items.size() < 2) return true;
            auto x = Coordinate(block.items[0]), y = Coordinate(block.items[1]);
            if (x && y) shift = {*x, *y};
            return false;
        });
    return shift;
}

std::vector<int32_t> WithShift(std::span<const int32_t> record, Shift shift) {
    xdata::Words block = ShiftBlock(shift);
    if (!shift.IsZero()) return xdata::ReplaceBlock(record, block);
    xdata::Words out(record.begin(), record.end());
    if (auto old = xdata::FindBlockByHeader(record, xdata::BlockHeader(block)))
        out.erase(out.begin() + static_cast<std::ptrdiff_t>(old->first),
                  out.begin() + static_cast<std::ptrdiff_t>(old->last));
    return out;
}

}  // namespace ckw::dxf
