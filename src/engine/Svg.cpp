// SVG picture of a drawing, so that a person can look at what a command drew: entities in their
// index colours on a black ground (or dark on white paper), line widths, dash patterns in drawing
// units, texts with CJK fonts at their drawn size, block insertions as <use> of the block's group.
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

#include "ReferenceEngine.h"
#include "Shapes.h"
#include "framework/GbkText.h"

namespace ckw::engine {

namespace {

constexpr const char* kFonts = "'Noto Sans CJK SC','WenQuanYi Zen Hei','Source Han Sans SC',SimSun,sans-serif";

std::string Num(double v) {
    if (!std::isfinite(v)) v = 0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", v);
    return buffer;
}

// Index colours on a black ground as the engine shows them; on paper the white and light ones
// turn dark enough to read (contrast of at least 3 to 1 against white).
std::string Colour(int index, bool light) {
    int rgb = ColourToRgb(index == 0 ? 7 : index);
    double r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    if (light) {
        const auto luminance = [](double r, double g, double b) {
            const auto channel = [](double v) {
                v /= 255;
                return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
        };
        while (1.05 / (luminance(r, g, b) + 0.05) < 3) {
            r *= 0.8;
            g *= 0.8;
            b *= 0.8;
        }
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", int(r), int(g), int(b));
    return buffer;
}

std::string Escape(const std::string& gbk) {
    std::string utf8 = ckw::text::GbkToUtf8(gbk), out;
    for (char c : utf8) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        }
    }
    return out;
}

std::string Points(const std::vector<Point2>& pts) {
    std::string s;
    for (const auto& p : pts) s += Num(p.x) + "," + Num(p.y) + " ";
    if (!s.empty()) s.pop_back();
    return s;
}

float V(const Entity& e, size_t i) { return i < e.values.size() ? e.values[i] : 0.0f; }

class SvgWriter {
public:
    SvgWriter(const Drawing& d, std::ostream& out, double hairline, double minimumStroke, bool light)
        : m_d(d), m_out(out), m_hairline(hairline), m_minimumStroke(minimumStroke), m_light(light) {}

    void Entity(const ckw::engine::Entity& e) {
        if (e.deleted || (e.kind > 10000 && e.kind != kBlockInsert)) return;
        std::string stroke = Colour(e.Colour(), m_light);
        switch (e.kind) {
        case kPoint:
            m_out << "<circle cx=\"" << Num(V(e, 0)) << "\" cy=\"" << Num(V(e, 1)) << "\" r=\"" << Num(m_hairline * 2)
                  << "\" fill=\"" << stroke << "\"/>\n";
            break;
        case kPolyline:
            Polyline(e, stroke);
            break;
        case kCircle:
            m_out << "<circle cx=\"" << Num(V(e, 0)) << "\" cy=\"" << Num(V(e, 1)) << "\" r=\"" << Num(V(e, 2)) << "\""
                  << StrokeStyle(e, stroke) << " fill=\"none\"/>\n";
            break;
        case kCore:
            m_out << "<circle cx=\"" << Num(V(e, 0)) << "\" cy=\"" << Num(V(e, 1)) << "\" r=\"" << Num(V(e, 2))
                  << "\" fill=\"" << stroke << "\"/>\n";
            break;
        case kTrace:
        case kFilledPolygon: {
            auto outline = Outline(e);
            if (outline.empty()) break;
            bool hollow = e.kind == kFilledPolygon && static_cast<int>(V(e, 1)) == 32;
            m_out << "<polygon points=\"" << Points(outline[0]) << "\""
                  << (hollow ? StrokeStyle(e, stroke) + " fill=\"none\"" : " fill=\"" + stroke + "\" stroke=\"none\"")
                  << "/>\n";
            break;
        }
        case kChineseText:
        case kWesternText:
        case kMultilineText:
            Text(e, stroke, e.text);
            break;
        case kDimension:
            Dimension(e, stroke);
            break;
        case kBlockInsert: {
            Transform t = InsertTransform(e);
            m_out << "<use href=\"#block-" << static_cast<int>(V(e, 0)) << "\" transform=\"matrix(" << Num(t.a) << ' '
                  << Num(t.b) << ' ' << Num(t.c) << ' ' << Num(t.d) << ' ' << Num(t.e) << ' ' << Num(t.f) << ")\"/>\n";
            break;
        }
        default:
            for (const auto& line : Outline(e))
                m_out << "<polyline points=\"" << Points(line) << "\"" << StrokeStyle(e, stroke) << " fill=\"none\"/>\n";
        }
    }

private:
    std::string StrokeStyle(const ckw::engine::Entity& e, const std::string& stroke, double width = 0) {
        // A pen of width code w (w/1000 mm on the sheet) draws about 1 + w/1000 hairlines: heavy
        // lines stand out without covering what lies next to them.
        if (width <= 0) width = m_hairline * (1 + std::max(0, e.WidthCode()) / 1000.0);
        width = std::max(width, m_minimumStroke);
        std::string s = " stroke=\"" + stroke + "\" stroke-width=\"" + Num(width) + "\"";
        std::string dashes = DashArray(e.LineType());
        if (!dashes.empty()) s += " stroke-dasharray=\"" + dashes + "\"";
        return s;
    }

    // Dash values: positive a dash, negative a gap, zero a dot; in drawing units as defined.
    std::string DashArray(int lineType) {
        if (lineType <= 1) return {};
        std::vector<float> dashes = m_d.LineTypeDashes(lineType);
        std::vector<double> pattern;
        for (float v : dashes) {
            bool gap = v < 0;
            double length = v == 0 ? m_hairline : std::abs(v);
            if (pattern.empty() && gap) pattern.push_back(0);
            bool slotIsGap = pattern.size() % 2 == 1;
            if (gap == slotIsGap) pattern.push_back(length);
            else pattern.back() += length;
        }
        double total = 0;
        for (double v : pattern) total += v;
        if (pattern.empty() || total <= 0) return {};
        if (pattern.size() % 2 == 1) pattern.push_back(0);
        std::string s;
        for (double v : pattern) s += Num(v) + " ";
        s.pop_back();
        return s;
    }

    void Polyline(const ckw::engine::Entity& e, const std::string& stroke) {
        int n = std::clamp(static_cast<int>(V(e, 0)), 0, kMaxPolylineVertices);
        bool closed = V(e, 1) != 0;
        auto vertex = [&](int i) {
            size_t b = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
            return Point2{V(e, b), V(e, b + 1)};
        };
        auto width = [&](int i) {
            size_t b = 2 + static_cast<size_t>(i) * kPolylineVertexValues;
            double start = V(e, b + 3), end = V(e, b + 4);
            return end > 0 ? (start + end) / 2 : start;
        };
        bool constant = true;
        for (int i = 1; i < n; ++i) constant = constant && width(i) == width(0);
        if (constant) {
            auto outline = Outline(e);
            if (!outline.empty())
                m_out << "<polyline points=\"" << Points(outline[0]) << "\"" << StrokeStyle(e, stroke, n ? width(0) : 0)
                      << " fill=\"none\"/>\n";
            return;
        }
        int segments = closed ? n : n - 1;
        for (int i = 0; i < segments; ++i) {
            auto pts = BulgePoints(vertex(i), vertex((i + 1) % n), V(e, 2 + static_cast<size_t>(i) * kPolylineVertexValues + 2));
            m_out << "<polyline points=\"" << Points(pts) << "\"" << StrokeStyle(e, stroke, width(i))
                  << " fill=\"none\"/>\n";
        }
    }

    void Text(const ckw::engine::Entity& e, const std::string& fill, const std::string& text) {
        double h = V(e, 0), w = V(e, 1), x = V(e, 2), y = V(e, 3), angle = V(e, 4);
        int ha = static_cast<int>(V(e, 5)), va = static_cast<int>(V(e, 6));
        const char* anchor = ha == 102 ? "middle" : ha == 103 ? "end" : "start";
        // Texts stand upright in the flipped picture: undo the flip locally.
        m_out << "<text transform=\"translate(" << Num(x) << ' ' << Num(y) << ") scale(1 -1) rotate(" << Num(-angle)
              << ")\" font-family=\"" << kFonts << "\" font-size=\"" << Num(h) << "\" fill=\"" << fill
              << "\" text-anchor=\"" << anchor << "\"";
        std::vector<std::string> lines;
        if (e.kind == kMultilineText) {
            std::istringstream in(text);
            std::string line;
            while (std::getline(in, line)) lines.push_back(line);
        } else {
            lines.push_back(text);
        }
        if (lines.empty()) lines.emplace_back();
        double spacing = e.kind == kMultilineText && V(e, 7) > 0 ? V(e, 7) : 1.5 * h;
        double top = va == 103 ? h : va == 102 ? h / 2 - (lines.size() - 1) * spacing / 2 : 0;
        if (e.kind == kMultilineText && va != 102 && va != 103) top = -(lines.size() - 1) * spacing;
        m_out << ">";
        for (size_t i = 0; i < lines.size(); ++i) {
            double length = TextWidthUnits(lines[i]) * w / 2;
            m_out << "<tspan x=\"0\" y=\"" << Num(top + i * spacing) << "\"";
            if (length > 0) m_out << " textLength=\"" << Num(length) << "\" lengthAdjust=\"spacingAndGlyphs\"";
            m_out << ">" << Escape(lines[i]) << "</tspan>";
        }
        m_out << "</text>\n";
    }

    void Dimension(const ckw::engine::Entity& e, const std::string& stroke) {
        auto lines = Outline(e);
        for (const auto& line : lines)
            m_out << "<polyline points=\"" << Points(line) << "\"" << StrokeStyle(e, stroke) << " fill=\"none\"/>\n";
        if (lines.size() < 3) return;
        const auto& dim = lines[2];
        double length = std::hypot(V(e, 4) - V(e, 2), V(e, 5) - V(e, 3));
        ckw::engine::Entity label = e;
        double angle = std::atan2(dim[1].y - dim[0].y, dim[1].x - dim[0].x) * 180 / 3.14159265358979323846;
        if (angle > 90 || angle <= -90) angle += 180;
        // The label stands a little above the dimension line.
        double rad = angle * 3.14159265358979323846 / 180, gap = 0.3 * V(e, 0);
        label.values = {V(e, 0), V(e, 1), float((dim[0].x + dim[1].x) / 2 - gap * std::sin(rad)),
                        float((dim[0].y + dim[1].y) / 2 + gap * std::cos(rad)), float(angle), 102, 101};
        Text(label, stroke, e.text.empty() ? Num(std::round(length)) : e.text);
    }

    const Drawing& m_d;
    std::ostream& m_out;
    double m_hairline;
    double m_minimumStroke;
    bool m_light;
};

}  // namespace

void WriteSvg(const Drawing& d, std::ostream& out, const SvgOptions& options) {
    std::array<float, 4> box{0, 0, 100, 100};
    if (!d.Extents(box)) box = {0, 0, 100, 100};
    double width = std::max(1e-3f, box[2] - box[0]), height = std::max(1e-3f, box[3] - box[1]);
    double margin = std::max(width, height) * 0.03;
    double hairline = std::max(width, height) / 1500;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << Num(box[0] - margin) << ' ' << Num(-box[3] - margin)
        << ' ' << Num(width + 2 * margin) << ' ' << Num(height + 2 * margin) << "\" width=\"1600\" height=\""
        << Num(std::clamp(1600 * (height + 2 * margin) / (width + 2 * margin), 100.0, 4000.0)) << "\">\n";
    out << "<rect x=\"" << Num(box[0] - margin) << "\" y=\"" << Num(-box[3] - margin) << "\" width=\""
        << Num(width + 2 * margin) << "\" height=\"" << Num(height + 2 * margin) << "\" fill=\""
        << (options.light ? "#fff" : "#000") << "\"/>\n";
    // One pixel of the picture in drawing units.
    const double pixel = (width + 2 * margin) / 1600;
    SvgWriter writer(d, out, hairline, options.minimumStrokePixels * pixel, options.light);
    out << "<defs>\n";
    for (const auto& [number, block] : d.Blocks()) {
        out << "<g id=\"block-" << number << "\">\n";
        for (const Entity& e : block.entities) writer.Entity(e);
        out << "</g>\n";
    }
    out << "</defs>\n<g transform=\"scale(1 -1)\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    for (const Entity& e : d.Entities()) writer.Entity(e);
    out << "</g>\n</svg>\n";
}

}  // namespace ckw::engine
