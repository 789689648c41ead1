#include "qsascripting.h"

#include "iscriptengine.h"

QSAScripting::QSAScripting(IScriptEngine *engine)
    : m_engine(engine)
{}

void QSAScripting::stopExecution()
{
    m_engine->interrupt();
}
