#pragma once
// The grid contract shown in a QTableWidget: the widget mirrors a GridModel and hands the user's
// edits, check boxes, colour picks, drop-down choices, browse buttons and clicks back to it.
#include <QTableWidget>

#include <functional>

#include "dialog/DialogGrid.h"

namespace ckw::qt {

class QtGridWidget : public QTableWidget {
public:
    // afterAction runs after every user action has reached the model (the runner shows the
    // dialog's changes then).
    QtGridWidget(ckw::dlg::GridModel& model, std::function<void()> afterAction, QWidget* parent);

    // Shows the model's state (only when it changed since the last call).
    void Sync();
    ckw::dlg::GridModel& model() { return m_model; }
    // Contrast ratio of two colours, 1 (same) to 21 (black on white); text needs 3 or more.
    static double Contrast(const QColor& a, const QColor& b);
    // Where a colour cell's swatch and a drop-down cell's arrow are painted inside the cell.
    static QRect SwatchRect(const QRect& cell);
    static QRect DropDownArrowRect(const QRect& cell);
    // Where a label of a cell is painted: see GridAddCellLabel.
    static QRect LabelRect(const QRect& cell, const ckw::dlg::CellLabel& label, const QFontMetrics& metrics);

private:
    void OnItemChanged(QTableWidgetItem* item);
    void OnCellClicked(int row, int col);
    void OnContextMenu(const QPoint& pos);
    void Done(const ckw::Status& done);

    ckw::dlg::GridModel& m_model;
    std::function<void()> m_afterAction;
    unsigned m_shownRevision = ~0u;
    bool m_syncing = false;
};

}  // namespace ckw::qt
