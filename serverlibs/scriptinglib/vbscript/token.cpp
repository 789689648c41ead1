#include "token.h"

#include <QHash>

namespace VBScript {

namespace {

struct KeywordEntry
{
    Keyword keyword;
    const char *spelling;
};

// In the order of the enum, so that the spelling of a keyword is found by its value.
constexpr KeywordEntry keywordTable[] = {
    {Keyword::None, ""},           {Keyword::And, "And"},           {Keyword::ByRef, "ByRef"},
    {Keyword::ByVal, "ByVal"},     {Keyword::Call, "Call"},         {Keyword::Case, "Case"},
    {Keyword::Class, "Class"},     {Keyword::Const, "Const"},       {Keyword::Dim, "Dim"},
    {Keyword::Do, "Do"},           {Keyword::Each, "Each"},         {Keyword::Else, "Else"},
    {Keyword::ElseIf, "ElseIf"},   {Keyword::Empty, "Empty"},       {Keyword::End, "End"},
    {Keyword::Eqv, "Eqv"},         {Keyword::Erase, "Erase"},       {Keyword::Exit, "Exit"},
    {Keyword::False, "False"},     {Keyword::For, "For"},           {Keyword::Function, "Function"},
    {Keyword::If, "If"},           {Keyword::Imp, "Imp"},           {Keyword::In, "In"},
    {Keyword::Is, "Is"},           {Keyword::Loop, "Loop"},         {Keyword::Me, "Me"},
    {Keyword::Mod, "Mod"},         {Keyword::New, "New"},           {Keyword::Next, "Next"},
    {Keyword::Not, "Not"},         {Keyword::Nothing, "Nothing"},   {Keyword::Null, "Null"},
    {Keyword::On, "On"},           {Keyword::Option, "Option"},     {Keyword::Or, "Or"},
    {Keyword::Private, "Private"}, {Keyword::Property, "Property"}, {Keyword::Public, "Public"},
    {Keyword::ReDim, "ReDim"},     {Keyword::Select, "Select"},     {Keyword::Set, "Set"},
    {Keyword::Stop, "Stop"},       {Keyword::Sub, "Sub"},           {Keyword::Then, "Then"},
    {Keyword::To, "To"},           {Keyword::True, "True"},         {Keyword::Until, "Until"},
    {Keyword::Wend, "Wend"},       {Keyword::While, "While"},       {Keyword::With, "With"},
    {Keyword::Xor, "Xor"},
};

static_assert(sizeof(keywordTable) / sizeof(keywordTable[0]) == int(Keyword::Xor) + 1,
              "every keyword needs its spelling");

} // namespace

bool Token::isWord(QLatin1String word) const
{
    return kind == TokenKind::Identifier && !bracketed
           && text.compare(word, Qt::CaseInsensitive) == 0;
}

QString keywordSpelling(Keyword keyword)
{
    return QString::fromLatin1(keywordTable[int(keyword)].spelling);
}

Keyword keywordOfWord(const QString &word)
{
    static const QHash<QString, Keyword> keywords = [] {
        QHash<QString, Keyword> result;
        for (const KeywordEntry &entry : keywordTable) {
            if (entry.keyword != Keyword::None) {
                result.insert(QString::fromLatin1(entry.spelling).toLower(), entry.keyword);
            }
        }
        return result;
    }();
    return keywords.value(word.toLower(), Keyword::None);
}

} // namespace VBScript
