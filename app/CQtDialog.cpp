// Building a Qt dialog from a template and keeping it in step with its dialog model.
#include "CQtDialog.h"

#include "HelpLauncher.h"
#include "QtControlMirror.h"
#include "UIServices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
/// A tab bar that shows when it has the keyboard focus: some styles draw no focus on tabs, which
/// left a tab stop that nothing marked.
class CFocusTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QTabBar::paintEvent(event);
        if (!hasFocus() || currentIndex() < 0)
            return;
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = tabRect(currentIndex()).adjusted(3, 3, -3, -3);
        option.backgroundColor = palette().color(QPalette::Window);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
};

using Kind = CControlTemplate::Kind;

// A line edit holds at most 32767 characters unless told otherwise.
constexpr int kNoLimit = 32767;

QString ToQt(const std::string& text)
{
    return QString::fromStdString(text);
}

// A number field asks for room for about ten digits rather than a line edit's usual width, so
// that a grid of counts stays compact; it still widens with its column.
class CNumberLineEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    QSize sizeHint() const override
    {
        const QSize hint = QLineEdit::sizeHint();
        return {std::min(hint.width(), fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10 + 12), hint.height()};
    }
};

// A label without a buddy shows its text as written: single '&' marks a mnemonic and is dropped.
QString WithoutMnemonics(QString text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}
} // namespace

CQtDialog::CQtDialog(CDialog& model, QWidget* parent) : QDialog(parent), m_model(model), m_template(model.GetTemplate())
{
    setWindowTitle(ToQt(m_model.GetWindowText()));
    Build();
    InstallHelpKey(*this, HelpPageOfDialog(m_model)); // F1: the manual's page of the calculation
}

CQtDialog::~CQtDialog()
{
    DetachModels();
}

QString CQtDialog::ObjectNameOf(int id)
{
    return QStringLiteral("id%1").arg(id);
}

QWidget* CQtDialog::Control(int id) const
{
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void CQtDialog::Build()
{
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    m_grids[0] = grid;
    const std::set<int> buttonRows = ButtonRows();
    std::map<int, QHBoxLayout*> buttonBoxes;
    // Template order is creation order, and so the tab order; a group box comes before the
    // controls it holds.
    for (const CControlTemplate& source : m_template.controls) {
        QGridLayout* container = m_grids.count(source.group) ? m_grids[source.group] : grid;
        QWidget* widget = CreateControl(source, container->parentWidget());
        widget->setObjectName(source.id == kStaticId ? QStringLiteral("static") : ObjectNameOf(source.id));
        widget->setProperty(kIdProperty, source.id);
        Qt::Alignment alignment;
        if (source.kind == Kind::UpDown)
            alignment = Qt::AlignLeft | Qt::AlignVCenter;
        else if (source.kind == Kind::Button || source.kind == Kind::DefButton)
            alignment = Qt::AlignHCenter | Qt::AlignVCenter;
        else if (IsColumnHeading(source))
            alignment = Qt::AlignHCenter | Qt::AlignBottom;
        if (source.group == 0 && buttonRows.count(source.row)) {
            QHBoxLayout*& buttons = buttonBoxes[source.row];
            if (!buttons) {
                buttons = new QHBoxLayout;
                buttons->setSpacing(8);
                buttons->addStretch(1);
                grid->addLayout(buttons, source.row, 0, 1, ColumnCount());
            }
            buttons->addWidget(widget);
        } else {
            container->addWidget(widget, source.row, source.col, source.rowSpan, source.colSpan, alignment);
        }
        if (source.id != kStaticId)
            m_controls[source.id] = widget;
        ConnectControl(source, widget);
    }
    SetLabelBuddies();
    SetColumnStretches();
    EvenOutButtons();
}

// Columns that hold only labels keep to their labels' width and the columns of fields take the
// room a wide control spanning them brings: a label stays beside its field.
void CQtDialog::SetColumnStretches()
{
    for (const auto& [containerId, grid] : m_grids) {
        std::map<int, bool> labelsOnly; // by column, for controls of one column
        int columns = 0;
        for (const CControlTemplate& source : m_template.controls) {
            if (source.group != containerId)
                continue;
            columns = std::max(columns, source.col + source.colSpan);
            // Push buttons do not count: those of a button row sit outside the columns.
            if (source.colSpan != 1 || source.kind == Kind::Button || source.kind == Kind::DefButton)
                continue;
            const bool label = source.kind == Kind::Static;
            const auto found = labelsOnly.find(source.col);
            labelsOnly[source.col] = label && (found == labelsOnly.end() || found->second);
        }
        for (int col = 0; col < columns; ++col) {
            const auto found = labelsOnly.find(col);
            grid->setColumnStretch(col, found != labelsOnly.end() && found->second ? 0 : 1);
        }
    }
}

// Rows of the dialog's own grid that hold push buttons only (OK and Cancel, Add and Remove):
// their buttons sit together at the right, as in native dialogs, wherever the template's
// columns put them.
std::set<int> CQtDialog::ButtonRows() const
{
    std::set<int> rows;
    std::set<int> mixed;
    for (const CControlTemplate& source : m_template.controls) {
        if (source.group != 0)
            continue;
        const bool button = (source.kind == Kind::Button || source.kind == Kind::DefButton) && source.rowSpan == 1;
        for (int row = source.row; row < source.row + source.rowSpan; ++row)
            (button ? rows : mixed).insert(row);
    }
    for (const int row : mixed)
        rows.erase(row);
    return rows;
}

int CQtDialog::ColumnCount() const
{
    int columns = 1;
    for (const CControlTemplate& source : m_template.controls) {
        if (source.group == 0)
            columns = std::max(columns, source.col + source.colSpan);
    }
    return columns;
}

// A label over a column of fields (not at the left margin, nothing to type beside it, a field
// below it in its columns) heads that column, as "Outcome" and "+"/"-" over a table's cells:
// it is centred over the cells.
bool CQtDialog::IsColumnHeading(const CControlTemplate& label) const
{
    if (label.kind != Kind::Static || label.col == 0)
        return false;
    bool fieldBelow = false;
    for (const CControlTemplate& other : m_template.controls) {
        if (other.group != label.group || &other == &label)
            continue;
        if (other.row == label.row && other.TakesFocus())
            return false;
        const bool below =
            other.row > label.row && other.col < label.col + label.colSpan && other.col + other.colSpan > label.col;
        if (below && (other.kind == Kind::Edit || other.kind == Kind::NumberEdit))
            fieldBelow = true;
    }
    return fieldBelow;
}

// Push buttons share one width, as in the native dialogs; a long title field gets room for a
// typical title without scrolling.
void CQtDialog::EvenOutButtons()
{
    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    int width = 88;
    for (const QPushButton* button : buttons)
        width = std::max(width, button->sizeHint().width());
    for (QPushButton* button : buttons)
        button->setMinimumWidth(width);
    for (const CControlTemplate& source : m_template.controls) {
        if (source.kind == Kind::Edit && source.maxChars >= 20) {
            QWidget* edit = Control(source.id);
            edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 30);
        }
    }
}

// Wide enough that the window manager need not cut the caption (a calculation's caption names
// its type in full).
void CQtDialog::FitCaption()
{
    QFont bold = font();
    bold.setBold(true);
    const int captionWidth = QFontMetrics(bold).horizontalAdvance(windowTitle()) + 120;
    const QSize hint = sizeHint();
    resize(std::max(hint.width(), captionWidth), hint.height());
}

QWidget* CQtDialog::CreateControl(const CControlTemplate& source, QWidget* container)
{
    const QString text = ToQt(source.text);
    switch (source.kind) {
    case Kind::Static: {
        auto* label = new QLabel(text, container);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case Kind::Edit:
    case Kind::NumberEdit: {
        QLineEdit* edit = source.kind == Kind::NumberEdit || source.rightAlign ? new CNumberLineEdit(text, container)
                                                                               : new QLineEdit(text, container);
        if (source.rightAlign)
            edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        return edit;
    }
    case Kind::Radio: {
        auto* radio = new QRadioButton(text, container);
        RadioGroupOf(source.id).addButton(radio);
        radio->installEventFilter(this);
        return radio;
    }
    case Kind::Check: {
        auto* check = new QCheckBox(text, container);
        check->installEventFilter(this);
        return check;
    }
    case Kind::GroupBox: {
        auto* box = new QGroupBox(text, container);
        auto* inner = new QGridLayout(box);
        inner->setHorizontalSpacing(10);
        m_grids[source.id] = inner;
        return box;
    }
    case Kind::Button:
    case Kind::DefButton: {
        auto* button = new QPushButton(text, container);
        button->setDefault(source.kind == Kind::DefButton);
        button->installEventFilter(this);
        return button;
    }
    case Kind::List: {
        QTreeWidget* list = CreateReportList(container);
        list->viewport()->setProperty(kIdProperty, source.id);
        list->viewport()->installEventFilter(this);
        list->installEventFilter(this);
        return list;
    }
    case Kind::Tab: {
        auto* tabs = new CFocusTabBar(container);
        tabs->setExpanding(false);
        tabs->installEventFilter(this);
        return tabs;
    }
    case Kind::UpDown:
        return CreateUpDown(source, container);
    case Kind::Progress:
        return new QProgressBar(container);
    }
    return new QWidget(container);
}

// One exclusive button group per radio group of the template, keyed by its first button.
QButtonGroup& CQtDialog::RadioGroupOf(int radioId)
{
    const std::vector<int> group = m_template.RadioGroup(radioId);
    QButtonGroup*& buttons = m_radios[group.empty() ? radioId : group.front()];
    if (!buttons) {
        buttons = new QButtonGroup(this);
        buttons->setExclusive(true);
    }
    return *buttons;
}

// Arrows that step the buddy through the model (which keeps the range): a spin box would clamp
// silently where the dialog's own check must speak.
QWidget* CQtDialog::CreateUpDown(const CControlTemplate& source, QWidget* container)
{
    auto* arrows = new QWidget(container);
    auto* column = new QVBoxLayout(arrows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (const Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
        auto* button = new QToolButton(arrows);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(18, 12);
        button->setObjectName(arrow == Qt::UpArrow ? QStringLiteral("up") : QStringLiteral("down"));
        const int id = source.id;
        const bool up = arrow == Qt::UpArrow;
        connect(button, &QToolButton::clicked, this,
                [this, id, up] { m_model.UserStepUpDown(id, up ? StepDirection(id) : -StepDirection(id)); });
        column->addWidget(button);
    }
    if (source.buddy)
        m_upDownOfBuddy[source.buddy] = source.id;
    return arrows;
}

void CQtDialog::ConnectControl(const CControlTemplate& source, QWidget* widget)
{
    const int id = source.id;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
            m_model.UserSetText(id, text.toStdString());
            ShowLimit(id);
        });
    } else if (source.kind == Kind::Radio || source.kind == Kind::Check) {
        auto* button = static_cast<QAbstractButton*>(widget);
        connect(button, &QAbstractButton::clicked, this, [this, id, button] {
            if (!m_model.UserSetCheck(id, button->isChecked()))
                ShowState(id);
        });
    } else if (source.kind == Kind::Button || source.kind == Kind::DefButton) {
        connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this, [this, id] { m_model.UserClick(id); });
    } else if (auto* list = qobject_cast<QTreeWidget*>(widget)) {
        ConnectList(id, list);
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
        connect(tabs, &QTabBar::currentChanged, this, [this, id](int index) {
            if (m_mirroring == 0 && !m_model.UserSelectTab(id, index))
                ShowTab(id);
        });
    }
}

void CQtDialog::ConnectList(int id, QTreeWidget* list)
{
    connect(list, &QTreeWidget::itemSelectionChanged, this, [this, id, list] {
        if (m_mirroring > 0)
            return;
        const QList<QTreeWidgetItem*> selected = list->selectedItems();
        const int row = selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.constFirst());
        m_model.UserSelectRow(id, row);
    });
}

// A label with a mnemonic moves the focus to the field beside it (the next cell of its row).
void CQtDialog::SetLabelBuddies()
{
    for (const CControlTemplate& source : m_template.controls) {
        if (source.kind != Kind::Static)
            continue;
        for (const CControlTemplate& other : m_template.controls) {
            if (other.group == source.group && other.row == source.row && other.col == source.col + source.colSpan &&
                other.TakesFocus() && other.id != kStaticId) {
                QWidget* label = source.id == kStaticId ? nullptr : Control(source.id);
                if (label)
                    static_cast<QLabel*>(label)->setBuddy(Control(other.id));
                break;
            }
        }
    }
}

void CQtDialog::AttachModels()
{
    m_model.SetChangeCallback([this](CDialogChange change, int id) { OnModelChange(change, id); });
    // Column widths are the viewport's width divided among the columns: the dialogs read the
    // width before they make their columns, so the layout is settled first.
    adjustSize();
    for (const CControlTemplate& source : m_template.controls) {
        if (CListCtrl* list = source.kind == Kind::List ? m_model.GetListCtrl(source.id) : nullptr) {
            auto* widget = static_cast<QTreeWidget*>(Control(source.id));
            list->SetViewportWidth(std::max(widget->width() - 2 * widget->frameWidth(), 1));
            const int id = source.id;
            list->SetChangeCallback(
                [this, id](CListChange change, int row, int col) { OnListChange(id, change, row, col); });
        }
        if (CTabCtrl* tabs = source.kind == Kind::Tab ? m_model.GetTabCtrl(source.id) : nullptr) {
            const int id = source.id;
            tabs->SetChangeCallback([this, id](CTabChange change, int index) { OnTabChange(id, change, index); });
        }
    }
}

void CQtDialog::DetachModels()
{
    m_model.SetChangeCallback(nullptr);
    for (const CControlTemplate& source : m_template.controls) {
        if (source.kind == Kind::List && m_model.GetListCtrl(source.id))
            m_model.GetListCtrl(source.id)->SetChangeCallback(nullptr);
        if (source.kind == Kind::Tab && m_model.GetTabCtrl(source.id))
            m_model.GetTabCtrl(source.id)->SetChangeCallback(nullptr);
    }
}

int CQtDialog::Run()
{
    AttachModels();
    m_model.BeginModal();
    if (m_model.IsEnded())
        return m_model.GetResult();
    ShowAll();
    FitCaption();
    setWindowModality(Qt::ApplicationModal);
    exec();
    return m_model.IsEnded() ? m_model.GetResult() : IDCANCEL;
}

void CQtDialog::accept()
{
    m_model.OnCommand(IDOK);
}

void CQtDialog::reject()
{
    m_model.OnCommand(IDCANCEL);
}

void CQtDialog::OnModelChange(CDialogChange change, int id)
{
    switch (change) {
    case CDialogChange::Caption:
        setWindowTitle(ToQt(m_model.GetWindowText()));
        break;
    case CDialogChange::Ended:
        QDialog::done(m_model.GetResult());
        break;
    case CDialogChange::Focus:
        ShowFocus(id);
        break;
    default:
        ShowState(id);
        break;
    }
}

void CQtDialog::ShowState(int id)
{
    QWidget* widget = Control(id);
    const CControlState* state = m_model.GetControlState(id);
    if (!widget || !state)
        return;
    ++m_mirroring;
    const auto done = qScopeGuard([this] { --m_mirroring; });
    ShowText(id, state->text);
    ShowChecked(id, state->checked);
    ShowLimit(id);
    widget->setEnabled(state->enabled);
    widget->setVisible(state->visible);
    if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
        bar->setRange(std::min(state->rangeLower, state->rangeUpper), std::max(state->rangeLower, state->rangeUpper));
        bar->setValue(state->pos);
    }
}

void CQtDialog::ShowText(int id, const std::string& text)
{
    QWidget* widget = Control(id);
    const QString shown = ToQt(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->text() != shown) {
            edit->setMaxLength(kNoLimit); // a longer text set by the program is shown whole
            edit->setText(shown);
        }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(label->buddy() ? shown : WithoutMnemonics(shown));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(shown);
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setTitle(shown);
    }
}

void CQtDialog::ShowChecked(int id, bool checked)
{
    auto* button = qobject_cast<QAbstractButton*>(Control(id));
    if (!button || !button->isCheckable() || button->isChecked() == checked)
        return;
    // An exclusive group refuses to uncheck its checked button; the model decides here.
    QButtonGroup* group = button->group();
    if (group && !checked)
        group->setExclusive(false);
    button->setChecked(checked);
    if (group && !checked)
        group->setExclusive(true);
}

// Typing stops at the limit; a longer text the program set stays whole (only shortened by hand).
void CQtDialog::ShowLimit(int id)
{
    auto* edit = qobject_cast<QLineEdit*>(Control(id));
    const CControlState* state = m_model.GetControlState(id);
    if (!edit || !state)
        return;
    const int limit = state->limit > 0 ? state->limit : kNoLimit;
    edit->setMaxLength(std::max(limit, static_cast<int>(edit->text().size())));
}

void CQtDialog::ShowFocus(int id)
{
    QWidget* widget = Control(id);
    if (!widget || m_mirroring > 0)
        return;
    ++m_mirroring;
    widget->setFocus(Qt::OtherFocusReason);
    // A field refused on OK is selected whole, ready to be typed over.
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
    --m_mirroring;
}

void CQtDialog::ShowAll()
{
    for (const auto& [id, widget] : m_controls) {
        ShowState(id);
        if (qobject_cast<QTreeWidget*>(widget))
            ShowList(id);
        else if (qobject_cast<QTabBar*>(widget))
            ShowTab(id);
    }
    ShowFocus(m_model.GetFocusId());
}

void CQtDialog::ShowList(int id)
{
    auto* widget = qobject_cast<QTreeWidget*>(Control(id));
    const CListCtrl* list = m_model.GetListCtrl(id);
    if (!widget || !list)
        return;
    ++m_mirroring;
    ShowListModel(*widget, *list);
    --m_mirroring;
}

void CQtDialog::OnListChange(int id, CListChange change, int row, int col)
{
    auto* widget = qobject_cast<QTreeWidget*>(Control(id));
    const CListCtrl* list = m_model.GetListCtrl(id);
    if (!widget || !list)
        return;
    ++m_mirroring;
    ShowListChange(*widget, *list, change, row, col);
    --m_mirroring;
}

void CQtDialog::ShowTab(int id)
{
    auto* widget = qobject_cast<QTabBar*>(Control(id));
    const CTabCtrl* tabs = m_model.GetTabCtrl(id);
    if (!widget || !tabs)
        return;
    ++m_mirroring;
    ShowTabModel(*widget, *tabs);
    --m_mirroring;
    // A hidden tab bar does not ask its layout for room when tabs come: it would stay at the
    // height of an empty bar, none of its tabs in sight.
    widget->updateGeometry();
}

void CQtDialog::OnTabChange(int id, CTabChange change, int index)
{
    auto* widget = qobject_cast<QTabBar*>(Control(id));
    const CTabCtrl* tabs = m_model.GetTabCtrl(id);
    if (!widget || !tabs)
        return;
    ++m_mirroring;
    ShowTabChange(*widget, *tabs, change, index);
    --m_mirroring;
    widget->updateGeometry();
}

// Up raises the value unless the range runs downwards, as with the native arrows.
int CQtDialog::StepDirection(int upDownId) const
{
    const CControlState* state = m_model.GetControlState(upDownId);
    return state && state->rangeLower > state->rangeUpper ? -1 : 1;
}

bool CQtDialog::FilterKey(QWidget* widget, QKeyEvent* event)
{
    const int id = widget->property(kIdProperty).toInt();
    const auto upDown = m_upDownOfBuddy.find(id);
    if (upDown != m_upDownOfBuddy.end() && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        const int step = StepDirection(upDown->second);
        m_model.UserStepUpDown(upDown->second, event->key() == Qt::Key_Up ? step : -step);
        return true;
    }
    const CControlTemplate* source = m_template.Find(id);
    if (!source || source->kind != Kind::NumberEdit)
        return false;
    // Digits only, as typed; pasted text passes (the exchange on OK still checks it).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.isEmpty() || !text[0].isPrint() || text[0].isDigit())
        return false;
    UIServices().Beep(440, 100);
    return true;
}

bool CQtDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return FilterKey(widget, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        // The user moved the focus: the model follows, without moving it back.
        if (m_mirroring == 0 && Control(widget->property(kIdProperty).toInt()) == widget) {
            ++m_mirroring;
            m_model.GotoDlgCtrl(widget->property(kIdProperty).toInt());
            --m_mirroring;
        }
        return false;
    case QEvent::Resize:
        if (auto* list = qobject_cast<QTreeWidget*>(widget->parentWidget()); list && widget == list->viewport())
            FitListColumns(*list);
        return false;
    default:
        return false;
    }
}
