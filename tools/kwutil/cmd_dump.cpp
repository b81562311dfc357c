// kwutil dump DRAWING.T [-o TEXT]: the whole drawing as line-based UTF-8 text.
#include <fstream>
#include <iostream>

#include "Command.h"
#include "Messages.h"
#include "WorkDrawing.h"
#include <ckw/ReferenceEngine.h>

namespace {

const kwutil::Command reg("dump", "Write a .T drawing as text (see docs/t-format.md)",
                          [](CLI::App& cmd) -> kwutil::Runner {
                              auto input = std::make_shared<std::string>();
                              auto output = std::make_shared<std::string>();
                              cmd.add_option("drawing", *input, "the .T drawing")->required();
                              cmd.add_option("-o,--output", *output,
                                             "the text file to write (default: standard output)");
                              return [input, output] {
                                  ckw::engine::Drawing drawing;
                                  if (!kwutil::ReadDrawing(*input, drawing)) return 1;
                                  if (output->empty()) {
                                      ckw::engine::WriteDrawingText(drawing, std::cout);
                                      return std::cout ? 0 : 1;
                                  }
                                  std::ofstream out(*output, std::ios::binary);
                                  ckw::engine::WriteDrawingText(drawing, out);
                                  out.close();
                                  if (!out) {
                                      kwutil::Say() << "cannot write " << *output << "\n";
                                      return 1;
                                  }
                                  return 0;
                              };
                          });

}  // namespace
