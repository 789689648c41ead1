#pragma once

#include "libraryobject.h"

#include <QHash>

#include <vector>

namespace VBScript {

// Scripting.Dictionary: keys and items in the order they were added. Add, Exists, Item (its
// default member; reading a missing key adds it with Empty), Key, Remove, RemoveAll, Keys,
// Items, Count, CompareMode; For Each walks the keys. Numbers of any subtype with one value are
// one key; objects are keys by identity; texts by their characters, or ignoring case in text
// compare mode.
class DictionaryObject final : public LibraryObject
{
public:
    explicit DictionaryObject(Interpreter &interpreter);

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    bool enumerate(Interpreter &interpreter, std::vector<Value> *items) override;
    void dropReferences() override;

protected:
    void finalRelease() override;

private:
    ~DictionaryObject() override;

    struct Entry
    {
        Value key;
        Value item;
        bool removed = false;
    };

    // The key's identity; false with "Type mismatch" for arrays.
    bool hashKey(Interpreter &interpreter, const Value &key, QString *hash) const;
    // The entry of `key`, or -1.
    qsizetype find(const QString &hash) const { return m_index.value(hash, -1); }
    Entry &add(const QString &hash, const Value &key);
    void remove(qsizetype position);
    std::vector<Value> column(bool keys) const;
    bool item(Interpreter &interpreter, InvokeKind kind, const Arguments &arguments, Value &result);

    Interpreter &m_interpreter;
    std::vector<Entry> m_entries;
    QHash<QString, qsizetype> m_index;
    qsizetype m_removed = 0;
    bool m_ignoreCase = false;
};

} // namespace VBScript
