// Showing the list and tab models of a dialog in Qt widgets: a list in report style as a
// QTreeWidget whose columns share the viewport's width, a tab control as a QTabBar.
#pragma once

#include "ListCtrl.h"
#include "TabCtrl.h"

class QTabBar;
class QTreeWidget;
class QWidget;

/// A list in report style: rows selected whole, one at a time, no tree decoration.
QTreeWidget* CreateReportList(QWidget* parent);
/// Shows the whole list model: headers, rows, the selected row.
void ShowListModel(QTreeWidget& widget, const CListCtrl& list);
/// Shows one change of the list model.
void ShowListChange(QTreeWidget& widget, const CListCtrl& list, CListChange change, int row, int col);
/// Each column gets the viewport's width divided by the number of columns.
void FitListColumns(QTreeWidget& widget);

/// Shows the whole tab model: its labels and the current tab.
void ShowTabModel(QTabBar& widget, const CTabCtrl& tabs);
/// Shows one change of the tab model.
void ShowTabChange(QTabBar& widget, const CTabCtrl& tabs, CTabChange change, int index);
