#pragma once
// What the frame-settings dialog edits, and how the frame placement opens it: the dialog
// "图框设定" through the dialog runner in use (headless without a script: cancelled, so batch
// runs never change a sheet by accident), unless a program set an editor of its own (a scripted
// answer, for instance).
#include <functional>
#include <string>

namespace ckw::geom {

struct FrameSettings {
    int sheet = 1;
    int lengthening = 0;  // mm added to the standard length
    int widening = 0;     // mm added to the standard width
    int orientation = 0;  // 0 landscape, 1 portrait
    int withBlocks = 1;
    std::string titleFile = "BTL.T";  // GBK; upper case, ends in ".T"
    std::string titlePath;            // GBK; full path of the title-block file

    // Standard paper of the sheet plus lengthening and widening, in millimetres.
    void PaperSize(float& length, float& width) const;
};

// Returns true when the user confirmed; settings then hold the new values.
using FrameSettingsEditor = std::function<bool(FrameSettings& settings)>;

// nullptr restores the default: the dialog.
void SetFrameSettingsEditor(FrameSettingsEditor editor);
bool EditFrameSettings(FrameSettings& settings);

// A title-block name without a directory part (no slash or backslash) is looked for in the
// configuration directory; otherwise it is used as given. GBK in and out.
std::string TitleBlockPath(const std::string& file);
// Upper-cased and completed with ".T" when it has no extension, as the dialog keeps file names.
std::string TitleBlockName(const std::string& file);

}  // namespace ckw::geom
