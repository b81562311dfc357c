#pragma once
// "图层设置": edits the component-layer table of the user library (layer number, name, colour,
// line type and width of each component type), re-initialises it from the system library, and
// exchanges it with a text file.
#include <string>
#include <vector>

#include <ckw/CArray.h>
#include <ckw/ParaRecords.h>
#include "dialog/Dialog.h"
#include "settings/SettingsPaths.h"

namespace ckw::settings {

class LayerDialog : public ckw::dlg::Dialog {
public:
    // shownTypes: the component types to show; empty shows every layer of the table.
    explicit LayerDialog(const CStringArray& shownTypes);
    LayerDialog(const CStringArray& shownTypes, const SettingsPaths& paths);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCommand(int id) override;
    void OnSize(int width, int height) override;
    void GridCellClicked(int gridId, short row, short col, long button, const char* text) override;
    void GridRightClicked(int gridId, short row, short col, long button, const char* text) override;
    void GridColorPicked(int gridId, short row, short col, long colour) override;

    // For tests: the working lists.
    const std::vector<CkwLayerDef_>& Layers() const { return m_layers; }
    const std::vector<std::string>& ShownTypes() const { return m_shown; }
    // Colour number of a colour text, colour text of a colour number (the dialog's rules).
    int ColourNumber(const std::string& colourText) const;
    std::string ColourText(int colourNumber) const;

private:
    ckw::dlg::GridModel& TheGrid();
    void LoadColours();
    void LoadLineTypes();
    void LoadLayers();
    void Layout();
    void Fill();
    // The layer record a data row shows, -1 when its type has none.
    int RecordOfRow(int row) const;
    std::string LineTypeDescription(const std::string& lineTypeName) const;
    void ReadBack();
    bool Save();
    void ReloadAndRewrite();
    void InitialiseFromSystem();
    void RunMenuCommand(int command);
    void PickLineType(int row);

    CStringArray m_callerTypes;
    bool m_usePathsGiven = false;
    SettingsPaths m_paths;
    std::vector<std::string> m_shown;
    std::vector<CkwLayerDef_> m_layers;
    std::vector<CkwLayerDef_> m_layersAsRead;  // a save writes only what differs from them
    std::vector<CkwLineTypeDef_> m_lineTypes;
    std::vector<CColorDef_> m_colours;
    float m_scale = 1.0f;
    int m_startWidth = 0;
};

}  // namespace ckw::settings
