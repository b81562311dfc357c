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
// Reads a DXF into `out` (empty) as ReadDxf and MapToEngine would with drawing.shift = `shift`,
// mapping the model-space entities as the reader hands them on, `batchSize` at a time, so that
// the neutral drawing never holds them all at once (a shift asked for has the file read whole
// first, one recorded in the file has it read again). `drawing` keeps the tables, the blocks,
// the report and the entities not handed on. ConvertDxf saves `out` as WriteT would.
bool MapDxf(const std::filesystem::path& dxf, Drawing& drawing, ckw::engine::Drawing& out, std::string& error,
            ShiftRequest shift = {}, size_t batchSize = 1024);
bool ConvertDxf(const std::filesystem::path& dxf, Drawing& drawing, const std::filesystem::path& file,
                std::string& error, ShiftRequest shift = {});

}  // namespace tdwg
