#pragma once
// "同类实体编辑器": the modeless window of ModifySameEntity. It shows the colour, line type and
// width of the entity the user pointed at (and the character height and width of text-like
// kinds) and changes, or deletes, every entity of the current drawing of the same kind whose
// properties all equal those shown first.
#include <string>
#include <vector>

#include <ckw/EntityKinds.h>

#include "dialog/Dialog.h"

namespace ckw::xdata {

struct EntityProperties {
    int layer = 0;
    int colour = 0;
    int lineType = 0;
    int width = 0;
    float charHeight = 0;  // text-like kinds only
    float charWidth = 0;
    bool operator==(const EntityProperties&) const = default;
};

// The properties of the engine's current entity (read as a record of `kind`).
EntityProperties ReadEntityProperties(int kind);

class SameEntityEditor : public ckw::dlg::Dialog {
public:
    SameEntityEditor();

    // The kind and the properties of the entity pointed at; Refill shows them.
    void SetReference(int kind, const EntityProperties& reference);
    void Refill();
    int Kind() const { return m_kind; }
    const EntityProperties& Reference() const { return m_reference; }

    bool OnInitDialog() override;
    void OnCommand(int id) override;

private:
    // What the grid says; false (after a message) when a number does not read. Cells the user
    // left as shown keep the reference value, so that a rounded display changes nothing.
    bool ReadGrid(EntityProperties& values);
    void Apply();
    void Delete();
    // Walks every entity of the editor's kind in the current drawing and calls `matching` on
    // each whose properties equal the reference, with its record read.
    template <typename Action>
    void ForEachMatching(Action matching);

    int m_kind = 0;
    EntityProperties m_reference;
    std::vector<int> m_lineTypes;      // the line-type numbers of the drop-down, in its order
    std::vector<std::string> m_shown;  // the text shown in each value row (row 1 first)
    long m_shownColour = 0;
};

}  // namespace ckw::xdata
