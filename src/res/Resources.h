#pragma once
// The library's dialog templates and popup menus, looked up by resource id.
#include "dialog/DialogTemplate.h"

namespace ckw::res {

// Throws std::out_of_range for an id the library has no template for.
const ckw::dlg::DialogTemplate& DialogResource(int id);
const ckw::dlg::MenuTemplate& MenuResource(int id);

}  // namespace ckw::res
