#pragma once

#include "libraryobject.h"

#include <QRegularExpressionMatch>

#include <vector>

namespace VBScript {

// One match of a RegExp: Value (its default member), FirstIndex (from 0), Length and
// SubMatches, the groups' texts (Empty for a group that took no part).
class MatchObject final : public LibraryObject
{
public:
    explicit MatchObject(const QRegularExpressionMatch &match);

    // `replacement` with $1 ... $99, $&, $` and $' taken from `match` in `text`, and $$ as $.
    static QString expand(const QString &replacement, const QRegularExpressionMatch &match,
                          const QString &text);

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;

private:
    QString m_value;
    int m_firstIndex = 0;
    std::vector<Value> m_subMatches;
};

} // namespace VBScript
