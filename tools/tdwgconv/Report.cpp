#include "Report.h"

#include <iomanip>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>

#include "base/GbkText.h"

namespace tdwg {

std::string LeftOutReason(const std::string& kind, const std::string& fallback) {
    static const std::map<std::string, std::string, std::less<>> kReasons = {
        {"3DSOLID", "solid model (ACIS data, no outline kept)"},
        {"BODY", "solid model (ACIS data, no outline kept)"},
        {"REGION", "solid model (ACIS data, no outline kept)"},
        {"SURFACE", "solid model (ACIS data, no outline kept)"},
        {"PROXY_ENTITY", "proxy entity (an application's own object; no outline is handed on)"},
        {"ACAD_PROXY_ENTITY", "proxy entity (an application's own object; no outline is handed on)"},
        {"3DFACE", "3D face"},
        {"ATTDEF", "attribute definition (its values come in as the attributes)"},
        {"IMAGE", "raster image"},
        {"LIGHT", "light (nothing to draw)"},
        {"MESH", "polygon mesh"},
        {"POLYLINE_MESH", "polygon mesh"},
        {"POLYLINE_PFACE", "polygon mesh"},
        {"OLE2FRAME", "embedded document"},
        {"OLEFRAME", "embedded document"},
        {"VIEWPORT", "paper space"},
        {"WIPEOUT", "masking area"},
    };
    auto it = kReasons.find(kind);
    return it == kReasons.end() ? fallback : it->second;
}
namespace {

std::string Number(double v) { return ckw::text::FormatGeneral(v, 12); }

}  // namespace

void PrintReport(const Drawing& d, const std::string& source, const std::string& output, std::ostream& out) {
    out << source << " -> " << output << "\n";
    if (!d.sourceVersion.empty() || !d.sourceCodePage.empty())
        out << "version " << (d.sourceVersion.empty() ? "unknown" : d.sourceVersion) << ", code page "
            << (d.sourceCodePage.empty() ? "not given" : d.sourceCodePage) << "\n";
    out << std::left << std::setw(20) << "kind" << std::right << std::setw(8) << "read" << std::setw(9) << "written"
        << std::setw(9) << "skipped"
        << "  why\n";
    long read = 0, written = 0;
    for (const auto& [kind, c] : d.kinds) {
        long skipped = 0;
        std::string why;
        for (const auto& [reason, n] : c.skipped) {
            skipped += n;
            why += (why.empty() ? "" : ", ") + reason + " " + std::to_string(n);
        }
        out << std::left << std::setw(20) << kind << std::right << std::setw(8) << c.read << std::setw(9) << c.written
            << std::setw(9) << skipped << (why.empty() ? "" : "  " + why) << "\n";
        read += c.read, written += c.written;
    }
    out << std::left << std::setw(20) << "total" << std::right << std::setw(8) << read << std::setw(9) << written
        << "\n";
    if (d.unmappableCharacters) out << "characters GBK cannot hold (written as ?): " << d.unmappableCharacters << "\n";
    if (d.droppedXDataValues) out << "extended-data values of other kinds (dropped): " << d.droppedXDataValues << "\n";
    if (d.shift.x != 0 || d.shift.y != 0)
        out << "shift: " << Number(d.shift.x) << ", " << Number(d.shift.y)
            << " (source units, taken off model space and kept in the drawing for export); after it up to "
            << Number(d.worstLossMm) << " mm lost\n";
    for (const std::string& w : d.warnings) out << "warning: " << w << "\n";
}

void PrintReportJson(const Drawing& d, const std::string& source, const std::string& output, bool ok,
                     const std::string& error, std::ostream& out) {
    nlohmann::ordered_json j;
    j["source"] = source;
    j["output"] = ok ? nlohmann::ordered_json(output) : nlohmann::ordered_json(nullptr);
    j["ok"] = ok;
    if (!ok) j["error"] = error;
    j["version"] = d.sourceVersion;
    j["code_page"] = d.sourceCodePage;
    nlohmann::ordered_json kinds = nlohmann::ordered_json::object();
    for (const auto& [kind, c] : d.kinds) {
        nlohmann::ordered_json k;
        k["read"] = c.read;
        k["written"] = c.written;
        nlohmann::ordered_json skipped = nlohmann::ordered_json::object();
        for (const auto& [reason, n] : c.skipped) skipped[reason] = n;
        k["skipped"] = skipped;
        kinds[kind] = k;
    }
    j["kinds"] = kinds;
    j["unmappable_characters"] = d.unmappableCharacters;
    j["dropped_xdata_values"] = d.droppedXDataValues;
    j["shift"] = {{"x", d.shift.x}, {"y", d.shift.y}};
    j["worst_loss_mm"] = d.worstLossMm;
    j["warnings"] = d.warnings;
    out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

}  // namespace tdwg
