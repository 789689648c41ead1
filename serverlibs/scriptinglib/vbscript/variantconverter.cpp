#include "variantconverter.h"

#include "array.h"
#include "conversion.h"
#include "dictionaryobject.h"
#include "hostobject.h"
#include "interpreter.h"
#include "number.h"
#include "runtimeerror.h"
#include "serialdate.h"

#include <QDateTime>
#include <QObject>

namespace VBScript {

namespace {

QVariant arrayToVariant(const Array &array, int dimension, qint64 offset, qint64 stride)
{
    // The last dimension is outermost in the nested lists; elements lie first-index-fastest.
    QVariantList list;
    const int count = array.upperBound(dimension) + 1;
    for (int i = 0; i < count; ++i) {
        const qint64 position = offset + i * stride;
        list.append(dimension == 0
                        ? VariantConverter::toVariant(array.at(position))
                        : arrayToVariant(array, dimension - 1, position,
                                         stride / (array.upperBound(dimension - 1) + 1)));
    }
    return list;
}

} // namespace

Value VariantConverter::fromVariant(Interpreter &interpreter, const QVariant &variant)
{
    if (!variant.isValid()) {
        return Value();
    }
    switch (variant.typeId()) {
    case QMetaType::Nullptr:
        return Value::null();
    case QMetaType::Bool:
        return Value::boolean(variant.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool fits = false;
        const qint64 value = variant.toLongLong(&fits);
        return fits ? Value::whole(value) : Value::real(variant.toDouble());
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return Value::real(variant.toDouble());
    case QMetaType::QString:
        return Value::string(variant.toString());
    case QMetaType::QByteArray:
        return Value::string(QString::fromUtf8(variant.toByteArray()));
    case QMetaType::QDateTime: {
        const QDateTime time = variant.toDateTime().toLocalTime();
        return Value::date(SerialDate::fromDateTime(time.date(), time.time()));
    }
    case QMetaType::QDate:
        return Value::date(SerialDate::fromDate(variant.toDate()));
    case QMetaType::QTime:
        return Value::date(SerialDate::fromTime(variant.toTime()));
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        std::vector<Value> values;
        for (const QVariant &item : variant.toList()) {
            values.push_back(fromVariant(interpreter, item));
        }
        return Value::adoptArray(Array::fromValues(std::move(values)));
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        auto *dictionary = new DictionaryObject(interpreter);
        Value object = Value::object(dictionary);
        const QVariantMap map = variant.toMap();
        for (auto entry = map.cbegin(); entry != map.cend(); ++entry) {
            Value pair[2] = {Value::string(entry.key()), fromVariant(interpreter, entry.value())};
            Value ignored;
            dictionary->invoke(interpreter, dictionary->memberId(QStringLiteral("add")),
                               InvokeKind::Call, Arguments{pair, 2}, ignored);
        }
        return object;
    }
    default:
        break;
    }
    if (variant.metaType().flags() & QMetaType::PointerToQObject) {
        QObject *object = variant.value<QObject *>();
        return Value::object(object ? new HostObject(object) : nullptr);
    }
    return Value::string(variant.toString());
}

QVariant VariantConverter::toVariant(const Value &value)
{
    const Value &target = value.target();
    switch (target.type()) {
    case ValueType::Empty:
        return QVariant();
    case ValueType::Null:
        return QVariant::fromValue(nullptr);
    case ValueType::Boolean:
        return target.asBoolean();
    case ValueType::Error:
        return target.asLong();
    case ValueType::Date:
        return QDateTime(SerialDate::date(target.asDate()), SerialDate::time(target.asDate()));
    case ValueType::String:
        return target.asString();
    case ValueType::Array: {
        const Array &array = *target.asArray();
        if (array.dimensionCount() == 0) {
            return QVariantList();
        }
        const int last = array.dimensionCount() - 1;
        return arrayToVariant(array, last, 0, array.size() / (array.upperBound(last) + 1));
    }
    case ValueType::Object:
        if (!target.asObject()) {
            return QVariant::fromValue<QObject *>(nullptr);
        }
        if (const auto *host = dynamic_cast<const HostObject *>(target.asObject())) {
            return QVariant::fromValue<QObject *>(host->object());
        }
        return QVariant();
    case ValueType::Reference:
        return QVariant();
    default:
        break;
    }
    // The numeric subtypes: whole ones as an int, the others as a double.
    Number number;
    Number::read(target, &number);
    return number.isWhole() ? QVariant(int(number.whole)) : QVariant(number.toDouble());
}

bool VariantConverter::toParameter(Interpreter &interpreter, const Value &value, QMetaType type,
                                   QVariant *result)
{
    const Value &target = value.target();
    switch (type.id()) {
    case QMetaType::QVariant:
        *result = toVariant(target);
        return true;
    case QMetaType::QString: {
        QString text;
        if (!target.isNull() && !interpreter.toString(target, &text)) {
            return false;
        }
        *result = text;
        return true;
    }
    case QMetaType::Bool: {
        bool flag = false;
        if (!interpreter.toBoolean(target, &flag)) {
            return false;
        }
        *result = flag;
        return true;
    }
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UInt:
    case QMetaType::Long: {
        int number = 0;
        if (!interpreter.toLong(target, &number)) {
            return false;
        }
        *result = number;
        result->convert(type);
        return true;
    }
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        double number = 0;
        if (!interpreter.toDouble(target, &number)) {
            return false;
        }
        *result = type.id() == QMetaType::LongLong || type.id() == QMetaType::ULongLong
                      ? QVariant(qint64(Conversion::roundHalfEven(number)))
                      : QVariant(number);
        result->convert(type);
        return true;
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        if (!target.isArray()) {
            return interpreter.raise(RuntimeError::TypeMismatch);
        }
        *result = toVariant(target);
        if (type.id() == QMetaType::QStringList) {
            *result = result->toStringList();
        }
        return true;
    default:
        break;
    }
    if (type.flags() & QMetaType::PointerToQObject) {
        if (!target.isObject()) {
            return interpreter.raise(RuntimeError::ObjectRequired);
        }
        QVariant object = toVariant(target);
        if (target.asObject() && !object.isValid()) {
            return interpreter.raise(RuntimeError::TypeMismatch); // a script's own object
        }
        QObject *pointer = object.value<QObject *>();
        if (pointer && !pointer->metaObject()->inherits(type.metaObject())) {
            return interpreter.raise(RuntimeError::TypeMismatch);
        }
        *result = QVariant(type, &pointer);
        return true;
    }
    *result = toVariant(target);
    if (!result->convert(type)) {
        return interpreter.raise(RuntimeError::TypeMismatch);
    }
    return true;
}

} // namespace VBScript
