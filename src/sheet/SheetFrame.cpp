// Sheet frames: paper sizes, the frame lines on the frame layer, and the title and countersign
// blocks placed against the inner border. Lengths are drawing units (millimetres x scale).
#include <filesystem>
#include <limits>
#include <string>

#include <ckw/DrawingPara.h>
#include <ckw/HostEngine.h>
#include <ckw/Util.h>
#include "base/GbkText.h"
#include "platform/Ui.h"
#include "sheet/FrameSettings.h"

namespace {

constexpr int kTitleBlockNumber = 998;
constexpr int kCountersignBlockNumber = 997;
constexpr char kCountersignFile[] = "HQL.T";
constexpr char kDefaultTitleFile[] = "BTL.T";
// How far the centring marks reach past the inner border (never scaled).
constexpr float kMarkOverrun = 5.0f;

struct FramePen {
    int layer = 0, lineType = 1, widthCode = 0, colour = 7;
    void Set(int code) const {
        const int mode = 1;
        m_pCfg->HostSetPen(layer, lineType, code, colour, mode);
    }
};

FramePen LookUpFramePen() {
    FramePen pen;
    char name[100] = {};
    float width = 0;
    m_exDrawingPara.GetLayerInfo("图框", name, sizeof name, pen.layer, pen.colour, pen.lineType, width);
    pen.widthCode = static_cast<int>(width * 1000.0f);
    return pen;
}

void DrawRectangle(float x0, float y0, float x1, float y1) {
    const int count = 5;
    const float xs[count] = {x0, x1, x1, x0, x0};
    const float ys[count] = {y0, y0, y1, y1, y0};
    m_pCfg->HostDrawPolyline(count, xs, ys);
}

bool FileExists(const std::string& gbkPath) {
    std::error_code ec;
    return std::filesystem::is_regular_file(ckw::text::GbkToUtf8(gbkPath), ec);
}

// The frame of every DRWFRAME form. scaled: the scaled form (lengths x scale, heavy inner border,
// blocks placed by the scaled ZDRWBTL).
void DrawFrame(CUtil& util, KeloPoint2d origin, float length, float width, float margin, float binding, int orientation,
               int withBlocks, const char* titleFile, float scale, bool scaled) {
    if (!m_pCfg) return;
    if (scaled) {
        length *= scale;
        width *= scale;
        margin *= scale;
        binding *= scale;
    }
    const bool portrait = orientation == 1;
    const float ox = static_cast<float>(origin.x), oy = static_cast<float>(origin.y);
    const float paperX = portrait ? width : length, paperY = portrait ? length : width;
    const float innerX = ox + (portrait ? margin : binding), innerY = oy + margin;
    const float innerW = portrait ? width - 2 * margin : length - margin - binding;
    const float innerH = portrait ? length - margin - binding : width - 2 * margin;

    FramePen pen = LookUpFramePen();
    pen.Set(scaled ? pen.widthCode * 4 : pen.widthCode);
    DrawRectangle(innerX, innerY, innerX + innerW, innerY + innerH);
    pen.Set(pen.widthCode);
    DrawRectangle(ox, oy, ox + paperX, oy + paperY);

    const float midX = ox + paperX / 2, midY = oy + paperY / 2;
    const float top = oy + paperY, right = ox + paperX;
    m_pCfg->HostDrawLine(midX, oy, midX, oy + margin + kMarkOverrun);
    m_pCfg->HostDrawLine(midX, top, midX, top - (portrait ? binding : margin) - kMarkOverrun);
    m_pCfg->HostDrawLine(ox, midY, ox + (portrait ? margin : binding) + kMarkOverrun, midY);
    m_pCfg->HostDrawLine(right, midY, right - margin - kMarkOverrun, midY);

    if (withBlocks != 1) return;
    const CString title(titleFile ? titleFile : kDefaultTitleFile);
    const CString countersign(kCountersignFile);
    const int rotate = portrait ? 1 : 0;
    const KeloPoint2d titleCorner(portrait ? innerX : innerX + innerW, innerY);
    const KeloPoint2d countersignCorner(portrait ? innerX + innerW : innerX, innerY + innerH);
    if (scaled) {
        util.ZDRWBTL(title, kTitleBlockNumber, titleCorner, 1, -1, rotate, scale);
        util.ZDRWBTL(countersign, kCountersignBlockNumber, countersignCorner, 1, 1, rotate, scale);
    } else {
        util.ZDRWBTL(title, kTitleBlockNumber, titleCorner, 1, -1, rotate);
        util.ZDRWBTL(countersign, kCountersignBlockNumber, countersignCorner, 1, 1, rotate);
    }
}

// Loads the block file; false (after telling the user when the file is missing) when it cannot.
bool LoadBlock(const CString& file, int& blockNumber, float extents[6], bool scaled, float scale) {
    std::string path = ckw::geom::TitleBlockPath(file.str());
    if (!FileExists(path)) {
        CString text;
        text.Format("没有找到系统文件%s!!", path.c_str());
        ckw::ui::ShowError(text.str());
        return false;
    }
    const int length = static_cast<int>(path.size());
    int error = 1;
    if (!scaled) {
        m_pCfg->HostLoadBlockFile(path.c_str(), length, blockNumber, extents, error);
        return error == 0;
    }
    for (int count = 1;;) {
        m_pCfg->HostQueryBlockNumber(blockNumber, count);
        if (count <= 0) break;
        if (blockNumber == std::numeric_limits<int>::max()) return false;  // no free number left
        ++blockNumber;
    }
    const float basePoint[3] = {0, 0, 0};
    const float transform[kHostCoordsRecordSize] = {0, 0, 0, scale, scale, scale, 0, 0, 0};
    m_pCfg->HostLoadBlockFileScaled(path.c_str(), length, blockNumber, basePoint, transform, path.c_str(), length,
                                    extents, error);
    return error == 0;
}

void PlaceBlock(const CString& file, int blockNumber, KeloPoint2d corner, int xSide, int ySide, int rotate, bool scaled,
                float scale) {
    if (!m_pCfg) return;
    float extents[6] = {};
    if (!LoadBlock(file, blockNumber, extents, scaled, scale)) return;
    float dx = xSide == 1 ? extents[3] : extents[0];
    float dy = ySide == -1 ? extents[1] : extents[4];
    if (scaled) {
        dx *= scale;
        dy *= scale;
    }
    const float cx = static_cast<float>(corner.x), cy = static_cast<float>(corner.y);
    const float x = rotate ? cx - dy : cx - dx;
    const float y = rotate ? cy + dx : cy - dy;
    // The scaled block definition already carries the scale, so it is inserted at full size.
    const float basePoint[3] = {9999.0f, 9999.0f, 9999.0f};
    const float transform[kHostCoordsRecordSize] = {x, y, 0, 1, 1, 1, 0, 0, rotate ? -90.0f : 0.0f};
    const int oneEntity = 1;
    m_pCfg->HostInsertBlock(blockNumber, oneEntity, basePoint, transform);
}

}  // namespace

void CUtil::GetDrawingSize(int sheet, float& length, float& width) {
    static constexpr float kSizes[5][2] = {{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}};
    const int row = sheet >= 0 && sheet <= 4 ? sheet : 1;
    length = kSizes[row][0];
    width = kSizes[row][1];
}

void CUtil::DRWFRAME(KeloPoint2d origin, float& length, float& width, float& margin, float& binding, int& orientation,
                     int& withBlocks) {
    DrawFrame(*this, origin, length, width, margin, binding, orientation, withBlocks, kDefaultTitleFile, 1.0f, false);
}

void CUtil::DRWFRAME(KeloPoint2d origin, float& length, float& width, float& margin, float& binding, int& orientation,
                     int& withBlocks, const char* titleFile) {
    DrawFrame(*this, origin, length, width, margin, binding, orientation, withBlocks, titleFile, 1.0f, false);
}

void CUtil::DRWFRAME(KeloPoint2d origin, float& length, float& width, float& margin, float& binding, int& orientation,
                     int& withBlocks, const char* titleFile, float& scale) {
    DrawFrame(*this, origin, length, width, margin, binding, orientation, withBlocks, titleFile, scale, true);
}

void CUtil::ZDRWBTL(CString file, int blockNumber, KeloPoint2d corner, int xSide, int ySide, int rotate) {
    PlaceBlock(file, blockNumber, corner, xSide, ySide, rotate, false, 1.0f);
}

void CUtil::ZDRWBTL(CString file, int blockNumber, KeloPoint2d corner, int xSide, int ySide, int rotate, float scale) {
    PlaceBlock(file, blockNumber, corner, xSide, ySide, rotate, true, scale);
}
