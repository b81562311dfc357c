// A full redraw of a 100,000-entity drawing onto an offscreen image through the display model
// painter, against painting the same primitives straight with QPainter in a loop, in the same run.
// Target: within 1.5x.
//  - BM_ModelPainter: PaintModel as the canvas calls it: every primitive kind, colours from the
//    palette, pens by colour, width and line type (dashes from the drawing's line types), texts
//    placed by anchor, angle and drawn length. It keeps one pen per kind of pen, draws runs of
//    solid lines as one batch of segments, flattens circles at their size in pixels, lays out each
//    distinct text once and leaves out what lies outside the image (the top tenth of the plan).
//  - BM_StraightQPainter: for each primitive a new cosmetic pen of its colour and width (Qt's dash
//    for dashed line types), then drawPolyline, drawEllipse or drawText at the anchor; it paints
//    every primitive, also those outside the image, and does not turn, align or stretch texts.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "BenchDrawing.h"
#include "DisplayPainter.h"
#include <ckw/ReferenceEngine.h>

namespace {

using namespace ckw;

struct Fixture {
    engine::Drawing drawing = bench::PlanDrawing(100000);
    engine::DisplayModel model{drawing};
    QImage image{1600, 1000, QImage::Format_ARGB32_Premultiplied};
    QTransform view;
    Fixture() {
        view.translate(0, 1000);
        view.scale(1600.0 / 100000, -1600.0 / 100000);
    }
};

Fixture& Data() {
    static Fixture f;
    return f;
}

void BM_ModelPainter(benchmark::State& state) {
    auto& f = Data();
    for (auto _ : state) {
        QPainter p(&f.image);
        p.fillRect(f.image.rect(), Qt::black);
        p.setTransform(f.view);
        paint::PaintStyle style;
        style.devicePerUnit = 1600.0 / 100000;
        paint::PaintModel(p, f.model, style);
    }
}
BENCHMARK(BM_ModelPainter)->Unit(benchmark::kMillisecond);

void BM_StraightQPainter(benchmark::State& state) {
    auto& f = Data();
    for (auto _ : state) {
        QPainter p(&f.image);
        p.fillRect(f.image.rect(), Qt::black);
        p.setTransform(f.view);
        QFont font;
        font.setPixelSize(100);
        p.setFont(font);
        for (const auto& item : f.model.Items()) {
            int rgb = engine::ColourToRgb(item.pen.colour);
            QPen pen(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
            pen.setCosmetic(true);
            pen.setWidthF(1 + item.pen.widthCode / 1000.0);
            if (item.pen.lineType > 1) pen.setStyle(Qt::DashLine);
            p.setPen(pen);
            switch (item.kind) {
            case engine::Primitive::Kind::Path: {
                QPolygonF line;
                for (const auto& q : item.points) line << QPointF(q.x, q.y);
                p.drawPolyline(line);
                break;
            }
            case engine::Primitive::Kind::Circle:
                p.drawEllipse(QPointF(item.points[0].x, item.points[0].y), item.radius, item.radius);
                break;
            case engine::Primitive::Kind::Text:
                for (const auto& line : item.lines) {
                    p.save();
                    p.translate(item.points[0].x, item.points[0].y);
                    p.scale(item.height / 100, -item.height / 100);
                    p.drawText(QPointF(0, line.offset), QString::fromUtf8(line.utf8.data()));
                    p.restore();
                }
                break;
            default:
                break;
            }
        }
    }
}
BENCHMARK(BM_StraightQPainter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    static char platform[] = "-platform", offscreen[] = "offscreen";
    int qtArgc = 3;
    char* qtArgv[] = {argv[0], platform, offscreen, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
