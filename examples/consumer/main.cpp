// Asks the parameter library for the layer of beams and the size of bar marks, as a drawing
// program does. The configuration directory must have been set up (kwutil setup DIR).
#include <CkwCommonUtil.h>

#include <cstdio>

int main() {
    m_exDrawingPara.Init();
    char layer[100] = "";
    int number = 0, colour = 0, lineType = 0;
    float width = 0;
    if (!m_exDrawingPara.GetLayerInfo("梁", layer, sizeof layer, number, colour, lineType, width)) {
        std::fprintf(stderr, "no layer for beams\n");
        return 1;
    }
    float height = 0, textWidth = 0;
    if (!m_exDrawingPara.GetTextInfo("钢筋标注", height, textWidth)) {
        std::fprintf(stderr, "no text size for bar marks\n");
        return 1;
    }
    std::printf("beams: layer number %d, colour %d, line type %d, width %g\n", number, colour, lineType, width);
    std::printf("bar marks: height %g, width %g\n", height, textWidth);
    std::printf("line types: %d, drawing mode: %d\n", m_exDrawingPara.GetLineTypeCount(),
                m_exDrawingPara.GetDrawingKind05());
    m_exDrawingPara.Close();
    return number > 0 && height > 0 ? 0 : 1;
}
