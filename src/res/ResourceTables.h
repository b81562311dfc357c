#pragma once
// The tables of templates each group of dialogs contributes; Resources.cpp searches them all.
#include <vector>

#include "dialog/DialogTemplate.h"

namespace ckw::res {

const std::vector<dlg::DialogTemplate>& SettingsDialogs();
const std::vector<dlg::MenuTemplate>& SettingsMenus();
const std::vector<dlg::DialogTemplate>& SheetDialogs();
const std::vector<dlg::DialogTemplate>& DrawFileDialogs();
const std::vector<dlg::DialogTemplate>& TableDialogs();
const std::vector<dlg::DialogTemplate>& XDataDialogs();

}  // namespace ckw::res
