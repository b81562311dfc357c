#pragma once
// The layer panel: the layers of the current drawing (those its table defines, then those its
// entities use without an entry), each with its visibility, colour, line type and width. The
// person edits them here: the tick switches a layer on or off, a double click on the colour opens
// the palette, the line-type list sets the line type. Edits go into the drawing's layer table, so
// they are saved with the drawing and dropped with it when it is closed unsaved.
#include <QSet>
#include <QString>
#include <QTreeWidget>
#include <map>

namespace ckw::engine {
class Drawing;
}

namespace kwdraw {

class DrawingView;

// The line types the drawing defines by number (named where the entry has a name); solid always.
std::map<int, QString> LineTypesOf(const ckw::engine::Drawing& drawing);

class LayerEditor : public QTreeWidget {
    Q_OBJECT
public:
    enum Column { kName = 0, kColour, kLineType, kWidth };

    explicit LayerEditor(QWidget* parent = nullptr);
    // Shows the layers of view's drawing (nothing for no view).
    void Show(DrawingView* view);
    void SetLightGround(bool light) { m_light = light; }

    // The row of a layer number, or null.
    QTreeWidgetItem* Row(int layer) const;

signals:
    // A layer of the drawing has changed (the window repaints and shows the drawing as changed).
    void LayerEdited();

private:
    void Fill();
    void VisibilityChanged(QTreeWidgetItem* item);
    void ChooseColour(QTreeWidgetItem* item);
    void SetLineType(int layer, int lineType);
    // Changes a layer's table entry (made when the layer has none yet).
    template <typename Change>
    void Edit(int layer, Change change);

    DrawingView* m_view = nullptr;
    bool m_filling = false;
    bool m_light = false;
};

}  // namespace kwdraw
