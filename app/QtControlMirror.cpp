// List and tab models shown in Qt widgets.
#include "QtControlMirror.h"

#include <QHeaderView>
#include <QTabBar>
#include <QTreeWidget>

#include <algorithm>

namespace
{
QString ToQt(const std::string& text)
{
    return QString::fromStdString(text);
}

QTreeWidgetItem* RowItem(const CListCtrl& list, int row)
{
    auto* item = new QTreeWidgetItem;
    for (int col = 0; col < list.GetColumnCount(); ++col)
        item->setText(col, ToQt(list.GetItemText(row, col)));
    return item;
}
} // namespace

QTreeWidget* CreateReportList(QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->setMinimumSize(CListCtrl::kDefaultWidth, 140);
    return list;
}

void ShowListModel(QTreeWidget& widget, const CListCtrl& list)
{
    widget.clear();
    QStringList headers;
    for (int col = 0; col < list.GetColumnCount(); ++col)
        headers << ToQt(list.GetColumn(col).header);
    widget.setColumnCount(std::max(1, static_cast<int>(headers.size())));
    widget.setHeaderLabels(headers);
    for (int row = 0; row < list.GetItemCount(); ++row)
        widget.addTopLevelItem(RowItem(list, row));
    if (QTreeWidgetItem* selected = widget.topLevelItem(list.GetSelectedRow()))
        widget.setCurrentItem(selected);
    FitListColumns(widget);
}

void ShowListChange(QTreeWidget& widget, const CListCtrl& list, CListChange change, int row, int col)
{
    QTreeWidgetItem* item = widget.topLevelItem(row);
    switch (change) {
    case CListChange::ColumnInserted:
        ShowListModel(widget, list);
        break;
    case CListChange::RowInserted:
        widget.insertTopLevelItem(row, RowItem(list, row));
        break;
    case CListChange::RowDeleted:
        delete widget.takeTopLevelItem(row);
        break;
    case CListChange::AllDeleted:
        widget.clear();
        break;
    case CListChange::TextChanged:
        if (item)
            item->setText(col, ToQt(list.GetItemText(row, col)));
        break;
    case CListChange::Selection:
        if (item)
            widget.setCurrentItem(item);
        else
            widget.clearSelection();
        break;
    case CListChange::EnsureVisible:
        if (item)
            widget.scrollToItem(item);
        break;
    }
}

void FitListColumns(QTreeWidget& widget)
{
    const int columns = widget.columnCount();
    if (columns <= 0)
        return;
    const int width = widget.viewport()->width() / columns;
    for (int col = 0; col < columns; ++col)
        widget.setColumnWidth(col, width);
}

void ShowTabModel(QTabBar& widget, const CTabCtrl& tabs)
{
    while (widget.count() > 0)
        widget.removeTab(0);
    for (int index = 0; index < tabs.GetItemCount(); ++index)
        widget.addTab(ToQt(tabs.GetItemText(index)));
    widget.setCurrentIndex(tabs.GetCurSel());
}

void ShowTabChange(QTabBar& widget, const CTabCtrl& tabs, CTabChange change, int index)
{
    switch (change) {
    case CTabChange::Inserted:
        widget.insertTab(index, ToQt(tabs.GetItemText(index)));
        break;
    case CTabChange::Deleted:
        widget.removeTab(index);
        break;
    case CTabChange::LabelChanged:
        widget.setTabText(index, ToQt(tabs.GetItemText(index)));
        break;
    case CTabChange::Selection:
        break;
    }
    widget.setCurrentIndex(tabs.GetCurSel());
}
