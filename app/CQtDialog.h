// A real Qt dialog built from a toolkit-free dialog's template: Qt layouts (one grid per
// container), each widget carrying its control id, the model's changes mirrored into the
// widgets and the user's input forwarded through the model's User* entry points.
#pragma once

#include "CDialog.h"

#include <QDialog>

#include <map>
#include <set>
#include <string>

class QButtonGroup;
class QGridLayout;
class QTreeWidget;

class CQtDialog : public QDialog
{
    Q_OBJECT
public:
    /// The dynamic property that holds each control widget's id (its object name is "id<N>").
    static constexpr char kIdProperty[] = "controlId";

    CQtDialog(CDialog& model, QWidget* parent = nullptr);
    ~CQtDialog() override;

    /// Starts the model (BeginModal) and runs the dialog modally until the model ends;
    /// returns the model's result (IDCANCEL should the window go away otherwise).
    int Run();
    /// The widget of a control, or null.
    QWidget* Control(int id) const;
    static QString ObjectNameOf(int id);

protected:
    /// Enter on the default button and Esc go through the model's commands: the dialog closes
    /// only when the model ends it.
    void accept() override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    std::set<int> ButtonRows() const;
    int ColumnCount() const;
    bool IsColumnHeading(const CControlTemplate& label) const;
    QWidget* CreateControl(const CControlTemplate& source, QWidget* container);
    QWidget* CreateUpDown(const CControlTemplate& source, QWidget* container);
    QButtonGroup& RadioGroupOf(int radioId);
    void ConnectControl(const CControlTemplate& source, QWidget* widget);
    void ConnectList(int id, QTreeWidget* list);
    void SetLabelBuddies();
    void SetColumnStretches();
    void EvenOutButtons();
    void FitCaption();
    void AttachModels();
    void DetachModels();

    void OnModelChange(CDialogChange change, int id);
    void ShowState(int id);
    void ShowText(int id, const std::string& text);
    void ShowChecked(int id, bool checked);
    void ShowLimit(int id);
    void ShowFocus(int id);
    void ShowAll();
    void ShowList(int id);
    void OnListChange(int id, CListChange change, int row, int col);
    void ShowTab(int id);
    void OnTabChange(int id, CTabChange change, int index);
    bool FilterKey(QWidget* widget, QKeyEvent* event);
    int StepDirection(int upDownId) const;

    CDialog& m_model;
    const CDialogTemplate& m_template;
    std::map<int, QWidget*> m_controls;    // by id (labels without an id are not kept)
    std::map<int, QGridLayout*> m_grids;   // by container: 0 the dialog, else the group box id
    std::map<int, QButtonGroup*> m_radios; // by the id of each radio group's first button
    std::map<int, int> m_upDownOfBuddy;    // edit id -> up-down id
    int m_mirroring = 0;                   // > 0 while widgets are set from the model
};
