#pragma once

#include <QString>

// The keys of the program's per-user settings that the shell reads and writes. Each read opens
// the store (QSettings with the application's organisation and name), reads one key with its
// default and closes it again, so that every window sees what another has just written.
namespace Scripter::SettingsKey {

inline const QString WindowLayout = QStringLiteral("General/WindowLayout");
inline const QString DeclarationPaneVisible = QStringLiteral("General/DeclarationPaneVisible");
inline const QString FixturePaneVisible = QStringLiteral("General/FixturePaneVisible");
inline const QString PropsPaneVisible = QStringLiteral("General/PropsPaneVisible");
inline const QString MessagesPaneVisible = QStringLiteral("General/MessagesPaneVisible");
inline const QString ScripterLayout = QStringLiteral("General/ScripterLayout");
inline const QString WindowPosition = QStringLiteral("General/WindowPosition");
inline const QString WindowSize = QStringLiteral("General/WindowSize");
inline const QString LastEditedPackage = QStringLiteral("General/LastEditedPackage");
// The message table's settings carry the version of their format in the key, so that a state
// of another layout is never applied.
inline const QString MessagesPaneHeader = QStringLiteral("General/MessagesPaneHeaderVer-9.0.2");
inline const QString MessagesPaneHeaderHistory =
    QStringLiteral("General/MessagesPaneHeaderHistoryVer-9.0.2");
// The width of the properties pane's name column, once fitted or chosen.
inline const QString PropertiesPaneNameWidth = QStringLiteral("General/PropertiesPaneNameWidth");
inline const QString RecentPackagesList = QStringLiteral("General/RecentPackagesList");
inline const QString LastOpenPath = QStringLiteral("General/LastOpenPath");
inline const QString Toolbar = QStringLiteral("General/Toolbar");
// The most megabytes that the messages of the message database take; the oldest go first.
inline const QString MessageDatabaseSizeMB = QStringLiteral("General/MessageDatabaseSizeMB");

} // namespace Scripter::SettingsKey
