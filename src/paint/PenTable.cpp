#include "PenTable.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

#include "DisplayPainter.h"

namespace ckw::paint {

namespace {

constexpr double kLargestPenMm = 10;
const QColor kGrey(128, 128, 128);

bool Number(const std::string& word, int& value) {
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size();
}

// "7" or "1-255" into [first, last].
bool Colours(const std::string& word, int& first, int& last) {
    const size_t dash = word.find('-');
    if (dash == std::string::npos) {
        if (!Number(word, first)) return false;
        last = first;
    } else if (!Number(word.substr(0, dash), first) || !Number(word.substr(dash + 1), last)) {
        return false;
    }
    return first >= 1 && last <= 255 && first <= last;
}

}  // namespace

PenTable PenTable::ByColour() {
    PenTable table;
    for (int i = 0; i < 256; ++i) table.m_ink[size_t(i)] = PaletteColour(i, true);
    table.m_widthMm.fill(-1);
    return table;
}

PenTable PenTable::Monochrome() {
    PenTable table;
    table.m_ink.fill(Qt::black);
    table.m_widthMm.fill(-1);
    return table;
}

Result<PenTable> PenTable::Parse(const std::string& text) {
    PenTable made = Monochrome();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string colours, width, ink, extra;
        if (!(words >> colours)) continue;
        const std::string where = "pen table line " + std::to_string(number) + ": ";
        if (!(words >> width >> ink) || (words >> extra)) return Status(where + "expected COLOURS WIDTH INK");
        int first = 0, last = 0;
        if (!Colours(colours, first, last))
            return Status(where + "colours are a number 1..255 or a range such as 1-255, not \"" + colours + "\"");
        double mm = -1;
        if (width != "-") {
            std::istringstream value(width);
            if (!(value >> mm) || !value.eof() || !std::isfinite(mm) || mm <= 0 || mm > kLargestPenMm)
                return Status(where + "the width is millimetres above 0 and at most 10, or \"-\", not \"" + width +
                              "\"");
        }
        if (ink != "black" && ink != "grey" && ink != "colour")
            return Status(where + "the ink is black, grey or colour, not \"" + ink + "\"");
        for (int c = first; c <= last; ++c) {
            made.m_widthMm[size_t(c)] = mm;
            made.m_ink[size_t(c)] = ink == "black" ? QColor(Qt::black) : ink == "grey" ? kGrey : PaletteColour(c, true);
        }
    }
    return made;
}

Result<PenTable> PenTable::Read(const std::string& utf8Path) {
    std::ifstream in(utf8Path, std::ios::binary);
    if (!in) return Status("cannot read the pen table " + utf8Path);
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

}  // namespace ckw::paint
