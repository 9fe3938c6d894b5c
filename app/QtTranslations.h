// Qt's own texts (file, print and message-box buttons) in the language of the vocabulary.
#pragma once

#include <string>

/// Installs Qt's translation of its own texts (qtbase_<code> from Qt's translations folder) for
/// `language`, replacing one installed before; English and a missing translation leave Qt's
/// English. True when a translation was installed.
bool LoadQtTranslations(const std::string& language);
