#include "app/accessible_names.h"

#include <commctrl.h>
#include <initguid.h>  // defines the GUIDs oleacc.h declares, in this file only
#include <objbase.h>
#include <oleacc.h>

#include "app/proc_address.h"
#include "app/text.h"

namespace tarvolin {
namespace {

constexpr UINT_PTR kNameSubclassId = 0x4E41;  // "NA"

// One annotation service for the program's single user-interface thread,
// created when a client first asks; null until then, or without the service.
IAccPropServices* services = nullptr;

// COM is loaded only here, when a client first asks: the program starts
// without it, which keeps start-up quick and small. From the system folder by
// its full path, which every Windows takes (the search flags need an update
// that a Windows 7 may lack).
IAccPropServices* PropServices() {
    static const bool created = [] {
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (!length || length >= MAX_PATH) return false;
        HMODULE ole32 = LoadLibraryW((std::wstring(folder, length) + L"\\ole32.dll").c_str());
        if (!ole32) return false;
        using InitializeFn = HRESULT(WINAPI*)(void*, DWORD);
        using CreateFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
        const auto initialize = ProcAddress<InitializeFn>(ole32, "CoInitializeEx");
        const auto create = ProcAddress<CreateFn>(ole32, "CoCreateInstance");
        if (!initialize || !create) return false;
        const HRESULT init = initialize(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(init) && init != RPC_E_CHANGED_MODE) return false;
        return SUCCEEDED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services)));
    }();
    return created ? services : nullptr;
}

// `data` is the control's UTF-8 name from the layout table (static storage).
LRESULT CALLBACK NameOnEveryRequest(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR data) {
    const auto* name = reinterpret_cast<const char*>(data);
    MSAAPROPID nameProperty = PROPID_ACC_NAME;
    switch (message) {
        // Whatever a client asks for first (the client object, or UI
        // Automation's root, which it then reads through the client object),
        // the name is there before the answer.
        case WM_GETOBJECT:
            if (IAccPropServices* services = PropServices())
                services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         PROPID_ACC_NAME, Widen(name).c_str());
            break;
        case WM_NCDESTROY:
            // The annotation is kept per window handle: it goes with the control.
            if (services)
                services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         &nameProperty, 1);
            RemoveWindowSubclass(control, NameOnEveryRequest, kNameSubclassId);
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void NameLayoutControls(HWND parent, const WindowLayout& layout) {
    for (std::size_t i = 0; i < layout.controlCount; ++i) {
        const ControlEntry& entry = layout.controls[i];
        if (!entry.accessibleName) continue;
        if (HWND control = GetDlgItem(parent, entry.id))
            SetWindowSubclass(control, NameOnEveryRequest, kNameSubclassId,
                              reinterpret_cast<DWORD_PTR>(entry.accessibleName));
    }
}

}  // namespace tarvolin
