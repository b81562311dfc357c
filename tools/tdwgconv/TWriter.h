#pragma once
// The one mapping from the neutral drawing to an engine drawing, and its atomic save.
#include <filesystem>
#include <string>

#include <ckw/EngineDrawing.h>
#include "Model.h"

namespace tdwg {

// Fills `out` and the written / skipped counts of `in`.
void MapToEngine(Drawing& in, ckw::engine::Drawing& out);
// Maps and saves (temporary file and rename: no file on failure).
bool WriteT(Drawing& in, const std::filesystem::path& file, std::string& error);

}  // namespace tdwg
