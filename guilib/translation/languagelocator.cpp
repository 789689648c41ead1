#include "languagelocator.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace GuiLib {

namespace {

const QString &catalogueFilter()
{
    static const QString filter = QStringLiteral("*.qm");
    return filter;
}

bool holdsCatalogue(const QString &folder)
{
    return !QDir(folder).entryList({catalogueFilter()}, QDir::Files).isEmpty();
}

// The language name comes from the user's settings; it must not lead the search out of the
// translation folders.
QString nameProblem(const QString &language)
{
    if (language.isEmpty()) {
        return LanguageLocator::tr("The language name is empty.");
    }
    if (language == QLatin1String(".") || language == QLatin1String("..")
        || language.contains(QLatin1Char('/')) || language.contains(QLatin1Char('\\'))) {
        return LanguageLocator::tr("The language name '%1' is not a folder name.").arg(language);
    }
    for (const QChar c : language) {
        if (c.unicode() < 0x20) {
            return LanguageLocator::tr("The language name '%1' contains a control character.")
                .arg(language);
        }
    }
    return QString();
}

} // namespace

LanguageLocator::LanguageLocator(bool customized, const QString &applicationFolder)
{
    const QString root =
        applicationFolder.isEmpty() ? QCoreApplication::applicationDirPath() : applicationFolder;
    if (customized) {
        m_searchFolders.append(root + QStringLiteral("/Customization/Translations"));
    }
    m_searchFolders.append(root + QStringLiteral("/translations"));
}

QString LanguageLocator::defaultLanguage()
{
    return QStringLiteral("English");
}

QStringList LanguageLocator::languages() const
{
    QStringList others;
    for (const QString &searchFolder : m_searchFolders) {
        const QFileInfoList folders =
            QDir(searchFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QFileInfo &folder : folders) {
            const QString language = folder.fileName();
            // A folder that languageFolder() would refuse is no language to offer.
            if (language != defaultLanguage() && !others.contains(language)
                && nameProblem(language).isEmpty() && holdsCatalogue(folder.filePath())) {
                others.append(language);
            }
        }
    }
    std::sort(others.begin(), others.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    others.prepend(defaultLanguage());
    return others;
}

QString LanguageLocator::languageFolder(const QString &language, QString *errorMessage) const
{
    const QString problem = nameProblem(language);
    if (!problem.isEmpty()) {
        if (errorMessage) {
            *errorMessage = problem;
        }
        return QString();
    }
    for (const QString &searchFolder : m_searchFolders) {
        const QString folder = searchFolder + QLatin1Char('/') + language;
        if (holdsCatalogue(folder)) {
            return QFileInfo(folder).absoluteFilePath();
        }
    }
    return QString();
}

QLocale LanguageLocator::localeOf(const QString &language)
{
    // Some languages have no name of their own in Qt's locale data.
    if (language.isEmpty()) {
        return QLocale::c();
    }
    for (int value = QLocale::C + 1; value <= QLocale::LastLanguage; ++value) {
        const auto candidate = static_cast<QLocale::Language>(value);
        const QLocale locale(candidate);
        // Languages without locale data give another locale; they have no catalogue either.
        if (locale.language() != candidate) {
            continue;
        }
        if (language.compare(locale.nativeLanguageName(), Qt::CaseInsensitive) == 0
            || language.compare(QLocale::languageToString(candidate), Qt::CaseInsensitive) == 0) {
            return locale;
        }
    }
    return QLocale(language);
}

} // namespace GuiLib
