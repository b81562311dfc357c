// The canvas of a large drawing: after the drawing is opened its picture arrives in slices between
// events, the first paint saying how far it has come, and it ends as the drawing painted at once,
// also when the drawing changes while it arrives.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <array>
#include <cmath>
#include <utility>

#include "DisplayPainter.h"
#include "DrawingView.h"
#include <ckw/ReferenceEngine.h>

namespace {

using ckw::engine::Entity;

// Lines, circles and texts on three layers, a dashed line type on some.
void Fill(ckw::engine::Drawing& d, int entities) {
    d.DefineLineType(2, {600, -300});
    for (int i = 0; i < entities; ++i) {
        Entity e;
        e.attributes = {1 + i % 3, i % 7 == 0 ? 2 : 1, (i % 4) * 250, 1 + i % 6, 0, 0, 0};
        const float x = float((i * 7919LL) % 100000), y = float((i * 104729LL) % 70000);
        if (i % 10 == 0) {
            e.kind = ckw::engine::kCircle;
            e.values = {x, y, float(50 + i % 400)};
        } else if (i % 10 == 1) {
            e.kind = ckw::engine::kWesternText;
            e.text = "KL" + std::to_string(i % 50);
            e.values = {1500, 1000, x, y, 0, 101, 101};
        } else {
            e.kind = ckw::engine::kLine;
            e.values = {x, y, x + float(i % 2000), y + float(i % 3 ? 0 : 900)};
        }
        d.Add(std::move(e));
    }
}

QImage PaintedAtOnce(kwdraw::DrawingView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setTransform(view.WorldToDevice());
    ckw::paint::PaintStyle style;
    style.devicePerUnit = view.Scale();
    ckw::paint::PaintModel(p, view.Model(), style);
    return image;
}

QImage Shown(kwdraw::DrawingView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(Canvas, ALargeDrawingArrivesInSlicesAndEndsAsPaintedAtOnceAlsoWhenItChanges) {
    auto& engine = ckw::engine::DefaultEngine();
    engine.Reset();
    const int unit = engine.NewDrawing(0);
    Fill(*engine.DrawingOn(unit), 60000);
    kwdraw::DrawingView view(unit);
    view.resize(800, 500);
    view.show();

    // The first paint comes before any slice: the ground and how far the drawing has come.
    const QImage first = Shown(view);
    EXPECT_FALSE(view.Arrived());
    int lit = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) lit += first.pixel(x, y) != qRgb(0, 0, 0);
    EXPECT_GT(lit, 0) << "the progress is shown";
    EXPECT_LT(lit, first.width() * first.height() / 50) << "no drawing yet";

    // A line added while the drawing arrives: the canvas starts again and ends showing it.
    Entity diagonal;
    diagonal.kind = ckw::engine::kLine;
    diagonal.attributes = {4, 1, 0, 3, 0, 0, 0};
    diagonal.values = {0, 0, 100000, 70000};
    engine.DrawingOn(unit)->Add(diagonal);
    while (!view.Arrived()) QApplication::processEvents();
    ASSERT_EQ(view.Model().Items().size(), 60001u);
    EXPECT_EQ(view.Model().Items().back().pen.layer, 4);
    const QImage last = Shown(view);
    EXPECT_TRUE(last == PaintedAtOnce(view)) << "the picture painted in slices is the picture painted at once";
    EXPECT_NE(last.pixel(view.ToDevice({50000, 35000}).toPoint()), qRgb(0, 0, 0)) << "the diagonal is shown";
}

// What lies outside the device is left out, and nothing that shows: a small image is the corner of
// a large one painted through the same transform (the drawing's horizontal and vertical lines,
// circles and texts cross its edges).
TEST(Canvas, APartOfTheDrawingIsPaintedAsTheSameCornerOfTheWhole) {
    ckw::engine::Drawing d;
    Fill(d, 20000);
    // Last, so painted over the others: a green line along the drawing and a red one across it.
    for (auto [colour, line] : {std::pair{3, std::array<float, 4>{0, 25000, 100000, 25000}},
                                std::pair{1, std::array<float, 4>{15000, 0, 15000, 70000}}}) {
        Entity e;
        e.kind = ckw::engine::kLine;
        e.attributes = {1, 1, 0, colour, 0, 0, 0};
        e.values.assign(line.begin(), line.end());
        d.Add(std::move(e));
    }
    const ckw::engine::DisplayModel model(d);
    QTransform view;
    view.translate(-300, 900);
    view.scale(0.03, -0.03);
    auto paint = [&](QSize size) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter p(&image);
        p.setTransform(view);
        ckw::paint::PaintStyle style;
        style.devicePerUnit = 0.03;
        ckw::paint::PaintModel(p, model, style);
        return image;
    };
    const QImage whole = paint({3200, 2200}), corner = paint({500, 300});
    EXPECT_TRUE(corner == whole.copy(0, 0, 500, 300));
    const QPoint crossing = view.map(QPointF(15000, 25000)).toPoint();
    ASSERT_TRUE(QRect(0, 0, 500, 300).contains(crossing));
    EXPECT_EQ(corner.pixel(crossing + QPoint(40, 0)), ckw::paint::PaletteColour(3, false).rgba());
    EXPECT_EQ(corner.pixel(crossing + QPoint(0, 40)), ckw::paint::PaletteColour(1, false).rgba());
}

// A program's temporary arcs come with any angles: a sweep far beyond a turn (this once never
// returned) is drawn reduced to one turn, one with no finite sweep is left out.
TEST(Canvas, TemporaryArcsOfAnySweepAreDrawn) {
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    const float arc = float(ckw::engine::kArc);
    ckw::paint::PaintTemporaryShapes(p, {{arc, 100, 100, 50, 1e30f, -1e30f}, {arc, 100, 100, 50, 0, -INFINITY}},
                                     Qt::white);
    p.end();
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) lit += image.pixel(x, y) != qRgb(0, 0, 0);
    EXPECT_GT(lit, 0);
}

}  // namespace
