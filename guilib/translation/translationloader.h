#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QTranslator;

namespace GuiLib {

// Installs the catalogues of one user-interface language into the application: Qt's own
// catalogue for the language's locale, then one translator per catalogue file of the language
// folder that matches the file patterns (see LanguageLocator for where language folders live).
// Qt consults the translator installed last first, so a later pattern overrides an earlier one
// and every catalogue of ours overrides Qt's.
//
// The loader owns its translators; they stay installed until unload(), the next load() or the
// loader's destruction. GUI thread only.
class TranslationLoader
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::TranslationLoader)
    Q_DISABLE_COPY_MOVE(TranslationLoader)

public:
    TranslationLoader();
    ~TranslationLoader();

    // Installs the catalogues of `language` (the default language when empty). `edition` and
    // `version` name the server release the catalogues belong to; the program ships them with
    // itself, so they only identify the release in the diagnostics. `filePatterns` are file name
    // patterns ("Scripter*.qm"), installed in the given order and each file once. `customized`
    // adds the customised environment's language folders. `applicationFolder` is the program's
    // folder and `qtTranslationsFolder` the folder of Qt's own catalogues; empty means the running
    // program's and the Qt installation's.
    //
    // A language that is not installed, or an unusable language name, falls back to the default
    // language; so does a language without a catalogue of Qt's own, for Qt's texts only. Returns
    // false when the language name was unusable or a catalogue file could not be loaded;
    // `errorMessage` then names each problem, and every other catalogue is installed all the same.
    bool load(const QString &edition, const QString &version, const QString &language,
              const QStringList &filePatterns, bool customized, const QString &applicationFolder,
              const QString &qtTranslationsFolder, QString *errorMessage = nullptr);

    // Removes every catalogue this loader installed.
    void unload();

    // The language whose catalogues are installed, after any fallback; empty before load().
    QString language() const { return m_language; }
    // The folder the catalogues came from; empty when the language has none installed.
    QString languageFolder() const { return m_languageFolder; }
    // The absolute paths of the installed catalogues, in the order of installation.
    QStringList installedFiles() const { return m_installedFiles; }

private:
    // Loads the catalogue `path` and installs it; false when it cannot be loaded.
    bool install(const QString &path);

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    QString m_language;
    QString m_languageFolder;
    QStringList m_installedFiles;
};

} // namespace GuiLib
