#pragma once

#include <QColor>
#include <QFont>
#include <QMap>
#include <QStringList>

// How one syntax element is drawn in the script editors.
struct ConfigStyle
{
    QFont font;
    QColor color;

    bool operator==(const ConfigStyle &other) const
    {
        return font == other.font && color == other.color;
    }
};

// The settings of the script editors, shared by all three languages and all windows: colouring
// styles, editing options and the user-interface language. Kept in the application's settings
// store (QSettings with the application's organisation and name) under "ScriptEditor/"; every
// getter falls back to a default when nothing is stored. GUI thread only.
class Config
{
public:
    Config() = delete;

    static QString language(); // "English" unless chosen otherwise
    static void setLanguage(const QString &language);

    static int indentTabSize(); // at least 1
    static void setIndentTabSize(int size);
    static int indentIndentSize(); // at least 1
    static void setIndentIndentSize(int size);
    static bool indentKeepTabs();
    static void setIndentKeepTabs(bool keep);
    static bool indentAutoIndent();
    static void setIndentAutoIndent(bool enabled);
    static bool parenMatching();
    static void setParenMatching(bool enabled);
    static bool completion();
    static void setCompletion(bool enabled);
    static bool wordWrap();
    static void setWordWrap(bool enabled);

    // The style element names, "Standard" first; the editors and the preferences know these.
    static QStringList getStyleNames();
    // One style per element name: the stored one, else the default.
    static QMap<QString, ConfigStyle> readStyles();
    // Stores the styles of the known element names; other names are ignored.
    static void saveStyles(const QMap<QString, ConfigStyle> &styles);
    static QMap<QString, ConfigStyle> defaultStyles();
};
