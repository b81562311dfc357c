// kwutil params: load the parameter library and print its tables.
#include <iostream>
#include <sstream>

#include "Command.h"
#include "Configuration.h"
#include <ckw/DrawingPara.h>
#include "TablePrinter.h"

namespace {

std::string Number(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

void PrintTables(CDrawingPara& para, std::ostream& out) {
    using kwutil::Utf8;
    out << "configuration directory: " << Utf8(para.GetCfgPath()) << "\n";
    out << "user library: " << Utf8(para.GetUserLibPath()) << "\n";
    out << "drawing mode: " << para.GetDrawingKind05() << "\n";

    out << "\nline types (" << para.GetLineTypeCount() << ")\n";
    kwutil::TablePrinter lineTypes({"no.", "name", "pattern", "description"});
    for (int i = 0; i < para.GetLineTypeCount(); ++i) {
        const auto* t = para.GetLineTypeAt(i);
        lineTypes.Add(
            {std::to_string(i + 1), Utf8(t->GetLineTypeName()), Utf8(t->GetLineTypeData()), Utf8(t->GetLineTypeDes())});
    }
    lineTypes.Print(out);

    out << "\ncolours (" << para.GetColorCount() << ")\n";
    kwutil::TablePrinter colors({"name", "number", "description"});
    for (int i = 0; i < para.GetColorCount(); ++i) {
        const auto* c = para.GetColorAt(i);
        colors.Add({Utf8(c->GetColorName()), std::to_string(c->GetColorValue()), Utf8(c->GetColorDes())});
    }
    colors.Print(out);

    out << "\ntext sizes (" << para.GetTextCount() << ")\n";
    kwutil::TablePrinter texts({"annotation", "height", "width"});
    for (int i = 0; i < para.GetTextCount(); ++i) {
        const auto* t = para.GetTextAt(i);
        texts.Add({Utf8(t->GetTextType()), Number(t->GetTextHeight()), Number(t->GetTextWidth())});
    }
    texts.Print(out);

    out << "\ndimension sizes (" << para.GetDimCount() << ")\n";
    kwutil::TablePrinter dims({"item", "value", "description"});
    for (int i = 0; i < para.GetDimCount(); ++i) {
        const auto* d = para.GetDimAt(i);
        dims.Add({Utf8(d->GetTextType()), Number(d->GetTextValue()), Utf8(d->GetTextDes())});
    }
    dims.Print(out);

    out << "\ncomponent layers (" << para.GetLayerCount() << ")\n";
    kwutil::TablePrinter layers({"component", "layer", "no.", "colour", "line type", "width"});
    for (int i = 0; i < para.GetLayerCount(); ++i) {
        const auto* l = para.GetLayerAt(i);
        std::string color =
            Utf8(l->GetColor()) + " (" + std::to_string(para.GetCfgColorFromString(l->GetColor())) + ")";
        std::string lineType =
            Utf8(l->GetLineType()) + " (" + std::to_string(para.GetLineValueFromString(l->GetLineType())) + ")";
        layers.Add({Utf8(l->GetComponentKind()), Utf8(l->GetLayerName()), Utf8(l->GetLayerNumber()), color, lineType,
                    Number(l->GetLineWidth())});
    }
    layers.Print(out);
}

const kwutil::Command reg("params", "Load the parameter library (creating or upgrading the user library) and print it",
                          [](CLI::App&) -> kwutil::Runner {
                              return [] {
                                  kwutil::EnsureConfiguration();
                                  m_exDrawingPara.Init();
                                  bool loaded =
                                      m_exDrawingPara.GetLineTypeCount() > 0 && m_exDrawingPara.GetLayerCount() > 0;
                                  PrintTables(m_exDrawingPara, std::cout);
                                  m_exDrawingPara.Close();
                                  return loaded ? 0 : 1;
                              };
                          });

}  // namespace
