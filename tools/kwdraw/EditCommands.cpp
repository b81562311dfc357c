#include "EditCommands.h"

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <ckw/HostEngine.h>
#include <ckw/ReferenceEngine.h>

#include "EntityEdit.h"
#include "Selection.h"

namespace kwdraw::edits {

namespace {

using ckw::engine::DefaultEngine;
using ckw::engine::Entity;
using ckw::engine::InputEvent;
using ckw::engine::InputWant;
using ckw::engine::Transform;
namespace edit = ckw::engine::edit;

constexpr double kPi = 3.14159265358979323846;
// The result shown following the cursor outlines at most this many of the entities.
constexpr size_t kMostPreviewed = 500;

void Prompt(const char* gbk) { m_pCfg->HostPrompt(gbk, static_cast<int>(std::char_traits<char>::length(gbk))); }

// The selection, or what the person selects now (picks and boxes until [Enter] or [Esc]).
std::vector<size_t> Selection(const Picking& picking) {
    auto& engine = DefaultEngine();
    auto selected = engine.SelectedEntities();
    if (!selected.empty()) return selected;
    for (;;) {
        Prompt("请选择对象");
        const InputEvent event = engine.AskInput(InputWant::Selection);
        if (event.type != InputEvent::Type::Point && event.type != InputEvent::Type::Window &&
            event.type != InputEvent::Type::Crossing)
            break;
        ApplySelection(event, picking, false);
    }
    m_pCfg->HostClearPrompt();
    return engine.SelectedEntities();
}

// What the person answers: a point, a number, or nothing ([Esc], [Enter]).
struct Answer {
    enum class Kind { None, Point, Value } kind = Kind::None;
    double x = 0, y = 0, value = 0;
};

// Draws the band for the cursor at (x, y); drawn again in the same place it is erased.
using Band = std::function<void(double x, double y)>;

// Asks for a point with the band following the cursor; a typed number answers too when
// `takesValue`.
Answer Ask(const char* promptGbk, const Band& band = {}, bool takesValue = false) {
    auto& engine = DefaultEngine();
    Prompt(promptGbk);
    m_pCfg->HostSetRubberBand(1);
    std::optional<std::pair<double, double>> drawn;
    Answer answer;
    for (;;) {
        const InputEvent event = engine.AskInput(takesValue ? InputWant::TrackOrValue : InputWant::Track);
        if (drawn && band) band(drawn->first, drawn->second);
        drawn.reset();
        if (event.type == InputEvent::Type::Move) {
            if (band) band(event.x, event.y);
            drawn.emplace(event.x, event.y);
            continue;
        }
        if (event.type == InputEvent::Type::Point) {
            answer = {Answer::Kind::Point, event.x, event.y, 0};
        } else if (event.type == InputEvent::Type::Value && takesValue) {
            answer = {Answer::Kind::Value, 0, 0, event.value};
        } else if (event.type == InputEvent::Type::Value) {
            continue;
        }
        break;
    }
    m_pCfg->HostSetRubberBand(0);
    m_pCfg->HostClearPrompt();
    return answer;
}

void DrawOutline(const std::vector<std::vector<ckw::engine::Point2>>& lines) {
    for (const auto& line : lines) {
        std::vector<float> xs, ys;
        for (const auto& p : line) xs.push_back(static_cast<float>(p.x)), ys.push_back(static_cast<float>(p.y));
        if (xs.size() > 1) m_pCfg->HostDrawPolyline(static_cast<int>(xs.size()), xs.data(), ys.data());
    }
}

// The selected entities placed through t, outlined.
void DrawPlaced(const std::vector<size_t>& selected, const Transform& t) {
    auto& d = DefaultEngine().Current();
    for (size_t k = 0; k < selected.size() && k < kMostPreviewed; ++k) {
        Entity placed = d.Entities()[selected[k]];
        edit::Place(placed, t);
        DrawOutline(edit::Outline(d, placed));
    }
}

Band LineAnd(double x0, double y0, std::function<void(double, double)> more) {
    return [x0, y0, more](double x, double y) {
        m_pCfg->HostDrawLine(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x),
                             static_cast<float>(y));
        if (more) more(x, y);
    };
}

void PlaceAll(const std::vector<size_t>& selected, const Transform& t) {
    auto& d = DefaultEngine().Current();
    for (size_t index : selected) edit::Place(d.At(index), t);
}

void AddPlacedCopies(const std::vector<size_t>& selected, const Transform& t) {
    auto& d = DefaultEngine().Current();
    for (size_t index : selected) {
        Entity copy = d.Entities()[index];  // a copy: adding may move the entities
        edit::Place(copy, t);
        d.Add(std::move(copy));
    }
}

double DegreesTo(double x0, double y0, double x, double y) { return std::atan2(y - y0, x - x0) * 180 / kPi; }

// The base point of a move, copy, rotation or scaling.
std::optional<Answer> Base(const char* promptGbk) {
    Answer base = Ask(promptGbk);
    if (base.kind != Answer::Kind::Point) return std::nullopt;
    return base;
}

}  // namespace

void Erase(const Picking& picking) {
    const auto selected = Selection(picking);
    if (selected.empty()) return;
    int command = 3;  // the host's erase of the selection
    m_pCfg->HostRunEditCommand(command);
    m_pCfg->HostClearSelection();
}

void Move(const Picking& picking) {
    const auto selected = Selection(picking);
    if (selected.empty()) return;
    const auto base = Base("请点取移动的基点");
    if (!base) return;
    const double bx = base->x, by = base->y;
    const Answer to =
        Ask("请点取移动的目标点",
            LineAnd(bx, by, [&](double x, double y) { DrawPlaced(selected, edit::Move(x - bx, y - by)); }));
    if (to.kind == Answer::Kind::Point) PlaceAll(selected, edit::Move(to.x - bx, to.y - by));
}

void Copy(const Picking& picking) {
    const auto selected = Selection(picking);
    if (selected.empty()) return;
    const auto base = Base("请点取复制的基点");
    if (!base) return;
    const double bx = base->x, by = base->y;
    // Copies are placed until the person ends the command.
    for (;;) {
        const Answer to =
            Ask("请点取复制的目标点",
                LineAnd(bx, by, [&](double x, double y) { DrawPlaced(selected, edit::Move(x - bx, y - by)); }));
        if (to.kind != Answer::Kind::Point) return;
        AddPlacedCopies(selected, edit::Move(to.x - bx, to.y - by));
    }
}

void Rotate(const Picking& picking) {
    const auto selected = Selection(picking);
    if (selected.empty()) return;
    const auto base = Base("请点取旋转的基点");
    if (!base) return;
    const double bx = base->x, by = base->y;
    const Answer angle =
        Ask("请点取或输入旋转角度",
            LineAnd(bx, by,
                    [&](double x, double y) { DrawPlaced(selected, edit::Rotate(bx, by, DegreesTo(bx, by, x, y))); }),
            true);
    if (angle.kind == Answer::Kind::None || !std::isfinite(angle.value)) return;
    const double degrees = angle.kind == Answer::Kind::Value ? angle.value : DegreesTo(bx, by, angle.x, angle.y);
    PlaceAll(selected, edit::Rotate(bx, by, degrees));
}

void Scale(const Picking& picking) {
    const auto selected = Selection(picking);
    if (selected.empty()) return;
    const auto base = Base("请点取缩放的基点");
    if (!base) return;
    const double bx = base->x, by = base->y;
    // A number is the factor; a point is a reference, and the next point gives its new distance.
    const Answer first = Ask("请输入缩放比例或点取参考点", LineAnd(bx, by, {}), true);
    double factor = 0;
    if (first.kind == Answer::Kind::Value) {
        factor = first.value;
    } else if (first.kind == Answer::Kind::Point) {
        const double reference = std::hypot(first.x - bx, first.y - by);
        if (!(reference > 0)) return;
        const Answer to = Ask("请点取新的点", LineAnd(bx, by, [&](double x, double y) {
                                  const double k = std::hypot(x - bx, y - by) / reference;
                                  if (k > 0) DrawPlaced(selected, edit::Scale(bx, by, k));
                              }));
        if (to.kind != Answer::Kind::Point) return;
        factor = std::hypot(to.x - bx, to.y - by) / reference;
    }
    if (!(factor > 0) || !std::isfinite(factor)) {
        if (first.kind != Answer::Kind::None) Prompt("缩放比例须大于零");
        return;
    }
    PlaceAll(selected, edit::Scale(bx, by, factor));
}

void Mirror(const Picking& picking) {
    const auto selected = Selection(picking);
    if (selected.empty()) return;
    const auto first = Base("请点取镜像线的第一点");
    if (!first) return;
    const double x1 = first->x, y1 = first->y;
    const Answer second = Ask("请点取镜像线的第二点", LineAnd(x1, y1, [&](double x, double y) {
                                  if (x != x1 || y != y1) DrawPlaced(selected, edit::Mirror(x1, y1, x, y));
                              }));
    if (second.kind != Answer::Kind::Point || (second.x == x1 && second.y == y1)) return;
    AddPlacedCopies(selected, edit::Mirror(x1, y1, second.x, second.y));
}

void Offset(const Picking& picking) {
    auto& engine = DefaultEngine();
    double distance = 0;
    while (!(distance > 0)) {
        Prompt("请输入偏移距离");
        const InputEvent typed = engine.AskInput(InputWant::Value);
        if (typed.type == InputEvent::Type::Value && typed.value > 0 && std::isfinite(typed.value))
            distance = typed.value;
        else if (typed.type != InputEvent::Type::Value && typed.type != InputEvent::Type::Point)
            return m_pCfg->HostClearPrompt();
    }
    // Entities are picked one after another, each copied to the side the person shows.
    for (;;) {
        Prompt("请选择要偏移的对象");
        const InputEvent pick = engine.AskInput(InputWant::Entity);
        if (pick.type != InputEvent::Type::Point) break;
        const auto index = engine.NearestEntity(pick.x, pick.y, picking.aperture, picking.hidden);
        if (!index) continue;
        auto& d = engine.Current();
        if (!edit::CanOffset(d.Entities()[*index])) {
            Prompt("只能偏移直线、圆弧、圆和多段线");
            continue;
        }
        const Entity picked = d.Entities()[*index];
        const Answer side = Ask("请点取偏移的一侧", [&](double x, double y) {
            if (auto made = edit::Offset(picked, distance, x, y)) DrawOutline(edit::Outline(d, *made));
        });
        if (side.kind != Answer::Kind::Point) break;
        if (auto made = edit::Offset(picked, distance, side.x, side.y))
            d.Add(std::move(*made));
        else
            Prompt("偏移后的对象不存在");
    }
    m_pCfg->HostClearPrompt();
}

}  // namespace kwdraw::edits
