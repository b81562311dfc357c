// kwutil browse FOLDER NAME KIND FLOOR [--script FILE]: the earlier drawings of a folder that the
// browser offers for a drawing name, kind and floor (999: every floor), then the browser itself
// ("请选择要打开的旧图", a real window where a display is available, or a dialog script), and the
// path of the drawing picked. Exit status: 0 picked, 1 nothing to offer or a script error, 3
// closed without a pick.
#include <iostream>
#include <memory>

#include "Command.h"
#include "Configuration.h"
#include "Messages.h"
#include "Progress.h"
#include <ckw/ReferenceEngine.h>
#include "TablePrinter.h"
#include "drawfiles/OldDrawingDialog.h"
#include "drawfiles/OldDrawings.h"
#include "dialog/DialogHeadless.h"
#include "base/GbkText.h"
#ifdef CKW_WITH_QT
#include "QtBackend.h"
#endif

namespace {

struct Options {
    std::string folder, name, script;
    int kind = 0;
    int floor = ckw::drawfiles::kAnyFloor;
};

int Show(const std::string& folderGbk, const std::vector<ckw::drawfiles::OldDrawing>& candidates) {
    ckw::drawfiles::OldDrawingDialog dialog(folderGbk, candidates);
    const bool ok = dialog.DoModal() == ckw::dlg::IDOK;
    if (!ok || !dialog.Picked()) return 3;
    std::cout << kwutil::Utf8(candidates[*dialog.Picked()].realPath) << "\n";
    return 0;
}

int Browse(const Options& options) {
    HostEngine* previous = m_pCfg;
    m_pCfg = &ckw::engine::DefaultEngine();
    const ckw::drawfiles::OldDrawingQuery query{kwutil::Gbk(options.folder), kwutil::Gbk(options.name), options.kind,
                                                options.floor};
    auto progress = kwutil::TerminalProgress("looking into");
    const auto candidates = ckw::drawfiles::FindOldDrawings(
        query, progress ? ckw::drawfiles::ScanProgress(progress) : ckw::drawfiles::ScanProgress{});
    if (candidates.empty()) {
        m_pCfg = previous;
        kwutil::Say() << "no drawing of that name, kind and floor in " << options.folder << "\n";
        return 1;
    }
    kwutil::TablePrinter table({"name", "floor", "changed", "scale"});
    for (const auto& c : candidates)
        table.Add({kwutil::Utf8(c.shownName), std::to_string(c.floor), ckw::drawfiles::WrittenText(c.written),
                   std::to_string(c.scale)});
    table.Print(std::cout);
    int status = 0;
    if (!options.script.empty()) {
        ckw::dlg::ScriptSession session(ckw::dlg::DialogScript::Load(options.script));
        status = Show(query.folder, candidates);
        if (!session.Succeeded()) {
            std::cerr << session.Report();
            status = 1;
        }
    } else {
#ifdef CKW_WITH_QT
        ckw::qt::RegisterQtBackend();
#endif
        if (!ckw::dlg::ActivateUiBackend())
            kwutil::Say() << "no display; without --script the browser ends as Cancel\n";
        status = Show(query.folder, candidates);
    }
    m_pCfg = previous;
    return status;
}

const kwutil::Command reg(
    "browse", "List the earlier drawings the browser offers in a folder and pick one",
    [](CLI::App& cmd) -> kwutil::Runner {
        auto options = std::make_shared<Options>();
        cmd.add_option("folder", options->folder, "the folder of the drawings")->required();
        cmd.add_option("name", options->name, "the drawing name of the drawing-information record")->required();
        cmd.add_option("kind", options->kind, "the drawing kind")->required();
        cmd.add_option("floor", options->floor, "the floor number; 999 lists every floor")->required();
        cmd.add_option("--script", options->script, "play this dialog script instead of showing a window");
        return [options] {
            kwutil::EnsureConfiguration();
            return Browse(*options);
        };
    });

}  // namespace
