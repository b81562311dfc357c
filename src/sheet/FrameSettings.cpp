// The frame settings, the hook to their dialog, and where title-block files are found.
#include "sheet/FrameSettings.h"

#include <utility>

#include <ckw/Util.h>
#include "base/GbkText.h"
#include "sheet/FrameSettingsDialog.h"

namespace ckw::geom {

namespace {

FrameSettingsEditor& Editor() {
    static FrameSettingsEditor editor;
    return editor;
}

bool HasDirectoryPart(const std::string& gbk) {
    // Step by characters: a GBK trail byte can look like a backslash.
    for (size_t i = 0; i < gbk.size(); i += ckw::text::CharLength(gbk, i))
        if (gbk[i] == '\\' || gbk[i] == '/') return true;
    return false;
}

}  // namespace

void FrameSettings::PaperSize(float& length, float& width) const {
    CUtil().GetDrawingSize(sheet, length, width);
    length += static_cast<float>(lengthening);
    width += static_cast<float>(widening);
}

void SetFrameSettingsEditor(FrameSettingsEditor editor) { Editor() = std::move(editor); }

bool EditFrameSettings(FrameSettings& settings) {
    FrameSettings edited = settings;
    if (Editor()) {
        if (!Editor()(edited)) return false;
    } else {
        FrameSettingsDialog dialog(settings);
        if (dialog.DoModal() != ckw::dlg::IDOK) return false;
        edited = dialog.Settings();
    }
    // A new name without a new path is found like any title-block name.
    if (edited.titleFile != settings.titleFile && edited.titlePath == settings.titlePath)
        edited.titlePath = TitleBlockPath(edited.titleFile);
    settings = std::move(edited);
    return true;
}

std::string TitleBlockPath(const std::string& file) {
    if (HasDirectoryPart(file)) return file;
    char dir[260] = {};
    CUtil::GetKeloCfgPath(dir);
    std::string path = dir;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + file;
}

std::string TitleBlockName(const std::string& file) {
    std::string name = ckw::text::ToUpper(file);
    size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    if (name.size() < 2 || name.compare(name.size() - 2, 2, ".T") != 0) name += ".T";
    return name;
}

}  // namespace ckw::geom
