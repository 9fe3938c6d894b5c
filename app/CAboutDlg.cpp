// The about box.
#include "CAboutDlg.h"

#include "Artwork.h"
#include "Profile.h"
#include "ScreenText.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(ScreenText("ABOUT_TITLE", "About Zentavo")));
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    const std::string version = QCoreApplication::applicationVersion().toStdString();
    auto* name = new QLabel(QString::fromStdString(ScreenText("ABOUT_VERSION", "Zentavo Version %1", {version})), this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* purpose = new QLabel(QString::fromStdString(ScreenText("PURPOSE", "Statistics for epidemiologists")), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    // The same word as the OK button of every calculation dialog.
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(GetProfileString("Terms", "82", "OK")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(name, 0, 1);
    layout->addWidget(purpose, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
