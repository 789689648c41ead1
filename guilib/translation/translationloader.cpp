#include "translationloader.h"

#include "languagelocator.h"
#include "translationlogging.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace GuiLib {

namespace {

// The most specific of Qt's catalogues for `locale` ("qt_pt_BR.qm" before "qt_pt.qm"); empty when
// there is none. QTranslator's own search by locale would take "qt_pt.qm" first.
QString qtCatalogue(const QLocale &locale, const QString &folder)
{
    for (QString language : locale.uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        const QString path = folder + QStringLiteral("/qt_") + language + QStringLiteral(".qm");
        if (QFileInfo(path).isFile()) {
            return QFileInfo(path).absoluteFilePath();
        }
    }
    return QString();
}

QString cannotLoad(const QString &path)
{
    return TranslationLoader::
        tr("The catalogue '%1' cannot be loaded; it is not a translation file or cannot be read.")
            .arg(QDir::toNativeSeparators(path));
}

} // namespace

TranslationLoader::TranslationLoader() = default;

// A translator removes itself from the application when it is deleted.
TranslationLoader::~TranslationLoader() = default;

void TranslationLoader::unload()
{
    m_translators.clear();
    m_language.clear();
    m_languageFolder.clear();
    m_installedFiles.clear();
}

bool TranslationLoader::install(const QString &path)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path)) {
        return false;
    }
    // Reports false for a catalogue without a single translation (such as the English one), which
    // is installed all the same and does no harm.
    QCoreApplication::installTranslator(translator.get());
    m_translators.push_back(std::move(translator));
    m_installedFiles.append(path);
    return true;
}

bool TranslationLoader::load(const QString &edition, const QString &version,
                             const QString &language, const QStringList &filePatterns,
                             bool customized, const QString &applicationFolder,
                             const QString &qtTranslationsFolder, QString *errorMessage)
{
    Q_ASSERT_X(QCoreApplication::instance(), "TranslationLoader::load",
               "catalogues are installed into the application object");
    unload();
    QStringList problems;

    const LanguageLocator locator(customized, applicationFolder);
    const QString requested = language.isEmpty() ? LanguageLocator::defaultLanguage() : language;
    QString problem;
    m_language = requested;
    m_languageFolder = locator.languageFolder(requested, &problem);
    if (!problem.isEmpty()) {
        problems.append(problem);
    }
    if (m_languageFolder.isEmpty() && requested != LanguageLocator::defaultLanguage()) {
        qCInfo(lcTranslation) << "Language" << requested << "is not installed in"
                              << locator.searchFolders() << "- using"
                              << LanguageLocator::defaultLanguage();
        m_language = LanguageLocator::defaultLanguage();
        m_languageFolder = locator.languageFolder(m_language);
    }

    const QLocale locale = LanguageLocator::localeOf(m_language);
    if (locale.language() != QLocale::C) {
        const QString qtFolder = qtTranslationsFolder.isEmpty()
                                     ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                     : qtTranslationsFolder;
        const QString path = qtCatalogue(locale, qtFolder);
        // Qt is not translated into every language; its texts then stay English.
        if (path.isEmpty()) {
            qCInfo(lcTranslation) << "No catalogue of Qt for" << locale.name() << "in" << qtFolder;
        } else if (!install(path)) {
            problems.append(cannotLoad(path));
        }
    }

    if (!m_languageFolder.isEmpty()) {
        const QDir folder(m_languageFolder);
        QStringList seen;
        for (const QString &pattern : filePatterns) {
            const QStringList files = folder.entryList({pattern}, QDir::Files, QDir::Name);
            for (const QString &file : files) {
                if (seen.contains(file)) {
                    continue;
                }
                seen.append(file);
                const QString path = folder.absoluteFilePath(file);
                if (!install(path)) {
                    problems.append(cannotLoad(path));
                }
            }
        }
    }

    qCInfo(lcTranslation).noquote() << "Catalogues of" << edition << version << "in" << m_language
                                    << ":" << m_installedFiles.join(QLatin1String(", "));
    if (errorMessage) {
        *errorMessage = problems.join(QLatin1Char('\n'));
    }
    return problems.isEmpty();
}

} // namespace GuiLib
