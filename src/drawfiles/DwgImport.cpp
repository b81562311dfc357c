// Read_Dwg: an AutoCAD drawing (through the converter) or a drawing of our own into the current
// drawing, its layers marked as imported.
#include "drawfiles/DwgImport.h"

#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include <ckw/DrawingFiles.h>
#include <ckw/HostEngine.h>
#include <ckw/Util.h>
#include "drawfiles/FloorCommand.h"
#include "dialog/DialogRunner.h"
#include "base/GbkText.h"
#include "platform/Shell.h"
#include "platform/Ui.h"

namespace ckw::drawfiles {

namespace fs = std::filesystem;
using ckw::text::GbkToUtf8;
using ckw::text::Utf8ToGbk;

namespace {

constexpr char kConverterName[] = "TdwgConv";
constexpr int kConvertedMode = 1;
constexpr int kCfgPathCapacity = 260;
// A conversion that runs longer than this is taken for hung (the DWG reader stops itself after two minutes).
constexpr std::chrono::minutes kConverterTimeLimit{10};

bool IsOwnDrawing(const std::string& pathGbk) {
    const std::string upper = ckw::text::ToUpper(pathGbk);
    return upper.size() >= 2 && upper.compare(upper.size() - 2, 2, ".T") == 0;
}

// What tells a file written anew from the one that was there: a replacement is a new file, and a
// rewrite in place changes the status time.
struct FileIdentity {
    dev_t device;
    ino_t inode;
    timespec changed;
    bool operator==(const FileIdentity& o) const {
        return device == o.device && inode == o.inode && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

std::optional<FileIdentity> IdentityOf(const std::string& pathUtf8) {
    struct stat st {};
    if (::stat(pathUtf8.c_str(), &st) != 0) return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino, st.st_ctim};
}

std::string Message(const char* format, const std::string& detailGbk) {
    CString text;
    text.Format(format, detailGbk.c_str());
    return text.str();
}

// PLAN.T -> PLAN-1.T, PLAN-2.T, ...: the first name beside it that no file has.
fs::path FreshDrawingPath(const fs::path& taken) {
    std::error_code ec;
    for (int n = 1;; ++n) {
        fs::path candidate = taken.parent_path() / (taken.stem().string() + "-" + std::to_string(n) + ".T");
        if (!fs::exists(candidate, ec) && !ec) return candidate;
    }
}

// A drawing of the converter's output name that is there before the conversion: the person's
// consent replaces it; without it (and without a person) it is set aside while the converter
// runs, the conversion goes to a fresh name and the drawing comes back to its place.
class ExistingDrawing {
public:
    explicit ExistingDrawing(fs::path output) : m_output(std::move(output)) {
        std::error_code ec;
        if (!fs::exists(m_output, ec)) return;
        const std::string question = "文件" + Utf8ToGbk(m_output.string()) +
                                     "已存在, 是否用转换结果替换它?\n(否: 转换结果写入新文件, 原文件保留)";
        if (ckw::ui::MessageBox(question, ckw::ui::Buttons::YesNo) == ckw::ui::Answer::Yes) return;
        // A name of its own, so that a drawing kept by an earlier run cut short is not replaced.
        for (int n = 1; m_aside.empty() || fs::exists(m_aside, ec); ++n)
            m_aside = m_output.parent_path() / ("." + m_output.filename().string() + ".kept" + std::to_string(n));
        fs::rename(m_output, m_aside, ec);
        if (ec) m_failed = true;
    }
    ~ExistingDrawing() { PutBack(); }
    ExistingDrawing(const ExistingDrawing&) = delete;
    ExistingDrawing& operator=(const ExistingDrawing&) = delete;

    // The drawing could not be set aside: nothing may run.
    bool Failed() const { return m_failed; }
    // Where the conversion ends up (the output name, or the fresh one); the kept drawing is back.
    fs::path Finish() {
        if (m_aside.empty()) return m_output;
        const fs::path fresh = FreshDrawingPath(m_output);
        std::error_code ec;
        fs::rename(m_output, fresh, ec);
        PutBack();
        return ec ? fs::path() : fresh;
    }

private:
    void PutBack() {
        if (m_aside.empty()) return;
        std::error_code ec;
        fs::rename(m_aside, m_output, ec);
        if (!ec) m_aside.clear();
    }

    fs::path m_output, m_aside;
    bool m_failed = false;
};

}  // namespace

std::string ConverterPath() {
    char dir[kCfgPathCapacity] = {};
    if (!CUtil::GetKeloCfgPath(dir) || !dir[0]) return {};
    return Utf8ToGbk((fs::path(GbkToUtf8(dir)) / kConverterName).string());
}

std::string ConvertedDrawingPath(const std::string& chosenGbk) {
    const fs::path chosen(GbkToUtf8(chosenGbk));
    const std::string stem = ckw::text::ToUpper(Utf8ToGbk(chosen.stem().string()));
    return Utf8ToGbk((chosen.parent_path() / GbkToUtf8(stem + ".T")).string());
}

ImportSource PrepareImport(const std::string& chosenGbk, const std::string& converterGbk) {
    // A pipe or a device would keep the reader waiting for ever.
    std::error_code ec;
    if (fs::exists(GbkToUtf8(chosenGbk), ec) && !fs::is_regular_file(GbkToUtf8(chosenGbk), ec))
        return {false, {}, Message("%s不是图形文件", chosenGbk), {}};
    if (IsOwnDrawing(chosenGbk)) return {true, chosenGbk, {}, {}};
    if (converterGbk.empty()) return {false, {}, "没有找到转换程序TdwgConv!!", {}};
    const std::string output = ConvertedDrawingPath(chosenGbk);
    const std::string converted = GbkToUtf8(output);
    ExistingDrawing existing(converted);
    if (existing.Failed()) return {false, {}, Message("无法保留原有的文件%s, 没有转换", output), {}};
    const std::optional<FileIdentity> before = IdentityOf(converted);
    // Its report (what it left out and why) is kept to be shown after the import.
    const ckw::shell::RunResult run = ckw::shell::RunAndCapture(
        {GbkToUtf8(converterGbk), GbkToUtf8(chosenGbk), std::to_string(kConvertedMode)}, kConverterTimeLimit);
    if (!run.started) return {false, {}, Message("没有找到转换程序%s!!", converterGbk), {}};
    if (run.timedOut) return {false, {}, "图形转换失败: 转换程序没有结束", {}};
    const std::string said = ckw::text::Trim(Utf8ToGbk(run.errors));
    if (run.exitStatus != 0)
        return {
            false, {}, Message("图形转换失败: %s", said.empty() ? "exit " + std::to_string(run.exitStatus) : said), {}};
    // The drawing of an earlier conversion may lie there still: only a file written now counts.
    const std::optional<FileIdentity> after = IdentityOf(converted);
    if (!fs::is_regular_file(converted, ec) || !after || after == before)
        return {false, {}, Message("图形转换失败: 没有生成文件%s", output), {}};
    const fs::path written = existing.Finish();
    if (written.empty()) return {false, {}, Message("图形转换失败: 无法写入新文件(原文件%s保留)", output), {}};
    return {true, Utf8ToGbk(written.string()), {}, Utf8ToGbk(LeftOutLines(run.output))};
}

std::string LeftOutLines(const std::string& reportUtf8) {
    std::istringstream lines(reportUtf8);
    std::string line, kept;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string kind;
        long read = 0, written = 0, skipped = 0;
        const bool skippedSome = (words >> kind >> read >> written >> skipped) && skipped > 0;
        if (skippedSome || line.rfind("characters GBK cannot hold", 0) == 0 ||
            line.rfind("extended-data values", 0) == 0)
            kept += line + "\n";
    }
    return kept;
}

std::optional<std::string> PreviewDrawing(const std::string& chosenGbk, const std::string& converterGbk,
                                          const std::string& workDirGbk) {
    if (IsOwnDrawing(chosenGbk)) return chosenGbk;
    if (converterGbk.empty()) return std::nullopt;
    const fs::path chosen(GbkToUtf8(chosenGbk));
    const fs::path copy = fs::path(GbkToUtf8(workDirGbk)) / chosen.filename();
    std::error_code ec;
    if (!fs::copy_file(chosen, copy, fs::copy_options::overwrite_existing, ec)) return std::nullopt;
    const std::string copyGbk = Utf8ToGbk(copy.string());
    if (!ckw::shell::RunAndWait({GbkToUtf8(converterGbk), copy.string(), std::to_string(kConvertedMode)}).Succeeded())
        return std::nullopt;
    const std::string drawing = ConvertedDrawingPath(copyGbk);
    if (!fs::is_regular_file(GbkToUtf8(drawing), ec)) return std::nullopt;
    return drawing;
}

}  // namespace ckw::drawfiles

void Read_Dwg() {
    using namespace ckw::drawfiles;
    if (!m_pCfg) return;
    const std::string converter = ConverterPath();
    ckw::dlg::FileDialogRequest request;
    request.filter = kImportFilter;
    std::error_code ec;
    request.initialDir = Utf8ToGbk(fs::current_path(ec).string());
    request.initialFile = "*.dwg";
    request.previewDrawing = [converter](const std::string& pathGbk, const std::string& workDirGbk) {
        return PreviewDrawing(pathGbk, converter, workDirGbk);
    };
    const auto chosen = ckw::dlg::CurrentRunner().FileDialog(nullptr, request);
    if (!chosen || chosen->empty()) return;
    const ImportSource source = PrepareImport(*chosen, converter);
    if (!source.ok) {
        ckw::ui::ShowError(source.message);
        return;
    }
    RunFloorInsertion(source.drawing, InsertMode::Import);
    m_pCfg->HostRefreshAll();
    // What the converter could not bring over is said after the import, not only on a terminal.
    if (!source.leftOut.empty()) ckw::ui::MessageBox("转换程序未能转换的内容:\n" + source.leftOut);
    // The person learns where the conversion went (another name when a drawing was kept).
    if (source.drawing != *chosen) ckw::ui::ShowOnPromptLine(("转换结果已写入" + source.drawing).c_str());
}
