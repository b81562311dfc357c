#include "QtGridWidget.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>

#include "QtIndexPalette.h"
#include "QtText.h"
#include "base/Contrast.h"

#include <algorithm>
#include <cmath>

namespace ckw::qt {

namespace {

constexpr long kCaptionBack = 0xE8E8E8;

double Luminance(const QColor& c) { return colour::RelativeLuminance(c.redF(), c.greenF(), c.blueF()); }

// Light text colours (white, yellow) are the layers' own colours and must stay; the cell behind
// them turns dark instead, so that every text reads.
QColor ReadableBack(const QColor& text, const QColor& back) {
    if (QtGridWidget::Contrast(text, back) >= 3) return back;
    const QColor dark(0x40, 0x40, 0x40), light(Qt::white);
    return QtGridWidget::Contrast(text, dark) >= QtGridWidget::Contrast(text, light) ? dark : light;
}

// Paints what a table item cannot show by itself: colour swatches, drop-down arrows, the
// diagonal and the labels of a cell.
class CellDecorations : public QStyledItemDelegate {
public:
    CellDecorations(ckw::dlg::GridModel& model, QObject* parent) : QStyledItemDelegate(parent), m_model(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const ckw::dlg::GridCell& cell = m_model.Cell(index.row(), index.column());
        const bool caption = m_model.IsCaption(index.row(), index.column());
        QStyleOptionViewItem text(option);
        if (!caption && cell.kind == ckw::grid::kKindColor) {
            // The colour as a swatch, its name beside it in black on white.
            const QRect swatch = QtGridWidget::SwatchRect(option.rect);
            text.rect.setLeft(swatch.right() + 5);
            QStyledItemDelegate::paint(painter, text, index);
            painter->save();
            painter->setPen(Qt::black);
            painter->setBrush(FromColorRef(cell.backColor));
            painter->drawRect(swatch);
            painter->restore();
            return;
        }
        if (!caption && cell.kind == ckw::grid::kKindDropDown && !cell.readOnly) {
            const QRect arrow = QtGridWidget::DropDownArrowRect(option.rect);
            text.rect.setRight(arrow.left() - 1);
            QStyledItemDelegate::paint(painter, text, index);
            painter->fillRect(arrow, index.data(Qt::BackgroundRole).value<QBrush>());
            QStyleOption indicator;
            indicator.rect = arrow;
            indicator.palette.setColor(QPalette::ButtonText, Qt::black);
            indicator.palette.setColor(QPalette::WindowText, Qt::black);
            indicator.state = QStyle::State_Enabled;
            const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &indicator, painter, option.widget);
            return;
        }
        QStyledItemDelegate::paint(painter, option, index);
        if (cell.diagonal == 0 && cell.labels.empty()) return;
        painter->save();
        const QRect r = option.rect;
        if (cell.diagonal) painter->drawLine(r.topLeft(), r.bottomRight());
        for (const ckw::dlg::CellLabel& label : cell.labels)
            painter->drawText(QtGridWidget::LabelRect(r, label, painter->fontMetrics()), Qt::AlignLeft | Qt::AlignTop,
                              FromGbk(label.text));
        painter->restore();
    }

private:
    ckw::dlg::GridModel& m_model;
};

}  // namespace

double QtGridWidget::Contrast(const QColor& a, const QColor& b) {
    return colour::ContrastRatio(Luminance(a), Luminance(b));
}

QRect QtGridWidget::SwatchRect(const QRect& cell) {
    const int side = std::max(4, cell.height() - 6);
    return QRect(cell.left() + 3, cell.top() + (cell.height() - side) / 2, side * 3 / 2, side);
}

QRect QtGridWidget::DropDownArrowRect(const QRect& cell) {
    const int side = std::min(cell.height(), 18);
    return QRect(cell.right() + 1 - side, cell.top() + (cell.height() - side) / 2, side, side);
}

QRect QtGridWidget::LabelRect(const QRect& cell, const ckw::dlg::CellLabel& label, const QFontMetrics& metrics) {
    const QSize size = metrics.size(0, FromGbk(label.text));
    // The point in thousandths of the cell, counted from its bottom-left corner as on paper.
    const int x = cell.left() + int(cell.width() * label.x / 1000);
    const int y = cell.bottom() + 1 - int(cell.height() * label.y / 1000);
    const long a = label.alignment;
    const int left = (a & 2) ? x - size.width() / 2 : (a & 1) ? x - size.width() : x;
    const int top = (a & 8) ? y - size.height() / 2 : (a & 4) ? y - size.height() : y;
    // A label never leaves its cell.
    const int maxLeft = std::max(cell.left(), cell.right() + 1 - size.width());
    const int maxTop = std::max(cell.top(), cell.bottom() + 1 - size.height());
    return QRect(QPoint(std::clamp(left, cell.left(), maxLeft), std::clamp(top, cell.top(), maxTop)), size);
}

QtGridWidget::QtGridWidget(ckw::dlg::GridModel& model, std::function<void()> afterAction, QWidget* parent)
    : QTableWidget(parent), m_model(model), m_afterAction(std::move(afterAction)) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setItemDelegate(new CellDecorations(m_model, this));
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
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
            if (cell.kind == ckw::grid::kKindColor && !caption) {
                // The colour itself is the swatch the delegate paints; its name reads beside it.
                shown->setBackground(QColor(Qt::white));
                shown->setForeground(QColor(Qt::black));
            } else {
                const QColor back = FromColorRef(caption ? kCaptionBack : cell.backColor);
                const QColor fore = FromColorRef(cell.textColor);
                shown->setBackground(text.isEmpty() ? back : ReadableBack(fore, back));
                shown->setForeground(fore);
            }
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
    // A text wider than its column wraps onto more lines rather than being cut.
    const QFontMetrics metrics(font());
    for (int r = 0; r < rows; ++r) {
        bool cut = false;
        for (int c = 0; c < cols && !cut; ++c)
            cut = item(r, c) && metrics.horizontalAdvance(item(r, c)->text()) + 8 > columnWidth(c);
        if (cut) setRowHeight(r, std::max(rowHeight(r), sizeHintForRow(r)));
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
            // Layers and entities take the engine's colour numbers: its palette, not any RGB.
            if (auto colour = QtIndexPalette::Choose(cell.backColor, this))
                refusal = m_model.UserPickColor(row, col, *colour);
        } else if (cell.kind == ckw::grid::kKindDropDown && !cell.items.empty()) {
            QMenu menu(this);
            for (size_t i = 0; i < cell.items.size(); ++i) menu.addAction(FromGbk(cell.items[i]))->setData(int(i));
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
