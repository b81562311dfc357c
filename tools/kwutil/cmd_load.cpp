// kwutil load TEXT -o DRAWING.T: builds a drawing from its text form ("-" reads standard input).
#include <fstream>
#include <iostream>

#include "Command.h"
#include "Messages.h"
#include "Progress.h"
#include <ckw/ReferenceEngine.h>

namespace {

const kwutil::Command reg("load", "Build a .T drawing from text (see docs/t-format.md)",
                          [](CLI::App& cmd) -> kwutil::Runner {
                              auto input = std::make_shared<std::string>();
                              auto output = std::make_shared<std::string>();
                              cmd.add_option("text", *input, "the drawing text, - for standard input")->required();
                              cmd.add_option("-o,--output", *output, "the .T drawing to write")->required();
                              return [input, output] {
                                  ckw::engine::Drawing drawing;
                                  std::string error;
                                  bool ok;
                                  if (*input == "-") {
                                      ok = ckw::engine::ReadDrawingText(std::cin, drawing, error);
                                  } else {
                                      std::ifstream in(*input, std::ios::binary);
                                      if (!in) {
                                          kwutil::Say() << "cannot read " << *input << "\n";
                                          return 1;
                                      }
                                      ok = ckw::engine::ReadDrawingText(in, drawing, error);
                                  }
                                  if (!ok) {
                                      kwutil::Say() << *input << ": " << error << "\n";
                                      return 1;
                                  }
                                  if (!ckw::engine::WriteDrawingFile(*output, drawing, error,
                                                                     kwutil::TerminalProgress("writing"))) {
                                      kwutil::Say() << error << "\n";
                                      return 1;
                                  }
                                  return 0;
                              };
                          });

}  // namespace
