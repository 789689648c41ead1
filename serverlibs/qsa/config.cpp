#include "config.h"

#include <QFontDatabase>
#include <QSettings>

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
    return atLeastOne(stored(QStringLiteral("TabSize"), 4).toInt());
}

void Config::setIndentTabSize(int size)
{
    store(QStringLiteral("TabSize"), atLeastOne(size));
}

int Config::indentIndentSize()
{
    return atLeastOne(stored(QStringLiteral("IndentSize"), 4).toInt());
}

void Config::setIndentIndentSize(int size)
{
    store(QStringLiteral("IndentSize"), atLeastOne(size));
}

bool Config::indentKeepTabs()
{
    return stored(QStringLiteral("KeepTabs"), true).toBool();
}

void Config::setIndentKeepTabs(bool keep)
{
    store(QStringLiteral("KeepTabs"), keep);
}

bool Config::indentAutoIndent()
{
    return stored(QStringLiteral("AutoIndent"), true).toBool();
}

void Config::setIndentAutoIndent(bool enabled)
{
    store(QStringLiteral("AutoIndent"), enabled);
}

bool Config::parenMatching()
{
    return stored(QStringLiteral("ParenMatching"), true).toBool();
}

void Config::setParenMatching(bool enabled)
{
    store(QStringLiteral("ParenMatching"), enabled);
}

bool Config::completion()
{
    return stored(QStringLiteral("Completion"), true).toBool();
}

void Config::setCompletion(bool enabled)
{
    store(QStringLiteral("Completion"), enabled);
}

bool Config::wordWrap()
{
    return stored(QStringLiteral("WordWrap"), false).toBool();
}

void Config::setWordWrap(bool enabled)
{
    store(QStringLiteral("WordWrap"), enabled);
}

QStringList Config::getStyleNames()
{
    return {QStringLiteral("Standard"), QStringLiteral("Comment"), QStringLiteral("Number"),
            QStringLiteral("String"),   QStringLiteral("Keyword"), QStringLiteral("Type"),
            QStringLiteral("Operator"), QStringLiteral("Label")};
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
        QFont font;
        if (font.fromString(settings.value(key + QStringLiteral("/Font")).toString())) {
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
