#include "QtGridWidget.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>

#include "QtText.h"

namespace ckw::qt {

namespace {

constexpr long kCaptionBack = 0xE8E8E8;

// Paints what a table item cannot show by itself: the diagonal and the labels of a cell.
class CellDecorations : public QStyledItemDelegate {
public:
    CellDecorations(ckw::dlg::GridModel& model, QObject* parent) : QStyledItemDelegate(parent), m_model(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const ckw::dlg::GridCell& cell = m_model.Cell(index.row(), index.column());
        if (cell.diagonal == 0 && cell.labels.empty()) return;
        painter->save();
        const QRect r = option.rect;
        if (cell.diagonal) painter->drawLine(r.topLeft(), r.bottomRight());
        for (const ckw::dlg::CellLabel& label : cell.labels) {
            const int x = r.left() + int(r.width() * label.x / 1000);
            const int y = r.top() + int(r.height() * label.y / 1000);
            // Alignment as on a phone keypad: 1 2 3 top, 4 5 6 middle, 7 8 9 bottom.
            const int column = (int(label.alignment) - 1) % 3, line = (int(label.alignment) - 1) / 3;
            const QString text = FromGbk(label.text);
            const QSize size = painter->fontMetrics().size(0, text);
            const QPoint topLeft(x - column * size.width() / 2, y - line * size.height() / 2);
            painter->drawText(QRect(topLeft, size), Qt::AlignLeft | Qt::AlignTop, text);
        }
        painter->restore();
    }

private:
    ckw::dlg::GridModel& m_model;
};

}  // namespace

QtGridWidget::QtGridWidget(ckw::dlg::GridModel& model, std::function<void()> afterAction, QWidget* parent)
    : QTableWidget(parent), m_model(model), m_afterAction(std::move(afterAction)) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setItemDelegate(new CellDecorations(m_model, this));
    setContextMenuPolicy(Qt::CustomContextMenu);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { OnItemChanged(item); });
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int col) { OnCellClicked(row, col); });
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) { OnContextMenu(pos); });
}

void QtGridWidget::Sync() {
    if (m_model.revision() == m_shownRevision) return;
    m_shownRevision = m_model.revision();
    m_syncing = true;
    const int rows = m_model.GridGetRows(), cols = m_model.GridGetCols();
    setRowCount(rows);
    setColumnCount(cols);
    // Only what changed is set again: setting a style or a mode closes an open editor.
    const QString style =
        QStringLiteral("QTableWidget { gridline-color: %1; }").arg(FromColorRef(m_model.LineColor()).name());
    if (styleSheet() != style) setStyleSheet(style);
    const auto behaviour = m_model.RowSelect() ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems;
    if (selectionBehavior() != behaviour) setSelectionBehavior(behaviour);
    const auto resize = [](bool allow) { return allow ? QHeaderView::Interactive : QHeaderView::Fixed; };
    if (horizontalHeader()->sectionResizeMode(0) != resize(m_model.UserResizesCols()) || cols == 0)
        horizontalHeader()->setSectionResizeMode(resize(m_model.UserResizesCols()));
    verticalHeader()->setSectionResizeMode(resize(m_model.UserResizesRows()));
    for (int c = 0; c < cols; ++c) setColumnWidth(c, m_model.GridGetColWidth(short(c)));
    for (int r = 0; r < rows; ++r) {
        setRowHeight(r, int(m_model.GridGetRowHeight(short(r))));
        for (int c = 0; c < cols; ++c) {
            const ckw::dlg::GridCell& cell = m_model.Cell(r, c);
            QTableWidgetItem* shown = item(r, c);
            if (!shown) {
                shown = new QTableWidgetItem;
                setItem(r, c, shown);
            }
            QString text = FromGbk(cell.text);
            // Second-level rows are indented under the row that heads their group.
            if (c == 1 && m_model.GridGetRowLevel(short(r)) == 2) text.prepend(QStringLiteral("    "));
            if (shown->text() != text) shown->setText(text);
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (m_model.IsUserEditable(r, c)) flags |= Qt::ItemIsEditable;
            const bool checkBox = ckw::grid::IsCheckType(cell.type) && r >= m_model.FixedRows();
            if (checkBox) {
                flags |= Qt::ItemIsUserCheckable;
                const Qt::CheckState state = cell.checked ? Qt::Checked : Qt::Unchecked;
                if (shown->data(Qt::CheckStateRole) != QVariant(state)) shown->setCheckState(state);
            } else if (shown->data(Qt::CheckStateRole).isValid()) {
                shown->setData(Qt::CheckStateRole, QVariant());
            }
            if (shown->flags() != flags) shown->setFlags(flags);
            const bool caption = m_model.IsCaption(r, c) && cell.backColor == ckw::grid::kWhite;
            shown->setBackground(FromColorRef(caption ? kCaptionBack : cell.backColor));
            shown->setForeground(FromColorRef(cell.textColor));
            shown->setTextAlignment(caption ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
            if (cell.kind == ckw::grid::kKindButton) {
                if (!cellWidget(r, c)) {
                    auto* holder = new QWidget;
                    auto* layout = new QHBoxLayout(holder);
                    layout->setContentsMargins(0, 0, 0, 0);
                    layout->addStretch();
                    auto* browse = new QToolButton(holder);
                    browse->setText(QStringLiteral("…"));
                    layout->addWidget(browse);
                    connect(browse, &QToolButton::clicked, this, [this, r, c] { Done(m_model.UserBrowse(r, c)); });
                    setCellWidget(r, c, holder);
                }
            } else if (cellWidget(r, c)) {
                removeCellWidget(r, c);
            }
        }
    }
    m_syncing = false;
}

void QtGridWidget::Done(const ckw::Status& done) {
    // A refused action leaves the model as it was: show it again as it is.
    if (!done.ok()) m_shownRevision = ~0u;
    // Shown once control is back in the event loop: the dialog may have rebuilt the rows, and
    // the item that reported the change must outlive its signal.
    QTimer::singleShot(0, this, [this] {
        if (m_afterAction) m_afterAction();
        Sync();
    });
}

void QtGridWidget::OnItemChanged(QTableWidgetItem* item) {
    if (m_syncing) return;
    const int r = item->row(), c = item->column();
    const ckw::dlg::GridCell& cell = m_model.Cell(r, c);
    if (item->flags() & Qt::ItemIsUserCheckable) {
        const bool checked = item->checkState() == Qt::Checked;
        if (checked != cell.checked) {
            Done(m_model.UserCheck(r, c, checked));
            return;
        }
    }
    std::string text = ToGbk(item->text());
    if (text != cell.text && (item->flags() & Qt::ItemIsEditable)) Done(m_model.UserEdit(r, c, text));
}

void QtGridWidget::OnCellClicked(int row, int col) {
    ckw::Status refusal = m_model.UserClick(row, col);
    const ckw::dlg::GridCell& cell = m_model.Cell(row, col);
    if (refusal.ok() && !m_model.IsCaption(row, col) && !cell.readOnly) {
        if (cell.kind == ckw::grid::kKindColor) {
            QColor colour = QColorDialog::getColor(FromColorRef(cell.backColor), this);
            if (colour.isValid()) refusal = m_model.UserPickColor(row, col, ToColorRef(colour));
        } else if (cell.kind == ckw::grid::kKindDropDown && !cell.items.empty()) {
            QMenu menu(this);
            for (size_t i = 0; i < cell.items.size(); ++i)
                menu.addAction(FromGbk(cell.items[i]))->setData(int(i));
            QAction* chosen = menu.exec(viewport()->mapToGlobal(visualItemRect(item(row, col)).bottomLeft()));
            if (chosen) refusal = m_model.UserChoose(row, col, chosen->data().toInt());
        }
    }
    Done(refusal);
}

void QtGridWidget::OnContextMenu(const QPoint& pos) {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) return;
    Done(m_model.UserRightClick(index.row(), index.column()));
}

}  // namespace ckw::qt
