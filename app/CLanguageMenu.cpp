// The language menu.
#include "CLanguageMenu.h"

#include "Language.h"
#include "Profile.h"
#include "ScreenText.h"
#include "UIServices.h"
#include "Vocabulary.h"

#include <QActionGroup>

CLanguageMenu::CLanguageMenu(QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("VIEW_LANGUAGE"));
    setTitle(QString::fromStdString(MenuText("VIEW_LANGUAGE")));
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    std::vector<std::string> codes = {std::string(kSystemLanguage)};
    codes.insert(codes.end(), VocabularyLanguages().begin(), VocabularyLanguages().end());
    for (const std::string& code : codes) {
        std::string key = code;
        for (char& c : key)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        QAction* action = addAction(QString::fromStdString(GetProfileString("Languages", key, key)));
        action->setObjectName(QStringLiteral("lang-") + QString::fromStdString(code));
        action->setData(QString::fromStdString(code));
        action->setCheckable(true);
        group->addAction(action);
        if (code == kSystemLanguage)
            addSeparator();
    }
    // Without a user's file (an explicit vocabulary) nothing can be remembered.
    setEnabled(!UserVocabularyFile().empty());
    connect(group, &QActionGroup::triggered, this, [this](QAction* action) {
        Choose(action->data().toString());
        Check();
    });
    connect(this, &QMenu::aboutToShow, this, &CLanguageMenu::Check);
    Check();
}

void CLanguageMenu::Check()
{
    const QString remembered = QString::fromStdString(RememberedLanguage());
    for (QAction* action : actions())
        if (action->isCheckable())
            action->setChecked(action->data().toString() == remembered);
}

bool CLanguageMenu::Choose(const QString& code)
{
    const std::string chosen = code.toStdString();
    if (!WriteProfileText("Window", kLanguageKey, chosen))
        return false;
    const std::string next = chosen == kSystemLanguage ? SystemLanguage() : NormalizeLanguage(chosen);
    if (next != VocabularyLanguage())
        AfxMessageBox(ScreenText("LANGUAGE_AT_START", "The new language shows when Zentavo starts again."), MB_OK);
    return true;
}
