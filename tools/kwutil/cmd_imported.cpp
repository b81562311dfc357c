// kwutil imported DRAWING.T move DX,DY | scale F [--base X,Y] | rotate RAD [--base X,Y] | erase:
// moves, scales, rotates or erases every imported entity of a drawing (those on "$_" layers) as
// Move_Dwg, Scale_Dwg, Rotate_Dwg and Erase_Dwg do, the user's answers given on the command line,
// and saves the drawing.
#include <iostream>
#include <memory>
#include <numbers>

#include "Command.h"
#include "TypedNumbers.h"
#include "WorkDrawing.h"
#include "drawfiles/ImportedEntities.h"

namespace {

using ckw::engine::InputEvent;

struct Options {
    std::string drawing, action, amount, base = "0,0";
};

InputEvent Point(float x, float y) {
    InputEvent event;
    event.type = InputEvent::Type::Point;
    event.x = x;
    event.y = y;
    return event;
}
InputEvent Value(double v) {
    InputEvent event;
    event.type = InputEvent::Type::Value;
    event.value = v;
    return event;
}

double Number(const std::string& text, const std::string& what) {
    const ckw::Result<double> value = kwutil::ReadNumber(text);
    if (!value) throw CLI::ValidationError(what + " takes a number: " + value.why());
    return *value;
}

int Transform(const Options& options) {
    const auto [bx, by] = kwutil::ParsePair(options.base, "--base");
    const std::string& action = options.action;
    if ((action == "erase") != options.amount.empty())
        throw CLI::ValidationError(action == "erase" ? "erase takes nothing more" : action + " needs an amount");
    // The amount is read before the drawing is touched.
    std::vector<InputEvent> answers;
    if (action == "move") {
        const auto [dx, dy] = kwutil::ParsePair(options.amount, "move");
        answers = {Point(0, 0), Point(dx, dy)};
    } else if (action == "scale") {
        const double factor = Number(options.amount, "scale");
        if (!(factor > 0)) throw CLI::ValidationError("scale takes a factor above 0");
        answers = {Point(bx, by), Value(factor)};
    } else if (action == "rotate") {
        answers = {Point(bx, by), Value(Number(options.amount, "rotate") * 180.0 / std::numbers::pi)};
    } else if (action != "erase") {
        throw CLI::ValidationError("unknown action '" + action + "': move, scale, rotate or erase");
    }
    kwutil::WorkDrawing work(options.drawing, false);
    work.Answer(std::move(answers));
    int count = 0;
    const char* done = "";
    if (action == "move") {
        count = ckw::drawfiles::MoveImported();
        done = "moved";
    } else if (action == "scale") {
        count = ckw::drawfiles::ScaleImported();
        done = "scaled";
    } else if (action == "rotate") {
        count = ckw::drawfiles::RotateImported();
        done = "rotated";
    } else {
        count = ckw::drawfiles::EraseImported();
        done = "erased";
    }
    work.Save();
    std::cout << done << " " << count << " imported entities in " << options.drawing << "\n";
    return 0;
}

const kwutil::Command reg("imported", "Move, scale, rotate or erase the imported entities of a drawing as one",
                          [](CLI::App& cmd) -> kwutil::Runner {
                              auto options = std::make_shared<Options>();
                              cmd.add_option("drawing", options->drawing, "the .T drawing")->required();
                              cmd.add_option("action", options->action, "move, scale, rotate or erase")->required();
                              cmd.add_option("amount", options->amount,
                                             "move: DX,DY; scale: factor; rotate: angle in radians");
                              cmd.add_option("--base", options->base,
                                             "base point X,Y of scale and rotate (default 0,0)");
                              return [options] { return Transform(*options); };
                          });

}  // namespace
