#include "config.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QSettings>

#include <algorithm>

namespace {

const QString group = QStringLiteral("ScriptEditor/");

QVariant stored(const QString &key, const QVariant &fallback)
{
    return QSettings().value(group + key, fallback);
}

void store(const QString &key, const QVariant &value)
{
    QSettings().setValue(group + key, value);
}

int atLeastOne(int value)
{
    return std::max(1, value);
}

// A stored value that is not a number (a hand-edited or damaged settings file) reads as the
// default, not as 0.
int storedSize(const QString &key, int fallback)
{
    bool ok = false;
    const int value = stored(key, fallback).toInt(&ok);
    return atLeastOne(ok ? value : fallback);
}

bool storedFlag(const QString &key, bool fallback)
{
    const QVariant value = stored(key, fallback);
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        return false;
    }
    return fallback;
}

ConfigStyle style(const QFont &base, const QColor &color, bool bold = false, bool italic = false)
{
    QFont font = base;
    font.setBold(bold);
    font.setItalic(italic);
    return {font, color};
}

} // namespace

QString Config::language()
{
    return stored(QStringLiteral("Language"), QStringLiteral("English")).toString();
}

void Config::setLanguage(const QString &language)
{
    store(QStringLiteral("Language"), language);
}

int Config::indentTabSize()
{
    return storedSize(QStringLiteral("TabSize"), 4);
}

void Config::setIndentTabSize(int size)
{
    store(QStringLiteral("TabSize"), atLeastOne(size));
}

int Config::indentIndentSize()
{
    return storedSize(QStringLiteral("IndentSize"), 4);
}

void Config::setIndentIndentSize(int size)
{
    store(QStringLiteral("IndentSize"), atLeastOne(size));
}

bool Config::indentKeepTabs()
{
    return storedFlag(QStringLiteral("KeepTabs"), true);
}

void Config::setIndentKeepTabs(bool keep)
{
    store(QStringLiteral("KeepTabs"), keep);
}

bool Config::indentAutoIndent()
{
    return storedFlag(QStringLiteral("AutoIndent"), true);
}

void Config::setIndentAutoIndent(bool enabled)
{
    store(QStringLiteral("AutoIndent"), enabled);
}

bool Config::parenMatching()
{
    return storedFlag(QStringLiteral("ParenMatching"), true);
}

void Config::setParenMatching(bool enabled)
{
    store(QStringLiteral("ParenMatching"), enabled);
}

bool Config::completion()
{
    return storedFlag(QStringLiteral("Completion"), true);
}

void Config::setCompletion(bool enabled)
{
    store(QStringLiteral("Completion"), enabled);
}

bool Config::wordWrap()
{
    return storedFlag(QStringLiteral("WordWrap"), false);
}

void Config::setWordWrap(bool enabled)
{
    store(QStringLiteral("WordWrap"), enabled);
}

QStringList Config::getStyleNames()
{
    // Stored untranslated; the preferences dialog shows them in the context "PreferencesBase".
    return {QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "Standard")),
            QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "Comment")),
            QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "Number")),
            QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "String")),
            QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "Keyword")),
            QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "Type")),
            QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "Operator")),
            QStringLiteral(QT_TRANSLATE_NOOP("PreferencesBase", "Label"))};
}

QMap<QString, ConfigStyle> Config::defaultStyles()
{
    QFont base = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    base.setPointSize(10);
    return {
        {QStringLiteral("Standard"), style(base, Qt::black)},
        {QStringLiteral("Comment"), style(base, QColor(0x00, 0x80, 0x00), false, true)},
        {QStringLiteral("Number"), style(base, QColor(0x00, 0x00, 0x80))},
        {QStringLiteral("String"), style(base, QColor(0xA3, 0x15, 0x15))},
        {QStringLiteral("Keyword"), style(base, QColor(0x00, 0x00, 0xC0), true)},
        {QStringLiteral("Type"), style(base, QColor(0x80, 0x00, 0x80))},
        {QStringLiteral("Operator"), style(base, QColor(0x40, 0x40, 0x40))},
        {QStringLiteral("Label"), style(base, QColor(0x80, 0x60, 0x00))},
    };
}

QMap<QString, ConfigStyle> Config::readStyles()
{
    QMap<QString, ConfigStyle> styles = defaultStyles();
    const QSettings settings;
    for (auto it = styles.begin(); it != styles.end(); ++it) {
        const QString key = group + QStringLiteral("Styles/") + it.key();
        const QString fontText = settings.value(key + QStringLiteral("/Font")).toString();
        QFont font;
        if (!fontText.isEmpty() && font.fromString(fontText)) {
            it->font = font;
        }
        const QColor color(settings.value(key + QStringLiteral("/Color")).toString());
        if (color.isValid()) {
            it->color = color;
        }
    }
    return styles;
}

void Config::saveStyles(const QMap<QString, ConfigStyle> &styles)
{
    QSettings settings;
    for (const QString &name : getStyleNames()) {
        const auto it = styles.constFind(name);
        if (it == styles.constEnd()) {
            continue;
        }
        const QString key = group + QStringLiteral("Styles/") + name;
        settings.setValue(key + QStringLiteral("/Font"), it->font.toString());
        settings.setValue(key + QStringLiteral("/Color"), it->color.name());
    }
}
