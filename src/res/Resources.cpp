#include "res/Resources.h"

#include <stdexcept>
#include <string>

#include "res/ResourceTables.h"

namespace ckw::res {

namespace {
template <typename T>
using Table = const std::vector<T>& (*)();

// Every table of templates; a group of dialogs adds its own here.
constexpr Table<dlg::DialogTemplate> kDialogTables[] = {&SettingsDialogs, &SheetDialogs, &TableDialogs, &XDataDialogs,
                                                        &DrawFileDialogs};
constexpr Table<dlg::MenuTemplate> kMenuTables[] = {&SettingsMenus};
}  // namespace

const dlg::DialogTemplate& DialogResource(int id) {
    for (auto table : kDialogTables)
        for (const auto& tpl : table())
            if (tpl.id == id) return tpl;
    throw std::out_of_range("no dialog template " + std::to_string(id));
}

const dlg::MenuTemplate& MenuResource(int id) {
    for (auto table : kMenuTables)
        for (const auto& menu : table())
            if (menu.id == id) return menu;
    throw std::out_of_range("no popup menu " + std::to_string(id));
}

}  // namespace ckw::res
