#include "Plot.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>

#include "DisplayPainter.h"

namespace ckw::paint {

namespace {

using ckw::engine::Primitive;

// Four corners and the first again, each side along an axis.
bool AxisRectangle(const Primitive& p, std::array<double, 4>& box) {
    if (p.kind != Primitive::Kind::Path || p.points.size() != 5) return false;
    const auto& q = p.points;
    if (q[0].x != q[4].x || q[0].y != q[4].y) return false;
    for (size_t i = 0; i < 4; ++i) {
        bool alongX = q[i].y == q[i + 1].y && q[i].x != q[i + 1].x;
        bool alongY = q[i].x == q[i + 1].x && q[i].y != q[i + 1].y;
        if (!alongX && !alongY) return false;
    }
    box = {std::min(q[0].x, q[2].x), std::min(q[0].y, q[2].y), std::max(q[0].x, q[2].x), std::max(q[0].y, q[2].y)};
    return true;
}

// The area in drawing units that the request plots.
bool PlotArea(const ckw::engine::DisplayModel& model, const PlotRequest& request, std::array<double, 4>& area,
              std::string& error) {
    if (!(request.scale > 0) || !std::isfinite(request.scale)) {
        error = "the drawing scale must be positive";
        return false;
    }
    if (request.frameOnly) {
        if (!FindSheetFrame(model, area)) {
            error = "the drawing has no sheet frame";
            return false;
        }
        return true;
    }
    std::array<float, 4> box;
    if (!model.Extents(box)) {
        error = "the drawing is empty";
        return false;
    }
    double margin = request.marginMm * request.scale;
    area = {box[0] - margin, box[1] - margin, box[2] + margin, box[3] + margin};
    return true;
}

}  // namespace

bool FindSheetFrame(const ckw::engine::DisplayModel& model, std::array<double, 4>& box) {
    double bestArea = 0;
    for (const Primitive& p : model.Items()) {
        std::array<double, 4> b;
        if (!AxisRectangle(p, b)) continue;
        double area = (b[2] - b[0]) * (b[3] - b[1]);
        if (area > bestArea) {
            bestArea = area;
            box = b;
        }
    }
    return bestArea > 0;
}

bool PlotPageSize(const ckw::engine::DisplayModel& model, const PlotRequest& request, double& widthMm, double& heightMm,
                  std::string& error) {
    std::array<double, 4> area;
    if (!PlotArea(model, request, area, error)) return false;
    widthMm = (area[2] - area[0]) / request.scale;
    heightMm = (area[3] - area[1]) / request.scale;
    return true;
}

bool PlotPdf(const ckw::engine::DisplayModel& model, const std::string& utf8Path, const PlotRequest& request,
             std::string& error) {
    std::array<double, 4> area;
    if (!PlotArea(model, request, area, error)) return false;
    const double widthMm = (area[2] - area[0]) / request.scale, heightMm = (area[3] - area[1]) / request.scale;
    QPdfWriter pdf(QString::fromUtf8(utf8Path.data(), static_cast<qsizetype>(utf8Path.size())));
    const QPageSize page(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    // The size is given as the page lies; "landscape" would turn a wide page on its side.
    pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    pdf.setResolution(600);
    pdf.setCreator(QStringLiteral("kwdraw"));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        error = "cannot write " + utf8Path;
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const double dotsPerUnit = pdf.resolution() / 25.4 / request.scale;
    painter.fillRect(QRectF(0, 0, pdf.width(), pdf.height()), Qt::white);
    painter.setClipRect(QRectF(0, 0, pdf.width(), pdf.height()));
    painter.translate(-area[0] * dotsPerUnit, area[3] * dotsPerUnit);
    painter.scale(dotsPerUnit, -dotsPerUnit);
    PaintStyle style;
    style.widths = PaintStyle::Widths::Paper;
    style.unitsPerMm = request.scale;
    style.lightGround = true;
    PaintModel(painter, model, style);
    if (!painter.end()) {
        error = "cannot finish " + utf8Path;
        return false;
    }
    return true;
}

}  // namespace ckw::paint
