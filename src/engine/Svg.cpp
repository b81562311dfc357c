// SVG picture of a drawing, so that a person can look at what a command drew: the display
// model's primitives in their index colours on a black ground (or dark on white paper), line widths, dash patterns in
// drawing units, texts with CJK fonts at their drawn size, block insertions as <use> of the
// block's group.
#include <cmath>
#include <cstdio>
#include <ostream>

#include <ckw/ReferenceEngine.h>

#include "DisplayModel.h"
#include "base/Contrast.h"

namespace ckw::engine {

namespace {

constexpr const char* kFonts = "'Noto Sans CJK SC','WenQuanYi Zen Hei','Source Han Sans SC',SimSun,sans-serif";

const auto& Num = FormatNumber;

// Index colours on a black ground as the engine shows them; on paper the white and light ones
// turn dark enough to read (contrast of at least 3 to 1 against white).
std::string Colour(int index, bool light) {
    int rgb = ColourToRgb(index);
    double r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    if (light) {
        constexpr double kWhite = 1.0;  // the luminance of paper
        while (colour::ContrastRatio(colour::RelativeLuminance(r / 255, g / 255, b / 255), kWhite) < 3) {
            r *= 0.8;
            g *= 0.8;
            b *= 0.8;
        }
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", int(r), int(g), int(b));
    return buffer;
}

std::string Escape(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
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

class SvgWriter {
public:
    SvgWriter(const DisplayModel& model, std::ostream& out, double hairline, double minimumStroke, bool light)
        : m_model(model), m_out(out), m_hairline(hairline), m_minimumStroke(minimumStroke), m_light(light) {}

    void Write(const Primitive& p) {
        std::string stroke = Colour(p.pen.colour, m_light);
        const Point2 at = p.points.empty() ? Point2{} : p.points[0];
        switch (p.kind) {
        case Primitive::Kind::Dot:
            m_out << "<circle cx=\"" << Num(at.x) << "\" cy=\"" << Num(at.y) << "\" r=\"" << Num(m_hairline * 2)
                  << "\" fill=\"" << stroke << "\"/>\n";
            break;
        case Primitive::Kind::Path:
            m_out << "<polyline points=\"" << Points(p.points) << "\"" << StrokeStyle(p.pen, stroke)
                  << " fill=\"none\"/>\n";
            break;
        case Primitive::Kind::Circle:
            m_out << "<circle cx=\"" << Num(at.x) << "\" cy=\"" << Num(at.y) << "\" r=\"" << Num(p.radius) << "\""
                  << StrokeStyle(p.pen, stroke) << " fill=\"none\"/>\n";
            break;
        case Primitive::Kind::Disc:
            m_out << "<circle cx=\"" << Num(at.x) << "\" cy=\"" << Num(at.y) << "\" r=\"" << Num(p.radius)
                  << "\" fill=\"" << stroke << "\"/>\n";
            break;
        case Primitive::Kind::Polygon:
            m_out << "<polygon points=\"" << Points(p.points) << "\""
                  << (p.hollow ? StrokeStyle(p.pen, stroke) + " fill=\"none\""
                               : " fill=\"" + stroke + "\" stroke=\"none\"")
                  << "/>\n";
            break;
        case Primitive::Kind::Text:
            Text(p, stroke);
            break;
        case Primitive::Kind::Insert: {
            const Transform& t = p.place;
            m_out << "<use href=\"#block-" << p.block << "\" transform=\"matrix(" << Num(t.a) << ' ' << Num(t.b) << ' '
                  << Num(t.c) << ' ' << Num(t.d) << ' ' << Num(t.e) << ' ' << Num(t.f) << ")\"/>\n";
            break;
        }
        }
    }

private:
    std::string StrokeStyle(const DisplayPen& pen, const std::string& stroke) {
        // A pen of width code w (w/1000 mm on the sheet) draws about 1 + w/1000 hairlines: heavy
        // lines stand out without covering what lies next to them.
        double width = pen.width > 0 ? pen.width : m_hairline * (1 + std::max(0, pen.widthCode) / 1000.0);
        width = std::max(width, m_minimumStroke);
        std::string s = " stroke=\"" + stroke + "\" stroke-width=\"" + Num(width) + "\"";
        if (pen.lineType > 1) {
            std::vector<double> pattern = DashPattern(m_model.Dashes(pen.lineType), m_hairline);
            if (!pattern.empty()) {
                std::string dashes;
                for (double v : pattern) dashes += Num(v) + " ";
                dashes.pop_back();
                s += " stroke-dasharray=\"" + dashes + "\"";
            }
        }
        return s;
    }

    void Text(const Primitive& p, const std::string& fill) {
        const char* anchor = p.anchor == 1 ? "middle" : p.anchor == 2 ? "end" : "start";
        // Texts stand upright in the flipped picture: undo the flip locally.
        m_out << "<text transform=\"translate(" << Num(p.points[0].x) << ' ' << Num(p.points[0].y)
              << ") scale(1 -1) rotate(" << Num(-p.angle) << ")\" font-family=\"" << kFonts << "\" font-size=\""
              << Num(p.height) << "\" fill=\"" << fill << "\" text-anchor=\"" << anchor << "\">";
        for (const auto& line : p.lines) {
            m_out << "<tspan x=\"0\" y=\"" << Num(line.offset) << "\"";
            if (line.length > 0)
                m_out << " textLength=\"" << Num(line.length) << "\" lengthAdjust=\"spacingAndGlyphs\"";
            m_out << ">" << Escape(line.utf8) << "</tspan>";
        }
        m_out << "</text>\n";
    }

    const DisplayModel& m_model;
    std::ostream& m_out;
    double m_hairline;
    double m_minimumStroke;
    bool m_light;
};

}  // namespace

void WriteSvg(const Drawing& d, std::ostream& out, const SvgOptions& options) {
    DisplayModel model(d);
    std::array<float, 4> box{0, 0, 100, 100};
    if (!model.Extents(box)) box = {0, 0, 100, 100};
    double width = std::max(1e-3f, box[2] - box[0]), height = std::max(1e-3f, box[3] - box[1]);
    double margin = std::max(width, height) * 0.03;
    double hairline = std::max(width, height) / 1500;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" << Num(box[0] - margin) << ' '
        << Num(-box[3] - margin) << ' ' << Num(width + 2 * margin) << ' ' << Num(height + 2 * margin)
        << "\" width=\"1600\" height=\""
        << Num(std::clamp(1600 * (height + 2 * margin) / (width + 2 * margin), 100.0, 4000.0)) << "\">\n";
    out << "<rect x=\"" << Num(box[0] - margin) << "\" y=\"" << Num(-box[3] - margin) << "\" width=\""
        << Num(width + 2 * margin) << "\" height=\"" << Num(height + 2 * margin) << "\" fill=\""
        << (options.light ? "#fff" : "#000") << "\"/>\n";
    // One pixel of the picture in drawing units.
    const double pixel = (width + 2 * margin) / 1600;
    SvgWriter writer(model, out, hairline, options.minimumStrokePixels * pixel, options.light);
    out << "<defs>\n";
    for (const auto& [number, block] : model.Blocks()) {
        out << "<g id=\"block-" << number << "\">\n";
        for (const Primitive& p : block) writer.Write(p);
        out << "</g>\n";
    }
    out << "</defs>\n<g transform=\"scale(1 -1)\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    for (const Primitive& p : model.Items()) writer.Write(p);
    out << "</g>\n</svg>\n";
}

}  // namespace ckw::engine
