// TdwgConv: converts DWG and DXF drawings into .T drawings, and .T drawings into DXF.
//   TdwgConv PATH [1]                 PATH.dwg / PATH.dxf -> <STEM upper-cased>.T beside it
//   TdwgConv PATH -o OUT.T            the same into OUT.T
//   TdwgConv PATH --shift auto|X,Y    model space moved near the origin (survey drawings)
//   TdwgConv --to-dxf DRAWING.T OUT.dxf
// Exit status: 0 converted, 1 the input could not be read or the output not written, 2 usage.
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "DxfWriter.h"
#include "Readers.h"
#include <ckw/ReferenceEngine.h>
#include "Report.h"
#include "Shift.h"
#include "TWriter.h"
#include "base/GbkText.h"

#ifndef TDWGCONV_VERSION
#define TDWGCONV_VERSION "0"
#endif
#ifndef TDWGCONV_SOURCE_DWG_DIR
#define TDWGCONV_SOURCE_DWG_DIR ""
#endif
#ifndef TDWGCONV_RELATIVE_DWG_DIR
#define TDWGCONV_RELATIVE_DWG_DIR "lib/tdwgconv/dwg"
#endif
#ifndef TDWGCONV_INSTALLED_DWG_DIR
#define TDWGCONV_INSTALLED_DWG_DIR ""
#endif

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: TdwgConv [--json] [-q] [--shift auto|X,Y] FILE.dwg|FILE.dxf [1] [-o OUT.T]\n"
    "       TdwgConv [--json] --to-dxf DRAWING.T OUT.dxf\n"
    "\n"
    "Converts a DWG (R14 to 2018) or DXF drawing into a .T drawing: by default <NAME upper-cased>.T in\n"
    "the folder of FILE (plan.dwg gives PLAN.T). Prints per source entity kind how many were read,\n"
    "written and skipped (and why); --json prints the same as JSON, -q nothing. A file that cannot\n"
    "be read leaves no output and ends with status 1.\n"
    "\n"
    "--to-dxf writes a .T drawing as a DXF (R2000, code page 936) that other CAD programs open.\n"
    "\n"
    "  -o OUT.T        write here instead\n"
    "  --shift auto|X,Y\n"
    "                  move model space by -X,-Y (source units) so that the drawing's 4-byte numbers\n"
    "                  keep far coordinates (survey drawings); auto picks a round shift that brings\n"
    "                  the drawing near the origin. The .T keeps the shift: --to-dxf puts the\n"
    "                  drawing back, and that DXF converted again is shifted the same way\n"
    "  --dwg-timeout S time limit of the DWG reader in seconds (default 120)\n"
    "  --json          report as JSON on standard output\n"
    "  -q              no report\n"
    "  --help          this text\n"
    "  --version       the program's version\n"
    "\n"
    "TdwgConv is free software under the GNU General Public License, version 3 or later.\n";

// "Working..." on a terminal when a step takes longer than a second.
class Progress {
public:
    explicit Progress(std::string what) : m_what(std::move(what)) {
        if (!::isatty(STDERR_FILENO)) return;
        m_thread = std::thread([this] {
            auto start = std::chrono::steady_clock::now();
            bool shown = false;
            while (!m_done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                if (s >= 1.0 && !m_done) {
                    std::fprintf(stderr, "\r%s ... %.0f s", m_what.c_str(), s);
                    std::fflush(stderr);
                    shown = true;
                }
            }
            if (shown) std::fprintf(stderr, "\r%s ... done\n", m_what.c_str());
        });
    }
    ~Progress() {
        m_done = true;
        if (m_thread.joinable()) m_thread.join();
    }

private:
    std::string m_what;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

fs::path ExecutableDir() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

// The reader script: beside the program, in the installed package, or in the source tree (a
// build that is not installed). A copy in the configuration directory finds the installed one.
fs::path DwgReaderScript() {
    fs::path dir = ExecutableDir();
    for (const fs::path& candidate :
         {dir / "dwg" / "read-dwg.mjs", dir / ".." / TDWGCONV_RELATIVE_DWG_DIR / "read-dwg.mjs",
          fs::path(TDWGCONV_INSTALLED_DWG_DIR) / "read-dwg.mjs", fs::path(TDWGCONV_SOURCE_DWG_DIR) / "read-dwg.mjs"}) {
        std::error_code ec;
        if (!candidate.empty() && fs::is_regular_file(candidate, ec)) return candidate;
    }
    return fs::path(TDWGCONV_SOURCE_DWG_DIR) / "read-dwg.mjs";
}

// plan.dwg -> PLAN.T in the same folder (ASCII letters upper-cased; the name is UTF-8 here).
fs::path DefaultOutput(const fs::path& input) {
    std::string stem = input.stem().string();
    for (char& c : stem)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return input.parent_path() / (stem + ".T");
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// A DWG starts with "AC10"; anything else is taken for DXF.
bool LooksLikeDwg(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    return in.gcount() == 4 && std::memcmp(magic, "AC10", 4) == 0 && Lower(file.extension().string()) != ".dxf";
}

int ToDxf(const fs::path& input, const fs::path& output, bool json, bool quiet) {
    ckw::engine::Drawing drawing;
    std::string error;
    if (!ckw::engine::ReadDrawingFile(input, drawing, error)) {
        std::cerr << "TdwgConv: " << error << "\n";
        return 1;
    }
    ckw::dxf::ExportCounts counts;
    if (!ckw::dxf::WriteDxf(drawing, output, error, &counts)) {
        std::cerr << "TdwgConv: " << error << "\n";
        return 1;
    }
    if (quiet) return 0;
    if (json) {
        nlohmann::ordered_json j;
        j["source"] = input.string();
        j["output"] = output.string();
        j["written"] = counts.written;
        j["skipped"] = counts.skipped;
        std::cout << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        std::cout << input.string() << " -> " << output.string() << "\n";
        for (auto& [kind, n] : counts.written) std::cout << "  " << kind << " " << n << "\n";
        for (auto& [kind, n] : counts.skipped) std::cout << "  skipped " << kind << " " << n << "\n";
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool json = false, quiet = false, toDxf = false;
    long timeout = 120;
    std::vector<std::string> positional;
    std::string output;
    std::optional<tdwg::ShiftRequest> shift;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (a == "--version") {
            std::cout << "TdwgConv " << TDWGCONV_VERSION << "\n";
            return 0;
        } else if (a == "--json") {
            json = true;
        } else if (a == "-q") {
            quiet = true;
        } else if (a == "--to-dxf") {
            toDxf = true;
        } else if (a == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (a == "--shift" && i + 1 < args.size()) {
            shift = tdwg::ParseShift(args[++i]);
            if (!shift) {
                std::cerr << "TdwgConv: --shift takes auto or X,Y, not " << args[i] << "\n" << kUsage;
                return 2;
            }
        } else if (a == "--dwg-timeout" && i + 1 < args.size()) {
            timeout = std::atol(args[++i].c_str());
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            std::cerr << "TdwgConv: unknown option " << a << "\n" << kUsage;
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (toDxf) {
        // An export puts back the shift the drawing keeps; it takes none of its own.
        if (positional.size() != 2 || shift) {
            std::cerr << kUsage;
            return 2;
        }
        return ToDxf(positional[0], positional[1], json, quiet);
    }
    // The library starts us as " PATH 1"; the mode is 1 (convert) whatever it says.
    if (positional.empty() || positional.size() > 2) {
        std::cerr << kUsage;
        return 2;
    }
    fs::path input = positional[0];
    fs::path out = output.empty() ? DefaultOutput(input) : fs::path(output);

    tdwg::Drawing drawing;
    std::string error;
    bool ok;
    if (LooksLikeDwg(input)) {
        {
            Progress progress("reading " + input.filename().string());
            tdwg::DwgReaderSetup setup{DwgReaderScript(), std::chrono::seconds(timeout > 0 ? timeout : 120)};
            ok = tdwg::ReadDwg(input, setup, drawing, error);
        }
        if (ok) {
            if (shift) drawing.shift = *shift;
            Progress progress("writing " + out.filename().string());
            ok = tdwg::WriteT(drawing, out, error);
        }
    } else {
        Progress progress("converting " + input.filename().string());
        ok = tdwg::ConvertDxf(input, drawing, out, error, shift.value_or(tdwg::ShiftRequest{}));
    }
    if (json) tdwg::PrintReportJson(drawing, input.string(), out.string(), ok, error, std::cout);
    if (!ok) {
        std::cerr << "TdwgConv: " << input.string() << ": " << error << "\n";
        return 1;
    }
    if (!json && !quiet) tdwg::PrintReport(drawing, input.string(), out.string(), std::cout);
    return 0;
}
