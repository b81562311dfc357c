#pragma once
// The content of the frame-settings dialog "图框设定" without a toolkit: the six rows of its
// two-column grid (label, editor, value text) from the settings, and the settings read back from
// the value texts as the dialog does on "确认". The dialog runners only show and edit these.
#include <string>
#include <vector>

#include "sheet/FrameSettings.h"

namespace ckw::geom {

struct FrameSettingsRow {
    enum class Editor { DropDown, Text, FileBrowse };
    const char* label;  // GBK
    Editor editor;
    std::vector<std::string> items;  // drop-down entries (GBK)
    std::string value;               // the cell's text (GBK)
};

inline constexpr char kFrameSettingsCaption[] = "图框设定";
inline constexpr int kFrameSettingsLabelWidth = 120;
inline constexpr char kTitleBlockFilter[] = "T文件 (*.T)|*.T|";
inline constexpr char kTitleBlockDialogTitle[] = "请选择图签文件";

// The grid rows showing settings.
std::vector<FrameSettingsRow> FrameSettingsRows(const FrameSettings& settings);

// The settings from the six value texts (sheet, orientation, lengthening, widening, blocks, file
// name): a drop-down's leading digit, numbers as the C library's integer conversion reads them,
// the file name upper-cased with ".T" completed. titlePath is kept unless the name changed.
FrameSettings FrameSettingsFromValues(const std::vector<std::string>& values, const FrameSettings& before);

}  // namespace ckw::geom
