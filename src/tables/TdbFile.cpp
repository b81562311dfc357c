#include "tables/TdbFile.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <type_traits>
#include <vector>

#include "platform/FileCopy.h"
#include "base/GbkText.h"

namespace ckw::tables {

namespace {

// Larger files are not table files: 1000 x 100 cells of long texts stay far below.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

std::string Format(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string OneLine(const std::string& text) {
    if (text.empty()) return std::string(kEmptyText);
    std::string line = text;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    return line;
}

// The lines of a file, numbered from 1; a line's "\r" before its line feed is dropped.
class Lines {
public:
    explicit Lines(std::string_view bytes) : m_bytes(bytes) {}
    bool Next(std::string_view& line) {
        if (m_pos >= m_bytes.size()) return false;
        size_t end = m_bytes.find('\n', m_pos);
        m_cut = end == std::string_view::npos;
        if (m_cut) end = m_bytes.size();
        line = m_bytes.substr(m_pos, end - m_pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        m_pos = end + 1;
        ++m_number;
        return true;
    }
    int Number() const { return m_number; }
    // The last line had no line feed: the file was cut off in it.
    bool Cut() const { return m_cut; }

private:
    std::string_view m_bytes;
    bool m_cut = false;
    size_t m_pos = 0;
    int m_number = 0;
};

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

template <typename T>
bool Number(std::string_view word, T& value) {
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() &&
           (!std::is_floating_point_v<T> || std::isfinite(value));
}

// The nine numbers of a cell line: what each holds and the values it may take.
struct Field {
    const char* name;
    int low, high;
};
constexpr Field kIntFields[] = {
    {"跨行数", 0, kMaxTableRows}, {"跨列数", 0, kMaxTableCols},      {"对齐方式", 1, 9},
    {"边线", 0, kAllBorders},     {"字高", 1, kMaxTextHeightTenths}, {"宽度系数", 1, kMaxWidthFactorPercent},
};
constexpr Field kHeavyField = {"粗边线", 0, kAllBorders};

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_lines(bytes) {}

    bool Read(UserTable& result, std::string& why) {
        bool ok = Header() && Cells() && NothingMore() && Merges();
        if (ok) {
            result = std::move(m_table);
        } else {
            why = m_why;
        }
        return ok;
    }

private:
    bool Fail(std::string why) {
        m_why = std::move(why);
        return false;
    }
    bool FailHere(const char* what) { return Fail(Format("第%d行: %s", m_lines.Number(), what)); }
    // Every line of a table ends with a line feed; a file cut off inside one is not trusted.
    bool NextLine(std::string_view& line) {
        if (m_lines.Next(line) && !m_lines.Cut()) return true;
        return Fail(Format("表格文件在第%d行提前结束", m_lines.Number() + (m_lines.Cut() ? 0 : 1)));
    }

    bool NothingMore() {
        std::string_view rest;
        while (m_lines.Next(rest))
            if (!rest.empty()) return FailHere("表格已经结束, 文件却还有内容");
        return true;
    }

    bool Header() {
        std::string_view line;
        if (!NextLine(line)) return false;
        auto words = Words(line);
        int rows = 0, cols = 0;
        if (words.size() != 2 || !Number(words[0], rows) || !Number(words[1], cols))
            return FailHere("第一行应是表格的行数和列数");
        if (rows < 1 || cols < 1 || rows > kMaxTableRows || cols > kMaxTableCols)
            return Fail(Format("表格有%d行%d列, 应在1到%d行、1到%d列之间", rows, cols, kMaxTableRows, kMaxTableCols));
        m_table = UserTable(rows, cols, 1, 1);
        return true;
    }

    bool Cells() {
        const UserTable& t = m_table;
        for (int r = 0; r < t.Rows(); ++r)
            for (int c = 0; c < t.Cols(); ++c) {
                m_cellLines.push_back(m_lines.Number() + 1);
                if (!CellLine(r, c)) return false;
                if (!TextLine(m_table.Cell(r, c).text)) return false;
                if (r == 0 && c == 0 && !(TextLine(m_table.textLayer) && TextLine(m_table.lineLayer))) return false;
            }
        return true;
    }

    bool CellLine(int r, int c) {
        std::string_view line;
        if (!NextLine(line)) return false;
        auto words = Words(line);
        if (words.size() != 9) return FailHere(Format("单元格数据应是9个数, 这里有%zu个", words.size()).c_str());
        int ints[7];
        double sizes[2];
        for (int i = 0; i < 6; ++i)
            if (!Number(words[i], ints[i])) return FailHere(Format("%s不是整数", kIntFields[i].name).c_str());
        if (!Number(words[6], sizes[0]) || !Number(words[7], sizes[1])) return FailHere("列宽和行高应是数");
        if (!Number(words[8], ints[6])) return FailHere(Format("%s不是整数", kHeavyField.name).c_str());
        for (int i = 0; i < 7; ++i) {
            const Field& f = i < 6 ? kIntFields[i] : kHeavyField;
            if (ints[i] < f.low || ints[i] > f.high)
                return FailHere(Format("%s%d应在%d到%d之间", f.name, ints[i], f.low, f.high).c_str());
        }
        if ((ints[0] == 0) != (ints[1] == 0)) return FailHere("跨行数和跨列数只能同时为0");
        TableCell& cell = m_table.Cell(r, c);
        cell.rowSpan = ints[0];
        cell.colSpan = ints[1];
        cell.alignment = ints[2];
        cell.borders = ints[3];
        cell.textHeightTenths = ints[4];
        cell.widthFactorPercent = ints[5];
        cell.heavyBorders = ints[6];
        // Sizes are kept to the hundredth of a millimetre the file gives.
        const double width = std::round(sizes[0] * 100) / 100, height = std::round(sizes[1] * 100) / 100;
        if (!(width > 0 && width <= kMaxCellSize && height > 0 && height <= kMaxCellSize))
            return FailHere(Format("列宽和行高应在0到%.0f毫米之间", kMaxCellSize).c_str());
        if (r == 0) m_table.SetColWidth(c, width);
        if (c == 0) m_table.SetRowHeight(r, height);
        if (width != m_table.ColWidth(c)) return FailHere(Format("第%d列的列宽与第1行给出的不同", c + 1).c_str());
        if (height != m_table.RowHeight(r)) return FailHere(Format("第%d行的行高与第1列给出的不同", r + 1).c_str());
        return true;
    }

    bool TextLine(std::string& text) {
        std::string_view line;
        if (!NextLine(line)) return false;
        if (line.size() > kMaxCellText) return FailHere(Format("文字超过了%zu个字节", kMaxCellText).c_str());
        text = line == kEmptyText ? std::string() : std::string(line);
        // A text is one line: a stray carriage return inside it is a blank, as the writer has it.
        for (char& c : text)
            if (c == '\r') c = ' ';
        return true;
    }

    // Every merge fits the table, and every cell it covers says so and belongs to it alone.
    bool Merges() {
        const int rows = m_table.Rows(), cols = m_table.Cols();
        std::vector<char> claimed(static_cast<size_t>(rows) * cols, 0);
        auto lineOf = [&](int r, int c) { return m_cellLines[static_cast<size_t>(r) * cols + c]; };
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                const TableCell& cell = m_table.Cell(r, c);
                if (cell.Covered()) {
                    if (!claimed[static_cast<size_t>(r) * cols + c])
                        return Fail(Format("第%d行: 跨行跨列为0的单元格不在任何合并单元格内", lineOf(r, c)));
                    continue;
                }
                if (r + cell.rowSpan > rows || c + cell.colSpan > cols)
                    return Fail(Format("第%d行: 合并单元格超出了表格", lineOf(r, c)));
                for (int i = r; i < r + cell.rowSpan; ++i)
                    for (int j = c; j < c + cell.colSpan; ++j) {
                        if (i == r && j == c) continue;
                        char& mark = claimed[static_cast<size_t>(i) * cols + j];
                        if (!m_table.Cell(i, j).Covered() || mark)
                            return Fail(Format("第%d行: 单元格与第%d行的合并单元格重叠", lineOf(i, j), lineOf(r, c)));
                        mark = 1;
                    }
            }
        return true;
    }

    Lines m_lines;
    UserTable m_table;
    std::vector<int> m_cellLines;  // line number of each cell's line, row-major
    std::string m_why;
};

}  // namespace

std::string WriteTdb(const UserTable& table) {
    std::string out = Format("%d %d\n", table.Rows(), table.Cols());
    for (int r = 0; r < table.Rows(); ++r)
        for (int c = 0; c < table.Cols(); ++c) {
            const TableCell& cell = table.Cell(r, c);
            out += Format("%d %d %d %d %d %d ", cell.rowSpan, cell.colSpan, cell.alignment, cell.borders,
                          cell.textHeightTenths, cell.widthFactorPercent) +
                   text::FormatFixed(table.ColWidth(c), 2) + " " + text::FormatFixed(table.RowHeight(r), 2) +
                   Format(" %d\n", cell.heavyBorders);
            out += OneLine(cell.text) + "\n";
            if (r == 0 && c == 0) out += OneLine(table.textLayer) + "\n" + OneLine(table.lineLayer) + "\n";
        }
    return out;
}

Status ReadTdb(std::string_view bytes, UserTable& table) {
    std::string why;
    if (Reader(bytes).Read(table, why)) return {};
    return Status(why);
}

Status LoadTdbFile(const std::string& pathGbk, UserTable& table) {
    // A pipe or a device would keep the reader waiting for ever.
    std::error_code ec;
    const auto type = std::filesystem::status(ckw::text::GbkToUtf8(pathGbk), ec).type();
    if (type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::regular && !ec)
        return Status(pathGbk + "不是表格文件");
    std::ifstream in(ckw::text::GbkToUtf8(pathGbk), std::ios::binary);
    std::string bytes;
    if (in) {
        in.seekg(0, std::ios::end);
        const auto size = static_cast<std::uintmax_t>(in.tellg());
        in.seekg(0);
        if (size > kMaxFileBytes) return Status(pathGbk + "太大, 不是表格文件");
        bytes.resize(static_cast<size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
    }
    if (!in) return Status("读不出表格文件" + pathGbk);
    if (Status read = ReadTdb(bytes, table); !read.ok()) return Status("表格文件" + pathGbk + "有误: " + read.why());
    return {};
}

Status SaveTdbFile(const std::string& pathGbk, const UserTable& table) {
    if (ckw::fs::WriteFileReplacing(ckw::text::GbkToUtf8(pathGbk), WriteTdb(table))) return {};
    return Status("写不了表格文件" + pathGbk + ": " + ckw::text::Utf8ToGbk(std::strerror(errno)));
}

}  // namespace ckw::tables
