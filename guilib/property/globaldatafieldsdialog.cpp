#include "globaldatafieldsdialog.h"

#include <QSet>

namespace GuiLib {

namespace {

constexpr int ScopeColumn = 0;
constexpr int TagColumn = 1;
constexpr int ValueColumn = 2;

const QString newScope = QStringLiteral("myScript");

} // namespace

GlobalDataFieldsDialog::GlobalDataFieldsDialog(QWidget *parent, const QString &title,
                                               const QList<SRCore::UniversalData> &fields)
    : TableValueDialog(parent, title, QString(), {tr("Scope"), tr("Tags"), tr("Value")},
                       tr("Invalid metadata field definition"))
{
    for (const SRCore::UniversalData &field : fields) {
        appendRow({field.second, field.first, field.third});
    }
    validate();
}

QList<SRCore::UniversalData> GlobalDataFieldsDialog::fields() const
{
    QList<SRCore::UniversalData> result;
    for (const QStringList &row : rows()) {
        result.append({row.at(TagColumn), row.at(ScopeColumn), row.at(ValueColumn)});
    }
    return result;
}

QStringList GlobalDataFieldsDialog::newRow() const
{
    QStringList tagsInScope;
    for (const QStringList &row : rows()) {
        if (row.at(ScopeColumn) == newScope) {
            tagsInScope.append(row.at(TagColumn));
        }
    }
    return {newScope, freeName(QStringLiteral("MyTag"), tagsInScope), QString()};
}

QString GlobalDataFieldsDialog::problem() const
{
    QSet<QPair<QString, QString>> seen;
    for (const QStringList &row : rows()) {
        const QString &scope = row.at(ScopeColumn);
        const QString &tag = row.at(TagColumn);
        if (scope.trimmed().isEmpty()) {
            return tr("an entry has no scope");
        }
        if (tag.trimmed().isEmpty()) {
            return tr("an entry of the scope '%1' has no tag").arg(scope);
        }
        if (seen.contains({scope, tag})) {
            return tr("the tag '%1' is used twice in the scope '%2'").arg(tag, scope);
        }
        seen.insert({scope, tag});
    }
    return {};
}

} // namespace GuiLib
