// Opening the manual from the program: Help > Help Topics in the main window and F1 in a
// calculation's dialog.
#pragma once

#include <QString>

class CCalcNodeBase;
class CDialog;
class CHelpWindow;
class QWidget;

/// Shows `page` in the help window of `owner`, made on first use: a window of its own that
/// closes with its owner, so a help window opened over a modal dialog is not blocked by it.
CHelpWindow* ShowHelpPage(QWidget& owner, const QString& page);
/// The page of the calculation a tree node shows; the index for a folder or no node.
QString HelpPageOfNode(const CCalcNodeBase* node);
/// The page of a dialog's calculation; the index for a dialog of no calculation.
QString HelpPageOfDialog(const CDialog& model);
/// F1 in `dialog` opens `page` over it.
void InstallHelpKey(QWidget& dialog, const QString& page);
