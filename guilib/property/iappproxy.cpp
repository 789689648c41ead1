#include "iappproxy.h"

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

} // namespace GuiLib
