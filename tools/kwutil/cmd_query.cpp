// One query each on the parameter library: kwutil layer KIND, linetype NAME|NUMBER, text KIND,
// dim ITEM, userpara TABLE ITEM. UTF-8 in and out; exit status 0 when found, 1 when not.
#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "Command.h"
#include "Configuration.h"
#include <ckw/DrawingPara.h>
#include "base/GbkText.h"

namespace {

using kwutil::Gbk;
using kwutil::Utf8;

// Runs a query on the loaded library and closes it again.
template <typename Query>
kwutil::Runner Loaded(Query query) {
    return [query] {
        kwutil::EnsureConfiguration();
        m_exDrawingPara.Init();
        int status = query(m_exDrawingPara);
        m_exDrawingPara.Close();
        return status;
    };
}

int NotFound(const std::string& what) {
    std::cerr << "not found: " << kwutil::Shown(what) << "\n";
    return 1;
}

// A line-type number: the whole text one int (anything else is a name).
std::optional<int> LineTypeNumber(const std::string& text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

const kwutil::Command layer("layer", "Layer, colour, line type and width of a component kind",
                            [](CLI::App& cmd) -> kwutil::Runner {
                                auto kind = std::make_shared<std::string>();
                                cmd.add_option("KIND", *kind, ckw::text::U8(u8"component kind, e.g. 梁"))->required();
                                return Loaded([kind](CDrawingPara& para) {
                                    std::string name(256, '\0');
                                    int number = 0, color = 0, lineType = 0;
                                    float width = 0;
                                    if (!para.GetLayerInfo(Gbk(*kind).c_str(), name.data(), name.size(), number, color,
                                                           lineType, width))
                                        return NotFound(*kind);
                                    std::cout << "layer: " << Utf8(name.c_str()) << "\nnumber: " << number
                                              << "\ncolour: " << color << "\nline type: " << lineType
                                              << "\nwidth: " << width << "\n";
                                    return 0;
                                });
                            });

const kwutil::Command linetype("linetype", "Number and dash pattern of a line type, by name or number",
                               [](CLI::App& cmd) -> kwutil::Runner {
                                   auto key = std::make_shared<std::string>();
                                   cmd.add_option("NAME|NUMBER", *key, "line-type name or number")->required();
                                   return Loaded([key](CDrawingPara& para) {
                                       int number = 0, count = 0;
                                       float values[9] = {};
                                       bool found = false;
                                       if (const auto typed = LineTypeNumber(*key)) {
                                           number = *typed;
                                           found = para.GetLineTypeInfo(number, count, values);
                                       } else {
                                           found = para.GetLineTypeInfo(Gbk(*key).c_str(), number, count, values);
                                       }
                                       if (!found) return NotFound(*key);
                                       std::cout << "number: " << number << "\ndashes:";
                                       for (int i = 0; i < count; ++i) std::cout << " " << values[i];
                                       std::cout << (count == 0 ? " (solid)\n" : "\n");
                                       return 0;
                                   });
                               });

const kwutil::Command text("text", "Text height and width of an annotation kind", [](CLI::App& cmd) -> kwutil::Runner {
    auto kind = std::make_shared<std::string>();
    cmd.add_option("KIND", *kind, ckw::text::U8(u8"annotation kind, e.g. 钢筋标注"))->required();
    return Loaded([kind](CDrawingPara& para) {
        float height = 0, width = 0;
        if (!para.GetTextInfo(Gbk(*kind).c_str(), height, width)) return NotFound(*kind);
        std::cout << "height: " << height << "\nwidth: " << width << "\n";
        return 0;
    });
});

const kwutil::Command dim("dim", "Value of a dimensioning item", [](CLI::App& cmd) -> kwutil::Runner {
    auto item = std::make_shared<std::string>();
    cmd.add_option("ITEM", *item, "dimensioning item")->required();
    return Loaded([item](CDrawingPara& para) {
        float value = 0;
        if (!para.GetDimInfo(Gbk(*item).c_str(), value)) return NotFound(*item);
        std::cout << "value: " << value << "\n";
        return 0;
    });
});

const kwutil::Command userpara("userpara", "Value and kind of an item of a user-parameter table",
                               [](CLI::App& cmd) -> kwutil::Runner {
                                   auto table = std::make_shared<std::string>();
                                   auto item = std::make_shared<std::string>();
                                   cmd.add_option("TABLE", *table, "user-parameter table")->required();
                                   cmd.add_option("ITEM", *item, "item of the table")->required();
                                   return Loaded([table, item](CDrawingPara& para) {
                                       std::string value(1024, '\0'), kind(256, '\0');
                                       if (!para.GetUserParaInfo(Gbk(*table).c_str(), Gbk(*item).c_str(), value.data(),
                                                                 value.size(), kind.data(), kind.size()))
                                           return NotFound(*item);
                                       std::cout << "value: " << Utf8(value.c_str()) << "\nkind: " << Utf8(kind.c_str())
                                                 << "\n";
                                       return 0;
                                   });
                               });

}  // namespace
