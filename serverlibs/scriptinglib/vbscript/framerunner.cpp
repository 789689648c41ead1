#include "framerunner.h"

#include "array.h"
#include "assignment.h"
#include "builtin.h"
#include "classinfo.h"
#include "classinstance.h"
#include "conversion.h"
#include "errobject.h"
#include "frame.h"
#include "globalscope.h"
#include "interpreter.h"
#include "namelookup.h"
#include "objectfactory.h"
#include "operators.h"
#include "runtimeerror.h"

#include <cmath>

namespace VBScript {

namespace {

// Drops `count` values below `top` and returns the new top.
Value *drop(Value *top, int count)
{
    for (int i = 0; i < count; ++i) {
        (--top)->clear();
    }
    return top;
}

bool isSmallWhole(ValueType type)
{
    return type == ValueType::Integer || type == ValueType::Long;
}

qint64 smallWhole(const Value &value)
{
    return value.type() == ValueType::Integer ? value.asInteger() : value.asLong();
}

// Integer op Integer stays an Integer when it fits, anything with a Long a Long; beyond, the
// next wider subtype.
Value wholeSum(qint64 value, bool bothIntegers)
{
    if (bothIntegers && value >= -32768 && value <= 32767) {
        return Value::integer(short(value));
    }
    if (value >= -2147483648LL && value <= 2147483647LL) {
        return Value::longValue(int(value));
    }
    return Value::real(double(value));
}

// The operator of `opcode` on two plain values (Operators' error numbers).
int applyBinary(Opcode opcode, const Value &a, const Value &b, Value *result)
{
    using Arithmetic = Operators::Arithmetic;
    using Logical = Operators::Logical;
    switch (opcode) {
    case Opcode::Add:
        return Operators::add(a, b, result);
    case Opcode::Subtract:
        return Operators::arithmetic(Arithmetic::Subtract, a, b, result);
    case Opcode::Multiply:
        return Operators::arithmetic(Arithmetic::Multiply, a, b, result);
    case Opcode::Divide:
        return Operators::divide(a, b, result);
    case Opcode::IntegerDivide:
        return Operators::integerDivide(a, b, result);
    case Opcode::Modulo:
        return Operators::modulo(a, b, result);
    case Opcode::Power:
        return Operators::power(a, b, result);
    case Opcode::Concatenate:
        return Operators::concatenate(a, b, result);
    case Opcode::And:
        return Operators::logical(Logical::And, a, b, result);
    case Opcode::Or:
        return Operators::logical(Logical::Or, a, b, result);
    case Opcode::Xor:
        return Operators::logical(Logical::Xor, a, b, result);
    case Opcode::Eqv:
        return Operators::logical(Logical::Eqv, a, b, result);
    default:
        return Operators::logical(Logical::Imp, a, b, result);
    }
}

} // namespace

FrameRunner::FrameRunner(Interpreter &interpreter, Frame &frame)
    : m_interpreter(interpreter)
    , m_frame(frame)
    , m_unit(*frame.unit)
{}

bool FrameRunner::run()
{
    const Instruction *code = m_unit.instructions.data();
    Value **variables = m_frame.variables;
    Value *sp = m_frame.stackBase;
    int pc = 0;
    for (;;) {
        const Instruction &in = code[pc];
        bool ok = true;
        switch (in.opcode) {
        case Opcode::PushConstant:
            *sp++ = m_unit.constants[size_t(in.a)];
            break;
        case Opcode::PushEmpty:
            ++sp;
            break;
        case Opcode::PushMe:
            *sp++ = Value::object(m_frame.me);
            break;
        case Opcode::Pop:
            (--sp)->clear();
            break;

        case Opcode::LoadLocal:
            *sp++ = *variables[in.a];
            break;
        case Opcode::LoadPointer:
            *sp++ = *static_cast<Value *>(in.pointer);
            break;
        case Opcode::StoreLocal:
        case Opcode::StorePointer: {
            Value &target = in.opcode == Opcode::StoreLocal ? *variables[in.a]
                                                            : *static_cast<Value *>(in.pointer);
            --sp;
            if (sp->isObject()) {
                ok = Assignment::let(m_interpreter, target, *sp);
                sp->clear();
            } else {
                target = std::move(*sp);
            }
            break;
        }
        case Opcode::LoadVariable:
            ok = load(in, sp);
            ++sp;
            break;
        case Opcode::StoreVariable:
        case Opcode::SetVariable:
            --sp;
            ok = store(in, *sp, in.opcode == Opcode::SetVariable);
            sp->clear();
            break;
        case Opcode::PushReference:
            ok = pushReference(in, sp);
            ++sp;
            break;
        case Opcode::StoreRaw:
            *variables[in.a] = std::move(*--sp);
            break;
        case Opcode::ClearLocal:
            for (int i = in.a; i < in.a + in.c; ++i) {
                variables[i]->clear();
            }
            break;

        case Opcode::IndexVariable: {
            // The common case, an element of a one-dimensional array read by its position.
            if (in.c == 1 && in.kind == VariableKind::Local && isSmallWhole(sp[-1].type())) {
                const Value &target = variables[in.a]->target();
                if (target.isArray() && target.asArray()->dimensionCount() == 1) {
                    const Array *array = target.asArray();
                    const qint64 index = smallWhole(sp[-1]);
                    if (index >= 0 && index < array->size()) {
                        sp[-1] = array->at(index);
                        break;
                    }
                }
            }
            Value result;
            ok = index(in, Arguments{sp - in.c, in.c}, &result);
            sp = drop(sp, in.c);
            *sp++ = std::move(result);
            break;
        }
        case Opcode::StoreIndexed:
            if (in.c == 1 && in.kind == VariableKind::Local && !in.flags
                && isSmallWhole(sp[-2].type()) && !sp[-1].isObject()) {
                Value &target = variables[in.a]->target();
                if (target.isArray() && target.asArray()->dimensionCount() == 1
                    && target.asArray()->elementType() == Array::ElementType::Variant) {
                    const qint64 index = smallWhole(sp[-2]);
                    if (index >= 0 && index < target.asArray()->size()) {
                        target.mutableArray()->at(index) = std::move(sp[-1]);
                        sp = drop(sp, 2);
                        break;
                    }
                }
            }
            ok = storeIndexed(in, Arguments{sp - in.c - 1, in.c}, sp[-1]);
            sp = drop(sp, in.c + 1);
            break;
        case Opcode::PushElementReference: {
            Value result;
            ok = elementReference(in, Arguments{sp - in.c, in.c}, &result);
            sp = drop(sp, in.c);
            *sp++ = std::move(result);
            break;
        }
        case Opcode::CallValue: {
            Value result;
            ok = m_interpreter.callValue(sp[-in.c - 1], Arguments{sp - in.c, in.c}, &result);
            sp = drop(sp, in.c + 1);
            *sp++ = std::move(result);
            break;
        }
        case Opcode::CallProcedure:
        case Opcode::CallBuiltin:
        case Opcode::CallName: {
            Value result;
            const Arguments arguments{sp - in.c, in.c};
            if (in.opcode == Opcode::CallProcedure) {
                ok = m_interpreter.callProcedure(
                    *static_cast<const ProcedureCell *>(in.pointer)->procedure, nullptr, arguments,
                    &result);
            } else if (in.opcode == Opcode::CallBuiltin) {
                ok = callBuiltin(in, arguments, &result);
            } else {
                ok = callName(in, arguments, &result);
            }
            sp = drop(sp, in.c);
            if (!(in.flags & Instruction::dropResult)) {
                *sp++ = std::move(result);
            }
            break;
        }
        case Opcode::Member: {
            const bool assigning =
                in.invokeKind == int(InvokeKind::Let) || in.invokeKind == int(InvokeKind::Set);
            const int count = in.c + (assigning ? 1 : 0);
            Value *object = sp - count - 1;
            Value result;
            ok = member(in, *object, Arguments{object + 1, count}, &result);
            sp = drop(sp, count + 1);
            if (!assigning && !(in.flags & Instruction::dropResult)) {
                *sp++ = std::move(result);
            }
            break;
        }
        case Opcode::NewObject:
            ok = newObject(in, sp);
            ++sp;
            break;
        case Opcode::ReDim:
            ok = redim(in, Arguments{sp - in.c, in.c});
            sp = drop(sp, in.c);
            break;
        case Opcode::Erase:
            ok = erase(in);
            break;

        case Opcode::Add:
        case Opcode::Subtract:
        case Opcode::Multiply: {
            Value &left = sp[-2];
            const Value &right = sp[-1];
            if (isSmallWhole(left.type()) && isSmallWhole(right.type())) {
                const qint64 x = smallWhole(left);
                const qint64 y = smallWhole(right);
                const qint64 value = in.opcode == Opcode::Add        ? x + y
                                     : in.opcode == Opcode::Subtract ? x - y
                                                                     : x * y;
                left = wholeSum(value, left.type() == ValueType::Integer
                                           && right.type() == ValueType::Integer);
            } else if (left.type() == ValueType::Double && right.type() == ValueType::Double) {
                const double x = left.asDouble();
                const double y = right.asDouble();
                const double value = in.opcode == Opcode::Add        ? x + y
                                     : in.opcode == Opcode::Subtract ? x - y
                                                                     : x * y;
                if (std::isfinite(value)) {
                    left = Value::real(value);
                } else {
                    ok = m_interpreter.raise(RuntimeError::Overflow);
                }
            } else {
                ok = binary(in.opcode, left, right);
            }
            (--sp)->clear();
            break;
        }
        case Opcode::Divide:
        case Opcode::IntegerDivide:
        case Opcode::Modulo:
        case Opcode::Power:
        case Opcode::Concatenate:
        case Opcode::And:
        case Opcode::Or:
        case Opcode::Xor:
        case Opcode::Eqv:
        case Opcode::Imp:
            if (in.opcode == Opcode::Concatenate && sp[-2].isString() && sp[-1].isString()) {
                sp[-2].asString().append(sp[-1].asString());
            } else {
                ok = binary(in.opcode, sp[-2], sp[-1]);
            }
            (--sp)->clear();
            break;
        case Opcode::Compare: {
            Value &left = sp[-2];
            const Value &right = sp[-1];
            if (isSmallWhole(left.type()) && isSmallWhole(right.type())) {
                const qint64 x = smallWhole(left);
                const qint64 y = smallWhole(right);
                const int order = x < y ? -1 : x > y ? 1 : 0;
                bool truth = false;
                switch (Operators::Comparison(in.b)) {
                case Operators::Comparison::Equal:
                    truth = order == 0;
                    break;
                case Operators::Comparison::NotEqual:
                    truth = order != 0;
                    break;
                case Operators::Comparison::Less:
                    truth = order < 0;
                    break;
                case Operators::Comparison::Greater:
                    truth = order > 0;
                    break;
                case Operators::Comparison::LessEqual:
                    truth = order <= 0;
                    break;
                case Operators::Comparison::GreaterEqual:
                    truth = order >= 0;
                    break;
                }
                left = Value::boolean(truth);
            } else {
                ok = compare(in, left, right);
            }
            (--sp)->clear();
            break;
        }
        case Opcode::Is:
            ok = isSame(sp[-2], sp[-1]);
            (--sp)->clear();
            break;
        case Opcode::Not:
        case Opcode::Negate:
            ok = unary(in.opcode, sp[-1]);
            break;
        case Opcode::AppendToVariable:
            ok = appendToVariable(in, sp - in.c - 1);
            sp = drop(sp, in.c + 1);
            break;

        case Opcode::Jump:
        case Opcode::JumpIfFalse:
        case Opcode::JumpIfTrue: {
            bool jump = true;
            if (in.opcode != Opcode::Jump) {
                --sp;
                bool truth = false;
                if (sp->type() == ValueType::Boolean) {
                    truth = sp->asBoolean();
                } else {
                    ok = condition(*sp, &truth);
                }
                sp->clear();
                jump = ok && truth == (in.opcode == Opcode::JumpIfTrue);
            }
            if (jump) {
                if (in.c <= pc && m_interpreter.isInterrupted()) {
                    ok = m_interpreter.raiseInterrupt();
                    break;
                }
                pc = in.c;
                continue;
            }
            break;
        }
        case Opcode::ForInit: {
            bool enter = false;
            ok = forInit(in, sp - 3, &enter);
            sp = drop(sp, 3);
            if (ok && !enter) {
                pc = in.c;
                continue;
            }
            break;
        }
        case Opcode::ForNext: {
            bool repeat = false;
            ok = forNext(in, &repeat);
            if (ok && repeat) {
                if (m_interpreter.isInterrupted()) {
                    ok = m_interpreter.raiseInterrupt();
                    break;
                }
                pc = in.c;
                continue;
            }
            break;
        }
        case Opcode::ForEachInit:
            ok = forEachInit(in, sp[-1]);
            (--sp)->clear();
            break;
        case Opcode::ForEachNext: {
            bool more = false;
            ok = forEachNext(in, &more);
            if (ok && !more) {
                pc = in.c;
                continue;
            }
            break;
        }
        case Opcode::Return:
            if (m_frame.result && sp > m_frame.stackBase) {
                *m_frame.result = std::move(*--sp);
            }
            drop(sp, int(sp - m_frame.stackBase));
            return true;
        case Opcode::ExitProcedure:
            m_interpreter.err().clear();
            drop(sp, int(sp - m_frame.stackBase));
            return true;
        case Opcode::OnErrorResumeNext:
        case Opcode::OnErrorGoToZero:
            m_frame.resumeNext = in.opcode == Opcode::OnErrorResumeNext;
            m_interpreter.err().clear();
            break;
        case Opcode::Raise:
            ok = m_interpreter.raise(in.b);
            break;
        }
        if (ok) {
            ++pc;
            continue;
        }
        // The statement's values go; On Error Resume Next goes on after the statement.
        sp = drop(sp, int(sp - m_frame.stackBase));
        if (!m_interpreter.handleError(m_frame, pc)) {
            return false;
        }
        pc = m_unit.resumeTargets[size_t(pc)];
    }
}

// --- Variables ---------------------------------------------------------------------------------

Value *FrameRunner::fixedVariable(const Instruction &instruction) const
{
    switch (instruction.kind) {
    case VariableKind::Local:
        return m_frame.variables[instruction.a];
    case VariableKind::Pointer:
        return static_cast<Value *>(instruction.pointer);
    case VariableKind::Field:
        return &m_frame.me->field(instruction.a);
    case VariableKind::Dynamic:
        break;
    }
    return nullptr;
}

Value *FrameRunner::assignableVariable(const Instruction &instruction)
{
    if (Value *variable = fixedVariable(instruction)) {
        return variable;
    }
    NameCache &cache = m_unit.nameCaches[size_t(instruction.a)];
    NameLookup::Target target;
    if (!NameLookup::find(m_interpreter, m_frame, cache, true, &target)) {
        return nullptr;
    }
    if (target.kind != NameLookup::Target::Kind::Variable) {
        m_interpreter.raise(RuntimeError::IllegalAssignment, cache.spelling);
        return nullptr;
    }
    return target.variable;
}

bool FrameRunner::load(const Instruction &instruction, Value *result)
{
    if (const Value *variable = fixedVariable(instruction)) {
        *result = *variable;
        return true;
    }
    NameCache &cache = m_unit.nameCaches[size_t(instruction.a)];
    NameLookup::Target target;
    if (!NameLookup::find(m_interpreter, m_frame, cache, false, &target)) {
        return false;
    }
    switch (target.kind) {
    case NameLookup::Target::Kind::Variable:
        *result = *target.variable;
        return true;
    case NameLookup::Target::Kind::Constant:
        *result = target.entry->constant;
        return true;
    case NameLookup::Target::Kind::Procedure:
        return m_interpreter.callProcedure(*target.entry->procedure->procedure, nullptr,
                                           Arguments(), result);
    case NameLookup::Target::Kind::Class:
        return m_interpreter.raise(RuntimeError::VariableUndefined, cache.spelling);
    case NameLookup::Target::Kind::Undefined:
        result->clear();
        return true;
    }
    return true;
}

bool FrameRunner::store(const Instruction &instruction, const Value &value, bool isSet)
{
    Value *variable = assignableVariable(instruction);
    if (!variable) {
        return false;
    }
    return isSet ? Assignment::set(m_interpreter, *variable, value)
                 : Assignment::let(m_interpreter, *variable, value);
}

bool FrameRunner::pushReference(const Instruction &instruction, Value *result)
{
    if (instruction.kind == VariableKind::Dynamic) {
        NameCache &cache = m_unit.nameCaches[size_t(instruction.a)];
        NameLookup::Target target;
        if (!NameLookup::find(m_interpreter, m_frame, cache, true, &target)) {
            return false;
        }
        if (target.kind != NameLookup::Target::Kind::Variable) {
            return load(instruction, result);
        }
        *result = Value::reference(target.variable);
        return true;
    }
    *result = Value::reference(fixedVariable(instruction));
    return true;
}

bool FrameRunner::index(const Instruction &instruction, const Arguments &arguments, Value *result)
{
    if (const Value *variable = fixedVariable(instruction)) {
        // The common case, an array element, without copying the array.
        const Value &target = variable->target();
        if (target.isArray() && arguments.count == 1) {
            const Value &position = arguments[0];
            int index = 0;
            if (isSmallWhole(position.type())) {
                index = int(smallWhole(position));
            } else if (!m_interpreter.toLong(position, &index)) {
                return false;
            }
            const Array *array = target.asArray();
            const qint64 flat = array->flatIndex(&index, 1);
            if (flat < 0) {
                return m_interpreter.raise(RuntimeError::SubscriptOutOfRange);
            }
            *result = array->at(flat);
            return true;
        }
        if (target.isObject() && arguments.count == 0) {
            *result = target; // `obj` written as a call without arguments
            return true;
        }
        return m_interpreter.callValue(target, arguments, result);
    }
    return callName(instruction, arguments, result);
}

bool FrameRunner::storeIndexed(const Instruction &instruction, const Arguments &arguments,
                               const Value &value)
{
    Value *variable = assignableVariable(instruction);
    return variable
           && Assignment::storeElement(m_interpreter, *variable, arguments, value,
                                       instruction.flags & Instruction::setAssignment);
}

bool FrameRunner::elementReference(const Instruction &instruction, const Arguments &arguments,
                                   Value *result)
{
    if (Value *variable = fixedVariable(instruction)) {
        return Assignment::elementReference(m_interpreter, *variable, arguments, result);
    }
    NameCache &cache = m_unit.nameCaches[size_t(instruction.a)];
    NameLookup::Target target;
    if (!NameLookup::find(m_interpreter, m_frame, cache, false, &target)) {
        return false;
    }
    if (target.kind == NameLookup::Target::Kind::Variable) {
        return Assignment::elementReference(m_interpreter, *target.variable, arguments, result);
    }
    return callName(instruction, arguments, result);
}

bool FrameRunner::callName(const Instruction &instruction, const Arguments &arguments,
                           Value *result)
{
    NameCache &cache = m_unit.nameCaches[size_t(instruction.a)];
    NameLookup::Target target;
    if (!NameLookup::find(m_interpreter, m_frame, cache, false, &target)) {
        return false;
    }
    switch (target.kind) {
    case NameLookup::Target::Kind::Variable:
        if (target.variable->isObject() && arguments.count == 0) {
            *result = *target.variable;
            return true;
        }
        return m_interpreter.callValue(*target.variable, arguments, result);
    case NameLookup::Target::Kind::Constant:
        return m_interpreter.callValue(target.entry->constant, arguments, result);
    case NameLookup::Target::Kind::Procedure:
        return m_interpreter.callProcedure(*target.entry->procedure->procedure, nullptr, arguments,
                                           result);
    case NameLookup::Target::Kind::Class:
    case NameLookup::Target::Kind::Undefined:
        break;
    }
    // Calling what is not defined: the engine's "Type mismatch" with the name.
    return m_interpreter.raise(RuntimeError::TypeMismatch, cache.spelling);
}

bool FrameRunner::callBuiltin(const Instruction &instruction, const Arguments &arguments,
                              Value *result)
{
    const auto *builtin = static_cast<const Builtin *>(instruction.pointer);
    if (arguments.count < builtin->minimumArguments
        || arguments.count > builtin->maximumArguments) {
        return m_interpreter.raise(RuntimeError::WrongNumberOfArguments,
                                   QString::fromLatin1(builtin->name));
    }
    return builtin->function(m_interpreter, arguments, *result);
}

bool FrameRunner::member(const Instruction &instruction, const Value &object,
                         const Arguments &arguments, Value *result)
{
    const Value &target = object.target();
    if (!target.isObject()) {
        return m_interpreter.raise(RuntimeError::ObjectRequired,
                                   m_unit.memberSpellings[size_t(instruction.b)]);
    }
    Object *instance = target.asObject();
    if (!instance) {
        return m_interpreter.raise(RuntimeError::ObjectVariableNotSet);
    }
    MemberCache &cache = m_unit.memberCaches[size_t(instruction.b)];
    if (cache.dispatchClass != instance->dispatchClass()) {
        cache.member = instance->memberId(m_unit.memberNames[size_t(instruction.b)]);
        cache.dispatchClass = instance->dispatchClass();
    }
    if (cache.member == Object::noMember) {
        return m_interpreter.raise(RuntimeError::ObjectDoesNotSupport,
                                   m_unit.memberSpellings[size_t(instruction.b)]);
    }
    Value keep = target; // alive while its member runs, whatever the member does
    return instance->invoke(m_interpreter, cache.member, InvokeKind(instruction.invokeKind),
                            arguments, *result);
}

bool FrameRunner::newObject(const Instruction &instruction, Value *result)
{
    NameCache &cache = m_unit.nameCaches[size_t(instruction.b)];
    GlobalScope &globals = m_interpreter.globals();
    if (cache.version != globals.version()) {
        cache.entry = globals.find(cache.name);
        cache.version = globals.version();
    }
    if (cache.entry && cache.entry->kind == GlobalEntry::Kind::Class) {
        const ClassInfo &classInfo = *cache.entry->classInfo;
        ClassInstance *instance = ClassInstance::create(m_interpreter, classInfo);
        if (!instance) {
            return m_interpreter.raise(RuntimeError::OutOfMemory);
        }
        *result = Value::object(instance);
        return !classInfo.initialize
               || m_interpreter.callProcedure(*classInfo.initialize, instance, Arguments(),
                                              nullptr);
    }
    if (Object *object = ObjectFactory::createClass(m_interpreter, cache.name)) {
        *result = Value::object(object);
        return true;
    }
    return m_interpreter.raise(RuntimeError::ClassNotDefined, cache.spelling);
}

bool FrameRunner::redim(const Instruction &instruction, const Arguments &bounds)
{
    Value *variable = assignableVariable(instruction);
    return variable
           && Assignment::redim(m_interpreter, *variable, bounds,
                                instruction.flags & Instruction::preserve);
}

bool FrameRunner::erase(const Instruction &instruction)
{
    Value *variable = assignableVariable(instruction);
    return variable && Assignment::erase(m_interpreter, *variable);
}

// --- Operators ---------------------------------------------------------------------------------

bool FrameRunner::binary(Opcode opcode, Value &left, const Value &right)
{
    Value a;
    Value b;
    if (!m_interpreter.defaultValue(left, &a) || !m_interpreter.defaultValue(right, &b)) {
        return false;
    }
    Value result;
    if (!m_interpreter.check(applyBinary(opcode, a, b, &result))) {
        return false;
    }
    left = std::move(result);
    return true;
}

bool FrameRunner::compare(const Instruction &instruction, Value &left, const Value &right)
{
    Value a;
    Value b;
    if (!m_interpreter.defaultValue(left, &a) || !m_interpreter.defaultValue(right, &b)) {
        return false;
    }
    Value result;
    if (!m_interpreter.check(Operators::compare(Operators::Comparison(instruction.b), a, b,
                                                instruction.flags & Instruction::leftLiteral,
                                                instruction.flags & Instruction::rightLiteral,
                                                &result))) {
        return false;
    }
    left = std::move(result);
    return true;
}

bool FrameRunner::unary(Opcode opcode, Value &operand)
{
    Value value;
    if (!m_interpreter.defaultValue(operand, &value)) {
        return false;
    }
    Value result;
    const int error = opcode == Opcode::Not ? Operators::logicalNot(value, &result)
                                            : Operators::negate(value, &result);
    if (!m_interpreter.check(error)) {
        return false;
    }
    operand = std::move(result);
    return true;
}

bool FrameRunner::isSame(Value &left, const Value &right)
{
    if (!left.isObject() || !right.isObject()) {
        return m_interpreter.raise(RuntimeError::ObjectRequired);
    }
    left = Value::boolean(left.asObject() == right.asObject());
    return true;
}

bool FrameRunner::condition(const Value &value, bool *truth)
{
    Value plain;
    if (!m_interpreter.defaultValue(value, &plain)) {
        return false;
    }
    if (plain.isNull()) {
        *truth = false; // If Null takes the Else branch
        return true;
    }
    return m_interpreter.check(Conversion::toBoolean(plain, truth));
}

bool FrameRunner::appendToVariable(const Instruction &instruction, Value *parts)
{
    Value *variable = assignableVariable(instruction);
    if (!variable) {
        return false;
    }
    // In place when the variable still holds the very text read at the start of the
    // statement: then nothing the other parts ran has changed it.
    Value &old = parts[0];
    if (variable->isString() && old.isString()
        && variable->asString().constData() == old.asString().constData()
        && variable->asString().size() == old.asString().size()) {
        old.clear();
        QString &text = variable->asString();
        for (int i = 1; i <= instruction.c; ++i) {
            const Value &part = parts[i];
            if (part.isString()) {
                text.append(part.asString());
            } else if (!part.isNull()) {
                QString converted;
                if (!m_interpreter.toString(part, &converted)) {
                    return false;
                }
                text.append(converted);
            }
        }
        return true;
    }
    Value result = std::move(old);
    for (int i = 1; i <= instruction.c; ++i) {
        if (!binary(Opcode::Concatenate, result, parts[i])) {
            return false;
        }
    }
    return Assignment::let(m_interpreter, *variable, result);
}

// --- Loops -------------------------------------------------------------------------------------

bool FrameRunner::forInit(const Instruction &instruction, Value *values, bool *enter)
{
    // values: start, limit, step; all numbers from here on.
    for (int i = 0; i < 3; ++i) {
        Value plain;
        if (!m_interpreter.defaultValue(values[i], &plain)) {
            return false;
        }
        if (plain.isString() || plain.isEmpty() || plain.type() == ValueType::Boolean) {
            double number = 0;
            if (!m_interpreter.check(Conversion::toDouble(plain, &number))) {
                return false;
            }
            plain = plain.isString() ? Value::real(number) : Value::integer(short(number));
        } else if (plain.isNull()) {
            return m_interpreter.raise(RuntimeError::InvalidUseOfNull);
        } else if (!plain.isNumber() && plain.type() != ValueType::Date) {
            return m_interpreter.raise(RuntimeError::TypeMismatch);
        }
        values[i] = std::move(plain);
    }
    Value *counter = assignableVariable(instruction);
    if (!counter) {
        return false;
    }
    *m_frame.variables[instruction.b] = std::move(values[1]);
    *m_frame.variables[instruction.b + 1] = std::move(values[2]);
    *counter = std::move(values[0]);
    int order = 0;
    bool isNull = false;
    Operators::order(*counter, *m_frame.variables[instruction.b], false, false, &order, &isNull);
    const Value &step = *m_frame.variables[instruction.b + 1];
    double direction = 0;
    Conversion::toDouble(step, &direction);
    *enter = direction >= 0 ? order <= 0 : order >= 0;
    return true;
}

bool FrameRunner::forNext(const Instruction &instruction, bool *repeat)
{
    Value *counter = assignableVariable(instruction);
    if (!counter) {
        return false;
    }
    const Value &limit = *m_frame.variables[instruction.b];
    const Value &step = *m_frame.variables[instruction.b + 1];
    if (isSmallWhole(counter->type()) && isSmallWhole(step.type()) && isSmallWhole(limit.type())) {
        const qint64 stepValue = smallWhole(step);
        const qint64 next = smallWhole(*counter) + stepValue;
        *counter = wholeSum(next, counter->type() == ValueType::Integer
                                      && step.type() == ValueType::Integer);
        *repeat = stepValue >= 0 ? next <= smallWhole(limit) : next >= smallWhole(limit);
        return true;
    }
    Value plain;
    if (!m_interpreter.defaultValue(*counter, &plain)) {
        return false;
    }
    Value next;
    if (!m_interpreter.check(Operators::add(plain, step, &next))) {
        return false;
    }
    *counter = std::move(next);
    int order = 0;
    bool isNull = false;
    if (!m_interpreter.check(Operators::order(*counter, limit, false, false, &order, &isNull))) {
        return false;
    }
    double direction = 0;
    Conversion::toDouble(step, &direction);
    *repeat = !isNull && (direction >= 0 ? order <= 0 : order >= 0);
    return true;
}

bool FrameRunner::forEachInit(const Instruction &instruction, const Value &collection)
{
    const Value &target = collection.target();
    Value &items = *m_frame.variables[instruction.b];
    if (target.isArray()) {
        items = target; // shared: changes to the array inside the loop make their own copy
    } else if (target.isObject() && target.asObject()) {
        std::vector<Value> values;
        Value keep = target;
        if (!target.asObject()->enumerate(m_interpreter, &values)) {
            return false;
        }
        items = Value::adoptArray(Array::fromValues(std::move(values)));
    } else {
        return m_interpreter.raise(target.isObject() ? RuntimeError::ObjectVariableNotSet
                                                     : RuntimeError::ObjectNotACollection);
    }
    *m_frame.variables[instruction.b + 1] = Value::longValue(0);
    return true;
}

bool FrameRunner::forEachNext(const Instruction &instruction, bool *more)
{
    if (m_interpreter.isInterrupted()) {
        return m_interpreter.raiseInterrupt();
    }
    const Value &items = *m_frame.variables[instruction.b];
    Value &position = *m_frame.variables[instruction.b + 1];
    const int next = position.asLong();
    *more = next < items.asArray()->size();
    if (!*more) {
        return true;
    }
    Value *variable = assignableVariable(instruction);
    if (!variable) {
        return false;
    }
    *variable = items.asArray()->at(next);
    position = Value::longValue(next + 1);
    return true;
}

} // namespace VBScript
