// The program's two panes as the view tests drive them: the tree and the result view side by
// side in a shown window (offscreen), attached to a document.
#pragma once

#include "CCalcDoc.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CQtDocViews.h"

#include <QSplitter>

#include <memory>

struct CViewsWindow
{
    explicit CViewsWindow(CCalcDoc& doc)
        : window(std::make_unique<QSplitter>()), tree(new CCalcTreeView(window.get())),
          edit(new CCalcEditView(window.get()))
    {
        window->resize(900, 600);
        window->show();
        views = std::make_unique<CQtDocViews>(doc, *tree, *edit);
    }
    ~CViewsWindow()
    {
        views.reset(); // the views detach from the document before the widgets go
        window.reset();
    }
    CViewsWindow(const CViewsWindow&) = delete;
    CViewsWindow& operator=(const CViewsWindow&) = delete;

    std::unique_ptr<QSplitter> window;
    CCalcTreeView* tree;
    CCalcEditView* edit;
    std::unique_ptr<CQtDocViews> views;
};
