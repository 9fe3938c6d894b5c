// View > Language: "System" and each language with a vocabulary. The choice is remembered in
// the Window section of the user's file and takes effect at the next start.
#pragma once

#include <QMenu>

class CLanguageMenu : public QMenu
{
    Q_OBJECT
public:
    explicit CLanguageMenu(QWidget* parent);

    /// Remembers `code` ("system" or a language code); false when it cannot be written (an
    /// explicit vocabulary file is in use, or the user's file cannot be written). Tells the user
    /// when the language in use will change at the next start.
    static bool Choose(const QString& code);

private:
    void Check();
};
