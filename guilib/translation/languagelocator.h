#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace GuiLib {

// Finds the user-interface languages installed with the program. A language is a folder named
// after the language ("English", "Deutsch", "Français") that holds its catalogues (*.qm). The
// language folders live in "translations" in the program's folder; a customised environment may
// bring its own in "Customization/Translations" there, which win over the program's own
// (docs/translations.md).
//
// Shared by the translation loader and the preferences dialog, so that the dialog offers exactly
// the languages that the next start can load.
class LanguageLocator
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::LanguageLocator)

public:
    // `applicationFolder` is the program's folder; empty means the running program's.
    explicit LanguageLocator(bool customized, const QString &applicationFolder = QString());

    // "English": the language of the source texts, so it needs no catalogue to be shown.
    static QString defaultLanguage();

    // The folders that hold language folders, the one that wins first.
    QStringList searchFolders() const { return m_searchFolders; }

    // The default language first, then every other installed language in alphabetical order.
    QStringList languages() const;

    // The folder of `language` in the first search folder where it holds a catalogue; empty when
    // the language is not installed. A name that is not a plain folder name (empty, "..", with a
    // path separator) is never looked up: the result is empty and `errorMessage` says why.
    QString languageFolder(const QString &language, QString *errorMessage = nullptr) const;

    // The locale whose catalogue of Qt's own texts goes with `language`: the language named in
    // its own tongue or in English, or a locale code used as folder name ("de", "pt_BR").
    // QLocale::c() when the name is none of these.
    static QLocale localeOf(const QString &language);

private:
    QStringList m_searchFolders;
};

} // namespace GuiLib
