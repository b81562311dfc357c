#pragma once
// The lookup indexes of CDrawingPara, rebuilt whenever a list is loaded.
#include <vector>

#include <ckw/DrawingPara.h>
#include "drawpara/NameIndex.h"

struct CDrawingPara::Index {
    ckw::drawpara::NameIndex layers;         // component kind
    ckw::drawpara::NameIndex texts;          // annotation kind
    ckw::drawpara::NameIndex dims;           // dimension item
    ckw::drawpara::NameIndex colors;         // colour name or description
    ckw::drawpara::NameIndex lineTypeNames;  // line-type name, upper-cased and right-trimmed
    ckw::drawpara::NameIndex lineTypeUpper;  // line-type name, only upper-cased

    // What the texts of each layer record name, resolved against the colour and line-type lists
    // as they were when the index was built.
    struct LayerValues {
        int number = 0;
        int color = 0;
        int lineType = 0;
    };
    std::vector<LayerValues> layerValues;

    // While every list is loaded in turn, the indexes are built once, after the last.
    bool loadingAll = false;
};
