// Drives a modal Qt dialog from a test and makes sure it closes.
#include "QtDialogDriver.h"

#include "CQtDialog.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace
{
/// Closes a modal dialog the body left open: first as Esc would (through the model), then, if
/// the model keeps it open, without it.
void CloseLeftOpen(QDialog* dialog)
{
    const QPointer<QDialog> open(dialog);
    if (!open || !open->isVisible())
        return;
    open->reject();
    if (open && open->isVisible())
        open->done(QDialog::Rejected);
}
} // namespace

void WhenDialogOpens(std::function<void(CQtDialog&)> body)
{
    QTimer::singleShot(0, [body = std::move(body)] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<CQtDialog*>(modal);
        if (!dialog) {
            ADD_FAILURE() << "no dialog of ours is open";
            CloseLeftOpen(qobject_cast<QDialog*>(modal));
            return;
        }
        const QPointer<CQtDialog> open(dialog);
        body(*dialog);
        CloseLeftOpen(open.data());
    });
}
