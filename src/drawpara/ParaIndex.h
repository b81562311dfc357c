#pragma once
// The lookup indexes of CDrawingPara, rebuilt whenever a list is loaded.
#include "DrawingPara.h"
#include "drawpara/NameIndex.h"

struct CDrawingPara::Index {
    ckw::drawpara::NameIndex layers;         // component kind
    ckw::drawpara::NameIndex texts;          // annotation kind
    ckw::drawpara::NameIndex dims;           // dimension item
    ckw::drawpara::NameIndex colors;         // colour name or description
    ckw::drawpara::NameIndex lineTypeNames;  // line-type name, upper-cased and right-trimmed
    ckw::drawpara::NameIndex lineTypeUpper;  // line-type name, only upper-cased
};
