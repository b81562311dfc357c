#include "sheet/FrameSettingsForm.h"

#include <cstdlib>
#include <string>

#include "base/GbkText.h"

namespace ckw::geom {

namespace {

using Editor = FrameSettingsRow::Editor;

std::string Item(const std::vector<std::string>& items, int index) {
    return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : std::string();
}

int LeadingNumber(const std::string& text) { return std::atoi(text.c_str()); }

}  // namespace

std::vector<FrameSettingsRow> FrameSettingsRows(const FrameSettings& s) {
    std::vector<FrameSettingsRow> rows = {
        {"图纸号", Editor::DropDown, {"0号", "1号", "2号", "3号", "4号"}, {}},
        {"图纸放置方式", Editor::DropDown, {"1-横放", "2-竖放"}, {}},
        {"图纸加长(mm)", Editor::Text, {}, std::to_string(s.lengthening)},
        {"图纸加宽(mm)", Editor::Text, {}, std::to_string(s.widening)},
        {"图签、会签", Editor::DropDown, {"0-不需要", "1-需要"}, {}},
        {"标题栏文件名", Editor::FileBrowse, {}, s.titleFile},
    };
    // A sheet outside the list shows as its number, so that it is not silently changed.
    rows[0].value = s.sheet >= 0 && s.sheet <= 4 ? Item(rows[0].items, s.sheet) : std::to_string(s.sheet);
    rows[1].value = Item(rows[1].items, s.orientation == 1 ? 1 : 0);
    rows[4].value = Item(rows[4].items, s.withBlocks == 0 ? 0 : 1);
    return rows;
}

FrameSettings FrameSettingsFromValues(const std::vector<std::string>& values, const FrameSettings& before) {
    FrameSettings s = before;
    if (values.size() < 6) return s;
    s.sheet = LeadingNumber(values[0]);
    s.orientation = LeadingNumber(values[1]) - 1;
    s.lengthening = LeadingNumber(values[2]);
    s.widening = LeadingNumber(values[3]);
    s.withBlocks = LeadingNumber(values[4]);
    s.titleFile = TitleBlockName(values[5]);
    if (s.titleFile != before.titleFile) {
        // The file is opened by the name as typed (file names are case-sensitive here), completed.
        std::string typed = values[5];
        if (TitleBlockName(typed) == ckw::text::ToUpper(typed) + ".T") typed += ".T";
        s.titlePath = TitleBlockPath(typed);
    }
    return s;
}

}  // namespace ckw::geom
