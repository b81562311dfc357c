#include "Plot.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <memory>

#include "DisplayPainter.h"

namespace ckw::paint {

namespace {

using ckw::engine::Primitive;

constexpr int kPdfResolution = 600;

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

// The standard paper's short and long sides in millimetres.
std::array<double, 2> PaperSides(Paper paper) {
    switch (paper) {
    case Paper::A0:
        return {841, 1189};
    case Paper::A1:
        return {594, 841};
    case Paper::A2:
        return {420, 594};
    case Paper::A3:
        return {297, 420};
    default:
        return {210, 297};
    }
}

// The area in drawing units that the request plots.
Status AreaOf(const ckw::engine::DisplayModel& model, const PlotRequest& request, std::array<double, 4>& area) {
    switch (request.area) {
    case PlotArea::Frame:
        if (!FindSheetFrame(model, area, request.hiddenLayers)) return "the drawing has no sheet frame";
        return {};
    case PlotArea::Window: {
        const auto& w = request.window;
        area = {std::min(w[0], w[2]), std::min(w[1], w[3]), std::max(w[0], w[2]), std::max(w[1], w[3])};
        if (!std::all_of(w.begin(), w.end(), [](double v) { return std::isfinite(v); }) || !(area[2] > area[0]) ||
            !(area[3] > area[1]))
            return "the plot window has no width or no height";
        return {};
    }
    case PlotArea::Extents:
        break;
    }
    std::array<float, 4> box;
    if (!model.Extents(box)) return "the drawing is empty";
    area = {box[0], box[1], box[2], box[3]};
    return {};
}

// Paints the laid-out page onto a device of `dotsPerMm`, white paper first.
void PaintPage(QPainter& painter, const ckw::engine::DisplayModel& model, const PlotRequest& request,
               const PlotLayout& layout, double dotsPerMm) {
    const QRectF page(0, 0, layout.pageWidthMm * dotsPerMm, layout.pageHeightMm * dotsPerMm);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(page, Qt::white);
    const double dotsPerUnit = dotsPerMm / layout.scale;
    const auto& a = layout.area;
    QRectF clip = page;
    if (request.area == PlotArea::Window) {
        // Only what the window holds; the area's own edges print whole.
        const double x = layout.leftMm * dotsPerMm, top = (layout.pageHeightMm - layout.bottomMm) * dotsPerMm;
        clip = QRectF(x, top - (a[3] - a[1]) * dotsPerUnit, (a[2] - a[0]) * dotsPerUnit, (a[3] - a[1]) * dotsPerUnit)
                   .intersected(page);
    }
    painter.setClipRect(clip);
    painter.translate(layout.leftMm * dotsPerMm, (layout.pageHeightMm - layout.bottomMm) * dotsPerMm);
    painter.scale(dotsPerUnit, -dotsPerUnit);
    painter.translate(-a[0], -a[1]);
    PaintStyle style;
    style.widths = PaintStyle::Widths::Paper;
    style.unitsPerMm = layout.scale;
    style.lightGround = true;
    style.hiddenLayers = request.hiddenLayers;
    style.pens = &request.pens;
    PaintModel(painter, model, style);
    painter.restore();
}

}  // namespace

bool FindSheetFrame(const ckw::engine::DisplayModel& model, std::array<double, 4>& box, const QSet<int>& hiddenLayers) {
    double bestArea = 0;
    for (const Primitive& p : model.Items()) {
        std::array<double, 4> b;
        if (hiddenLayers.contains(p.pen.layer) || !AxisRectangle(p, b)) continue;
        double area = (b[2] - b[0]) * (b[3] - b[1]);
        if (area > bestArea) {
            bestArea = area;
            box = b;
        }
    }
    return bestArea > 0;
}

QSet<int> LayersOff(const ckw::engine::Drawing& d) {
    QSet<int> off;
    for (size_t index : d.LayerEntries())
        if (auto layer = d.Layer(d.Entities()[index].attributes[0]); layer && layer->flag != 0)
            off.insert(layer->number);
    return off;
}

bool PaperByName(const std::string& name, Paper& paper) {
    static const std::pair<const char*, Paper> kNames[] = {{"own", Paper::Own}, {"a0", Paper::A0}, {"a1", Paper::A1},
                                                           {"a2", Paper::A2},   {"a3", Paper::A3}, {"a4", Paper::A4}};
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const auto& [text, value] : kNames)
        if (lower == text) {
            paper = value;
            return true;
        }
    return false;
}

Result<PlotLayout> LayOut(const ckw::engine::DisplayModel& model, const PlotRequest& request) {
    if (!request.fit && (!(request.scale > 0) || !std::isfinite(request.scale)))
        return "the drawing scale must be positive";
    if (!(request.marginMm >= 0) || !std::isfinite(request.marginMm)) return "the margin must not be negative";
    PlotLayout layout;
    if (Status area = AreaOf(model, request, layout.area); !area.ok()) return area;
    const auto& a = layout.area;
    const double width = a[2] - a[0], height = a[3] - a[1];
    if (request.paper == Paper::Own) {
        // The frame and a window are the paper's edge; everything drawn gets the margin around it.
        layout.scale = request.scale;
        const double margin = request.area == PlotArea::Extents ? request.marginMm : 0;
        layout.leftMm = layout.bottomMm = margin;
        layout.pageWidthMm = width / layout.scale + 2 * margin;
        layout.pageHeightMm = height / layout.scale + 2 * margin;
        if (!(layout.pageWidthMm > 0) || !(layout.pageHeightMm > 0))
            return "the drawing has no width or no height to plot";
        return layout;
    }
    const auto sides = PaperSides(request.paper);
    layout.pageWidthMm = request.landscape ? sides[1] : sides[0];
    layout.pageHeightMm = request.landscape ? sides[0] : sides[1];
    const double margin = request.area == PlotArea::Frame ? 0 : request.marginMm;
    const double printableWidth = layout.pageWidthMm - 2 * margin, printableHeight = layout.pageHeightMm - 2 * margin;
    if (!(printableWidth > 0) || !(printableHeight > 0)) return "the margin leaves nothing of the paper";
    layout.scale = request.fit ? std::max(width / printableWidth, height / printableHeight) : request.scale;
    if (!(layout.scale > 0) || !std::isfinite(layout.scale)) return "the drawing has no width or no height to plot";
    if (request.centred) {
        layout.leftMm = (layout.pageWidthMm - width / layout.scale) / 2;
        layout.bottomMm = (layout.pageHeightMm - height / layout.scale) / 2;
    } else {
        layout.leftMm = layout.bottomMm = margin;
    }
    return layout;
}

Result<QImage> PlotPreview(const ckw::engine::DisplayModel& model, const PlotRequest& request, int pixels) {
    if (pixels <= 0) return "the preview has no size";
    Result<PlotLayout> laidOut = LayOut(model, request);
    if (!laidOut) return laidOut.status();
    const PlotLayout& layout = *laidOut;
    const double dotsPerMm = pixels / std::max(layout.pageWidthMm, layout.pageHeightMm);
    QImage image(std::max(1, int(std::lround(layout.pageWidthMm * dotsPerMm))),
                 std::max(1, int(std::lround(layout.pageHeightMm * dotsPerMm))), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPage(painter, model, request, layout, dotsPerMm);
    painter.end();
    return image;
}

Status PlotPdf(const std::vector<PlotPage>& pages, const std::string& utf8Path) {
    if (pages.empty()) return "nothing to plot";
    // Every page is laid out before the file is touched: a set with one bad drawing writes nothing.
    std::vector<PlotLayout> layouts;
    for (size_t i = 0; i < pages.size(); ++i) {
        Result<PlotLayout> layout = pages[i].model ? LayOut(*pages[i].model, pages[i].request) : "nothing to plot";
        if (!layout)
            return Status(pages.size() > 1 ? "page " + std::to_string(i + 1) + ": " + layout.why() : layout.why());
        layouts.push_back(*std::move(layout));
    }
    auto pageLayout = [](const PlotLayout& l) {
        // The size is given as the page lies; "landscape" would turn a wide page on its side.
        const QPageSize size(QSizeF(l.pageWidthMm, l.pageHeightMm), QPageSize::Millimeter, QString(),
                             QPageSize::ExactMatch);
        return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    };
    QPdfWriter pdf(QString::fromUtf8(utf8Path.data(), static_cast<qsizetype>(utf8Path.size())));
    pdf.setPageLayout(pageLayout(layouts[0]));
    pdf.setResolution(kPdfResolution);
    pdf.setCreator(QStringLiteral("kwdraw"));
    QPainter painter;
    if (!painter.begin(&pdf)) return Status("cannot write " + utf8Path);
    const double dotsPerMm = pdf.resolution() / 25.4;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            pdf.setPageLayout(pageLayout(layouts[i]));
            pdf.newPage();
        }
        PaintPage(painter, *pages[i].model, pages[i].request, layouts[i], dotsPerMm);
    }
    if (!painter.end()) return Status("cannot finish " + utf8Path);
    return {};
}

Status PlotPdf(const ckw::engine::DisplayModel& model, const std::string& utf8Path, const PlotRequest& request) {
    return PlotPdf({PlotPage{&model, request}}, utf8Path);
}

}  // namespace ckw::paint
