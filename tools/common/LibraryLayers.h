#pragma once
// Layers the library's commands draw on are known to the drawing by number only ("7", "90"):
// the layer table of the parameter library says what each is (图框, 表格, ...). Each layer that
// entities use, that the drawing's table has no entry for and the parameter library names, gets
// an entry with the library's name, colour, line type and width, so that the layer panel, the
// saved drawing and its DXF export show them.
namespace ckw::engine {
class Drawing;
}

namespace kwutil {

// The number of entries added.
int NameLibraryLayers(ckw::engine::Drawing& drawing);

}  // namespace kwutil
