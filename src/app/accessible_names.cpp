#include "app/accessible_names.h"

#include <initguid.h>  // defines the GUIDs oleacc.h declares, in this file only
#include <objbase.h>
#include <oleacc.h>

#include "app/text.h"

namespace tarvolin {
namespace {

// One annotation service for the program's single user-interface thread,
// created on first use.
IAccPropServices* PropServices() {
    static IAccPropServices* services = [] {
        IAccPropServices* created = nullptr;
        const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(init) && init != RPC_E_CHANGED_MODE) return created;
        if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, reinterpret_cast<void**>(&created))))
            created = nullptr;
        return created;
    }();
    return services;
}

}  // namespace

void NameLayoutControls(HWND parent, const WindowLayout& layout) {
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ControlEntry& entry = layout.controls[i];
        if (!entry.accessibleName) continue;
        IAccPropServices* services = PropServices();
        if (!services) return;
        if (HWND control = GetDlgItem(parent, entry.id))
            services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                     Widen(entry.accessibleName).c_str());
    }
}

void ClearLayoutControlNames(HWND parent, const WindowLayout& layout) {
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ControlEntry& entry = layout.controls[i];
        if (!entry.accessibleName) continue;
        IAccPropServices* services = PropServices();
        if (!services) return;
        MSAAPROPID name = PROPID_ACC_NAME;
        if (HWND control = GetDlgItem(parent, entry.id))
            services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
    }
}

}  // namespace tarvolin
