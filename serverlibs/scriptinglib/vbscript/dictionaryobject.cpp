#include "dictionaryobject.h"

#include "array.h"
#include "assignment.h"
#include "conversion.h"
#include "interpreter.h"
#include "numbertext.h"
#include "runtimeerror.h"

namespace VBScript {

namespace {

enum Member { Add = 1, Exists, Item, Key, Remove, RemoveAll, Keys, Items, Count, CompareMode };

const MemberList &members()
{
    static const MemberList list({{"add", Add},
                                  {"exists", Exists},
                                  {"item", Item},
                                  {"key", Key},
                                  {"remove", Remove},
                                  {"removeall", RemoveAll},
                                  {"keys", Keys},
                                  {"items", Items},
                                  {"count", Count},
                                  {"comparemode", CompareMode}});
    return list;
}

} // namespace

DictionaryObject::DictionaryObject(Interpreter &interpreter)
    : LibraryObject(members(), "Dictionary")
    , m_interpreter(interpreter)
{
    m_interpreter.track(this);
}

DictionaryObject::~DictionaryObject()
{
    m_interpreter.untrack(this);
}

void DictionaryObject::finalRelease()
{
    m_interpreter.dispose(this);
}

void DictionaryObject::dropReferences()
{
    m_entries.clear();
    m_index.clear();
    m_removed = 0;
}

bool DictionaryObject::enumerate(Interpreter &, std::vector<Value> *items)
{
    *items = column(true);
    return true;
}

bool DictionaryObject::hashKey(Interpreter &interpreter, const Value &key, QString *hash) const
{
    const Value &target = key.target();
    switch (target.type()) {
    case ValueType::String:
        *hash = QLatin1Char('s')
                + (m_ignoreCase ? target.asString().toCaseFolded() : target.asString());
        return true;
    case ValueType::Object:
        *hash = QLatin1Char('o') + QString::number(quintptr(target.asObject()), 16);
        return true;
    case ValueType::Array:
        return interpreter.raise(RuntimeError::TypeMismatch);
    case ValueType::Empty:
    case ValueType::Null:
    case ValueType::Boolean:
    case ValueType::Date:
    case ValueType::Error: {
        QString text;
        Conversion::toString(target, &text);
        *hash = QString::number(int(target.type())) + text;
        return true;
    }
    default: {
        double number = 0;
        Conversion::toDouble(target, &number);
        *hash = QLatin1Char('n') + NumberText::fromDouble(number);
        return true;
    }
    }
}

DictionaryObject::Entry &DictionaryObject::add(const QString &hash, const Value &key)
{
    m_index.insert(hash, qsizetype(m_entries.size()));
    m_entries.push_back(Entry{key.target(), Value(), false});
    return m_entries.back();
}

void DictionaryObject::remove(qsizetype position)
{
    Entry &entry = m_entries[size_t(position)];
    entry.removed = true;
    const Value item = std::move(entry.item); // released last: it may run Class_Terminate
    entry.key.clear();
    ++m_removed;
    if (m_removed > 16 && m_removed * 2 > qsizetype(m_entries.size())) {
        std::vector<Entry> kept;
        kept.reserve(m_entries.size() - size_t(m_removed));
        m_index.clear();
        for (Entry &old : m_entries) {
            if (!old.removed) {
                QString hash;
                hashKey(m_interpreter, old.key, &hash);
                m_index.insert(hash, qsizetype(kept.size()));
                kept.push_back(std::move(old));
            }
        }
        m_entries = std::move(kept);
        m_removed = 0;
    }
}

std::vector<Value> DictionaryObject::column(bool keys) const
{
    std::vector<Value> values;
    values.reserve(m_entries.size() - size_t(m_removed));
    for (const Entry &entry : m_entries) {
        if (!entry.removed) {
            values.push_back(keys ? entry.key : entry.item);
        }
    }
    return values;
}

bool DictionaryObject::item(Interpreter &interpreter, InvokeKind kind, const Arguments &arguments,
                            Value &result)
{
    const bool assigning = kind == InvokeKind::Let || kind == InvokeKind::Set;
    if (arguments.count != (assigning ? 2 : 1)) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    QString hash;
    if (!hashKey(interpreter, arguments.values[0], &hash)) {
        return false;
    }
    qsizetype position = find(hash);
    if (position < 0) {
        add(hash, arguments[0]);
        position = qsizetype(m_entries.size()) - 1;
    }
    if (!assigning) {
        result = m_entries[size_t(position)].item;
        return true;
    }
    Value stored;
    if (kind == InvokeKind::Set ? !Assignment::set(interpreter, stored, arguments.last())
                                : !Assignment::let(interpreter, stored, arguments.last())) {
        return false;
    }
    // The dictionary may have changed while a default member ran: find the entry again.
    position = find(hash);
    if (position >= 0) {
        m_entries[size_t(position)].item = std::move(stored);
    }
    return true;
}

bool DictionaryObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                              const Arguments &arguments, Value &result)
{
    if (member == defaultMember) {
        member = Item;
    }
    if (member == Item) {
        return item(interpreter, kind, arguments, result);
    }
    const bool assigning = kind == InvokeKind::Let || kind == InvokeKind::Set;
    if (assigning && member != Key && member != CompareMode) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    const int expected = member == Add ? 2 : (member == Exists || member == Remove) ? 1 : 0;
    if (member != Key && member != CompareMode && arguments.count != expected) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    QString hash;
    switch (member) {
    case Add:
        if (!hashKey(interpreter, arguments.values[0], &hash)) {
            return false;
        }
        if (find(hash) >= 0) {
            return interpreter.raise(RuntimeError::KeyAlreadyExists);
        }
        add(hash, arguments[0]).item = arguments[1];
        return true;
    case Exists:
        if (!hashKey(interpreter, arguments.values[0], &hash)) {
            return false;
        }
        result = Value::boolean(find(hash) >= 0);
        return true;
    case Remove: {
        if (!hashKey(interpreter, arguments.values[0], &hash)) {
            return false;
        }
        const qsizetype position = find(hash);
        if (position < 0) {
            return interpreter.raise(RuntimeError::ElementNotFound);
        }
        m_index.remove(hash);
        remove(position);
        return true;
    }
    case RemoveAll: {
        std::vector<Entry> entries = std::move(m_entries); // released after the dictionary
        dropReferences();                                  // is empty
        return true;
    }
    case Keys:
    case Items:
        result = Value::adoptArray(Array::fromValues(column(member == Keys)));
        return true;
    case Count:
        result = Value::longValue(int(m_entries.size() - size_t(m_removed)));
        return true;
    case CompareMode: {
        if (!assigning) {
            if (arguments.count != 0) {
                return interpreter.raise(RuntimeError::WrongNumberOfArguments);
            }
            result = Value::longValue(m_ignoreCase ? 1 : 0);
            return true;
        }
        if (arguments.count != 1) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        int mode = 0;
        if (!interpreter.toLong(arguments.last(), &mode)) {
            return false;
        }
        if (mode < 0 || mode > 2 || m_entries.size() > size_t(m_removed)) {
            return interpreter.raise(RuntimeError::InvalidProcedureCall);
        }
        m_ignoreCase = mode != 0;
        return true;
    }
    default: { // Key(old) = new
        if (!assigning || arguments.count != 2) {
            return interpreter.raise(assigning ? RuntimeError::WrongNumberOfArguments
                                               : RuntimeError::ObjectDoesNotSupport);
        }
        QString newHash;
        if (!hashKey(interpreter, arguments.values[0], &hash)
            || !hashKey(interpreter, arguments.values[1], &newHash)) {
            return false;
        }
        const qsizetype position = find(hash);
        if (position < 0) {
            return interpreter.raise(RuntimeError::ElementNotFound);
        }
        if (find(newHash) >= 0) {
            return interpreter.raise(RuntimeError::KeyAlreadyExists);
        }
        m_index.remove(hash);
        m_index.insert(newHash, position);
        m_entries[size_t(position)].key = arguments[1];
        return true;
    }
    }
}

} // namespace VBScript
