#include "namelookup.h"

#include "frame.h"
#include "globalscope.h"
#include "interpreter.h"
#include "runtimeerror.h"

namespace VBScript {

bool NameLookup::find(Interpreter &interpreter, Frame &frame, NameCache &cache, bool create,
                      Target *target)
{
    using Kind = Target::Kind;
    Frame *scope = frame.procedure ? &frame : frame.scope;
    if (scope && scope->extras) {
        if (const auto variable = scope->extras->variables.value(cache.name)) {
            *target = {Kind::Variable, variable.get(), nullptr};
            return true;
        }
    }
    GlobalScope &globals = interpreter.globals();
    if (cache.version != globals.version()) {
        cache.entry = globals.find(cache.name);
        cache.version = globals.version();
    }
    if (const GlobalEntry *entry = cache.entry) {
        switch (entry->kind) {
        case GlobalEntry::Kind::Variable:
            *target = {Kind::Variable, entry->variable, entry};
            break;
        case GlobalEntry::Kind::Constant:
            *target = {Kind::Constant, nullptr, entry};
            break;
        case GlobalEntry::Kind::Procedure:
            *target = {Kind::Procedure, nullptr, entry};
            break;
        case GlobalEntry::Kind::Class:
            *target = {Kind::Class, nullptr, entry};
            break;
        }
        return true;
    }
    const CodeUnit &unit = *frame.unit;
    if (unit.optionExplicit) {
        return interpreter.raise(RuntimeError::VariableUndefined, cache.spelling);
    }
    switch (unit.implicitScope) {
    case CodeUnit::ImplicitScope::Slot:
        *target = {Kind::Variable, frame.variables[cache.implicitSlot], nullptr};
        return true;
    case CodeUnit::ImplicitScope::FrameExtras:
        if (create && scope) {
            if (!scope->extras) {
                scope->extras = std::make_unique<FrameExtras>();
            }
            auto variable = std::make_shared<Value>();
            scope->extras->variables.insert(cache.name, variable);
            *target = {Kind::Variable, variable.get(), nullptr};
            return true;
        }
        break;
    case CodeUnit::ImplicitScope::Global:
        if (create) {
            *target = {Kind::Variable, globals.variable(cache.spelling), nullptr};
            return true;
        }
        break;
    }
    *target = Target();
    return true;
}

} // namespace VBScript
