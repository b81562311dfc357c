// kwutil info DRAWING.T: what a drawing holds, in short.
#include <iostream>
#include <map>

#include "Command.h"
#include "WorkDrawing.h"
#include <ckw/ReferenceEngine.h>
#include "base/GbkText.h"

namespace {

using ckw::text::GbkToUtf8;

int Info(const std::string& path) {
    ckw::engine::Drawing d;
    if (!kwutil::ReadDrawing(path, d)) return 1;
    std::cout << "drawing: " << path << " (file version " << ckw::engine::kDrawingFileVersion << ")\n";
    std::array<float, 4> box{};
    if (d.Extents(box))
        std::cout << "extents (drawing units): " << box[0] << " " << box[1] << " to " << box[2] << " " << box[3]
                  << "\n";
    std::cout << "units: drawing units = millimetres of paper x drawing scale\n";
    for (const auto& [which, name] : d.Names()) std::cout << "name " << which << ": " << GbkToUtf8(name) << "\n";

    std::map<int, size_t> kinds;
    std::map<std::string, size_t> applications;
    for (const auto& e : d.Entities()) {
        if (e.deleted) continue;
        ++kinds[e.kind];
        for (const auto& app : ckw::engine::XDataApplications(e.xdata)) ++applications[app];
    }
    std::cout << "layers:\n";
    for (size_t index : d.LayerEntries()) {
        const auto& e = d.Entities()[index];
        if (e.deleted) continue;
        std::cout << "  " << e.attributes[0] << " \"" << GbkToUtf8(e.text) << "\" colour " << e.attributes[3]
                  << " line type " << e.attributes[1] << " width " << e.attributes[2]
                  << (e.attributes[4] ? " (off)" : "") << "\n";
    }
    std::cout << "entities: " << d.LiveCount() << "\n";
    for (const auto& [kind, count] : kinds)
        std::cout << "  " << ckw::engine::KindName(kind) << " (" << kind << "): " << count << "\n";
    std::cout << "blocks: " << d.Blocks().size() << "\n";
    for (const auto& [number, block] : d.Blocks())
        std::cout << "  " << number << " \"" << GbkToUtf8(block.name) << "\": " << block.entities.size()
                  << " entities\n";
    std::cout << "extended-data applications (entities):\n";
    for (const auto& [app, count] : applications) std::cout << "  " << GbkToUtf8(app) << ": " << count << "\n";
    std::cout << "drawing-level record: " << d.Data().size() << " words";
    auto records = ckw::engine::XDataApplications(d.Data());
    for (size_t i = 0; i < records.size(); ++i) std::cout << (i ? ", " : " (") << GbkToUtf8(records[i]);
    std::cout << (records.empty() ? "" : ")") << "\n";
    return 0;
}

const kwutil::Command reg("info", "Summarise a .T drawing", [](CLI::App& cmd) -> kwutil::Runner {
    auto input = std::make_shared<std::string>();
    cmd.add_option("drawing", *input, "the .T drawing")->required();
    return [input] { return Info(*input); };
});

}  // namespace
