#include "iappproxy.h"

#include <QCoreApplication>

namespace GuiLib {

namespace {
IAppProxy *registeredProxy = nullptr;
}

IAppProxy::IAppProxy()
{
    if (!registeredProxy) {
        registeredProxy = this;
    }
}

IAppProxy::~IAppProxy()
{
    if (registeredProxy == this) {
        registeredProxy = nullptr;
    }
}

IAppProxy *IAppProxy::instance()
{
    return registeredProxy;
}

bool IAppProxy::evaluateScriptExpression(const QString &, const QString &, const QString &,
                                         QString *result)
{
    if (result) {
        *result = QCoreApplication::translate("GuiLib::IAppProxy",
                                              "Script expressions cannot be evaluated here");
    }
    return false;
}

} // namespace GuiLib
