#include <ckw/DrawingPara.h>

#include <cstdlib>

#include "dao/Dao.h"
#include "base/GbkText.h"
#include "drawpara/ParaIndex.h"
#include "drawpara/ParaMessages.h"
#include "drawpara/SharedLibraryRead.h"

CDrawingPara m_exDrawingPara;

CDrawingPara::CDrawingPara() : m_index(std::make_unique<Index>()) {}

CDrawingPara::~CDrawingPara() { Close(); }

void CDrawingPara::Init() {
    const ckw::drawpara::OneMessagePerLoad load;
    UpdateUserLib();
    m_drawingScale = 100;
    m_closed = 0;
    ReSetAllData();
}

void CDrawingPara::Close() {
    if (m_closed) return;
    m_lineTypes.clear();
    m_colors.clear();
    m_texts.clear();
    m_dims.clear();
    m_userParas.clear();
    m_layers.clear();
    RebuildIndex();
    ckw::dao::Terminate();
    m_closed = 1;
}

void CDrawingPara::ReSetAllData() {
    if (m_closed) return;
    const ckw::drawpara::OneMessagePerLoad load;
    // The loaders do not throw: the indexes are built once, after the last list.
    m_index->loadingAll = true;
    {
        const ckw::drawpara::SharedLibraryRead oneRead(m_userLibPath);
        ReadLineType_FromDbLib();
        ReadColorDef_FromDbLib();
        ReadTextDef_FromDbLib();
        ReadLayerInfo_FromDbLib();
    }
    m_index->loadingAll = false;
    RebuildIndex();
}

void CDrawingPara::EnsureLoaded() {
    if (m_closed) Init();
}

void CDrawingPara::RebuildIndex() {
    using ckw::text::NameKey;
    using ckw::text::ToUpper;
    Index& ix = *m_index;
    if (ix.loadingAll) return;
    ix = Index{};
    ix.texts.Reserve(m_texts.size());
    ix.dims.Reserve(m_dims.size());
    ix.colors.Reserve(2 * m_colors.size());
    ix.lineTypeNames.Reserve(m_lineTypes.size());
    ix.lineTypeUpper.Reserve(m_lineTypes.size());
    ix.layers.Reserve(m_layers.size());
    ix.layerValues.reserve(m_layers.size());
    for (size_t i = 0; i < m_texts.size(); ++i) ix.texts.Add(NameKey(m_texts[i]->GetTextType()), int(i));
    for (size_t i = 0; i < m_dims.size(); ++i) ix.dims.Add(NameKey(m_dims[i]->GetTextType()), int(i));
    // A colour text may name a colour by its name or by its description; the first record that
    // matches either way wins, so both keys of a record go in before the next record's.
    for (size_t i = 0; i < m_colors.size(); ++i) {
        ix.colors.Add(NameKey(m_colors[i]->GetColorName()), int(i));
        ix.colors.Add(NameKey(m_colors[i]->GetColorDes()), int(i));
    }
    for (size_t i = 0; i < m_lineTypes.size(); ++i) {
        ix.lineTypeNames.Add(NameKey(m_lineTypes[i]->GetLineTypeName()), int(i));
        ix.lineTypeUpper.Add(ToUpper(m_lineTypes[i]->GetLineTypeName()), int(i));
    }
    // Layers last: their colour and line-type texts are resolved with the indexes above.
    for (size_t i = 0; i < m_layers.size(); ++i) {
        const CkwLayerDef_& layer = *m_layers[i];
        ix.layers.Add(NameKey(layer.GetComponentKind()), int(i));
        ix.layerValues.push_back({std::atoi(layer.GetLayerNumber()), GetCfgColorFromString(layer.GetColor()),
                                  GetLineValueFromString(layer.GetLineType())});
    }
}
