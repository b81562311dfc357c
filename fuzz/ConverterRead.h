#pragma once
// What the converter's harnesses ask of a read, whatever the bytes: a drawing, which is then mapped
// into the engine, or a message with nothing read.
#include <cstdlib>
#include <string>

#include <ckw/EngineDrawing.h>
#include "Readers.h"
#include "TWriter.h"

inline int CheckConverterRead(bool read, tdwg::Drawing& drawing, const std::string& error) {
    if (!read) {
        if (error.empty() || !drawing.entities.empty() || !drawing.blocks.empty()) std::abort();
        return 0;
    }
    ckw::engine::Drawing out;
    tdwg::MapToEngine(drawing, out);
    return 0;
}
