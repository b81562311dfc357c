// kwutil export DRAWING.T -o OUT.dxf: a drawing as DXF for other CAD programs.
#include <iostream>

#include "Command.h"
#include "DxfWriter.h"
#include "Messages.h"
#include "WorkDrawing.h"
#include <ckw/ReferenceEngine.h>

namespace {

const kwutil::Command reg("export", "Write a .T drawing as a DXF file (R2000, GBK texts)",
                          [](CLI::App& cmd) -> kwutil::Runner {
                              auto input = std::make_shared<std::string>();
                              auto output = std::make_shared<std::string>();
                              cmd.add_option("drawing", *input, "the .T drawing")->required();
                              cmd.add_option("-o,--output", *output, "the DXF file to write")->required();
                              return [input, output] {
                                  ckw::engine::Drawing drawing;
                                  if (!kwutil::ReadDrawing(*input, drawing)) return 1;
                                  std::string error;
                                  ckw::dxf::ExportCounts counts;
                                  if (!ckw::dxf::WriteDxf(drawing, *output, error, &counts)) {
                                      kwutil::Say() << error << "\n";
                                      return 1;
                                  }
                                  for (const auto& [kind, n] : counts.skipped)
                                      kwutil::Say()
                                          << n << " " << kind << " entities have no DXF form and were left out\n";
                                  return 0;
                              };
                          });

}  // namespace
