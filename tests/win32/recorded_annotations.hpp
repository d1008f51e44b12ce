#pragma once

// The system's annotation service as the program sees it, recorded in its
// place for the tests: what a screen reader on Windows reads of a control's
// annotated properties (a live region's setting) is what the program told
// this service. Wine's own service takes nothing, so the tests register
// this one for the service's class in their process.
#include "zelmar/win32/spoken_name.hpp"
// After <windows.h>.
#include <oleacc.h>

#include <map>
#include <utility>

namespace zelmar::win32::testing {

// COM's own VARIANT union and out-parameters; its interfaces have no virtual
// destructor, and this object, owned by the driver, is never deleted
// through one. The service's calls it does not take leave their parameters
// unnamed.
// NOLINTBEGIN(cppcoreguidelines-pro-type-union-access,readability-identifier-naming,cppcoreguidelines-virtual-class-destructor,readability-named-parameter)
class RecordedAnnotations final : public IAccPropServices, public IClassFactory {
 public:
  RecordedAnnotations() {
    CoRegisterClassObject(kAccPropServicesClass, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                          REGCLS_MULTIPLEUSE, &cookie_);
  }
  RecordedAnnotations(const RecordedAnnotations&) = delete;
  RecordedAnnotations& operator=(const RecordedAnnotations&) = delete;
  RecordedAnnotations(RecordedAnnotations&&) = delete;
  RecordedAnnotations& operator=(RecordedAnnotations&&) = delete;
  ~RecordedAnnotations() {
    if (cookie_ != 0) CoRevokeClassObject(cookie_);
  }

  // The live setting the program gave the control; 0 (off) if none.
  [[nodiscard]] LONG LiveSetting(HWND control) const {
    const auto found = live_settings_.find(control);
    return found == live_settings_.end() ? 0 : found->second;
  }

  // IUnknown: one object, kept by the test, serves as both.
  HRESULT WINAPI QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == kAccPropServicesInterface) {
      *out = static_cast<IAccPropServices*>(this);
    } else if (iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  ULONG WINAPI AddRef() override { return 2; }
  ULONG WINAPI Release() override { return 1; }

  // IClassFactory
  HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    return outer != nullptr ? CLASS_E_NOAGGREGATION : QueryInterface(iid, out);
  }
  HRESULT WINAPI LockServer(BOOL /*lock*/) override { return S_OK; }

  // IAccPropServices: the program sets a control's property by its window.
  HRESULT WINAPI SetHwndProp(HWND hwnd, DWORD object, DWORD child, MSAAPROPID property,
                             VARIANT value) override {
    if (object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF &&
        property == kLiveSettingProperty && value.vt == VT_I4) {
      live_settings_[hwnd] = value.lVal;
    }
    return S_OK;
  }
  HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                               AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHwndPropStr(HWND, DWORD, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                   AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearHwndProps(HWND hwnd, DWORD /*object*/, DWORD /*child*/,
                                const MSAAPROPID* /*properties*/, int /*count*/) override {
    live_settings_.erase(hwnd);
    return S_OK;
  }
  HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*,
                                    AnnoScope) override {
    return E_NOTIMPL;
  }
  HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
  HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
  HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override {
    return E_NOTIMPL;
  }

 private:
  DWORD cookie_ = 0;
  std::map<HWND, LONG> live_settings_;
};
// NOLINTEND(cppcoreguidelines-pro-type-union-access,readability-identifier-naming,cppcoreguidelines-virtual-class-destructor,readability-named-parameter)

}  // namespace zelmar::win32::testing
