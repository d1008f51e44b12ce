#include "zelmar/win32/spoken_name.hpp"

// After <windows.h>.
#include <commctrl.h>
#include <objbase.h>
#include <oleacc.h>

#include <atomic>
#include <optional>
#include <utility>

// VARIANT is the COM API's own tagged union.
// NOLINTBEGIN(cppcoreguidelines-pro-type-union-access)
namespace zelmar::win32 {
namespace {

// Not oleacc's IID_IAccessible: that is data of the DLL, which MinGW's
// import library does not reach without dllimport.
const IID kAccessible = __uuidof(IAccessible);
constexpr UINT_PTR kSubclassId = 0x5a454c;  // "ZEL"

// The screen-reader support of oleacc, ole32 and oleaut32, which a program
// nobody reads aloud never needs: loaded from the system folder the first
// time a screen reader asks or a result is announced, not at every start.
struct Accessibility {
  decltype(&CoInitializeEx) co_initialize_ex;
  decltype(&CoUninitialize) co_uninitialize;
  decltype(&CoCreateInstance) co_create_instance;
  decltype(&SysAllocStringLen) sys_alloc_string_len;
  decltype(&CreateStdAccessibleObject) create_std_accessible_object;
  decltype(&LresultFromObject) lresult_from_object;
};

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function) {
  // GetProcAddress has one type for every function; void (*)() is the one
  // a function pointer may pass through on its way to its own type.
  // NOLINTBEGIN(cppcoreguidelines-pro-type-reinterpret-cast)
  using Generic = void (*)();
  function = module != nullptr
                 ? reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)))
                 : nullptr;
  // NOLINTEND(cppcoreguidelines-pro-type-reinterpret-cast)
  return function != nullptr;
}

const Accessibility* LoadAccessibility() {
  static const std::optional<Accessibility> loaded = []() -> std::optional<Accessibility> {
    HMODULE ole32 = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE oleaut32 = LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE oleacc = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    Accessibility api{};
    if (Find(ole32, "CoInitializeEx", api.co_initialize_ex) &&
        Find(ole32, "CoUninitialize", api.co_uninitialize) &&
        Find(ole32, "CoCreateInstance", api.co_create_instance) &&
        Find(oleaut32, "SysAllocStringLen", api.sys_alloc_string_len) &&
        Find(oleacc, "CreateStdAccessibleObject", api.create_std_accessible_object) &&
        Find(oleacc, "LresultFromObject", api.lresult_from_object)) {
      return api;
    }
    return std::nullopt;
  }();
  return loaded ? &*loaded : nullptr;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's accessible object for a control, with another name.
// Deleted through Release only, as every COM object.
class NamedAccessible final : public IAccessible {  // NOLINT(cppcoreguidelines-virtual-class-destructor)
 public:
  NamedAccessible(IAccessible* standard, std::wstring name) : standard_(standard), name_(std::move(name)) {}
  NamedAccessible(const NamedAccessible&) = delete;
  NamedAccessible& operator=(const NamedAccessible&) = delete;
  NamedAccessible(NamedAccessible&&) = delete;
  NamedAccessible& operator=(NamedAccessible&&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* error) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, error);
  }

  // IAccessible: the name is ours, everything else the system's.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    // The accessible object exists only once the library is loaded.
    *name = LoadAccessibility()->sys_alloc_string_len(name_.data(), static_cast<UINT>(name_.size()));
    return *name != nullptr || name_.empty() ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
    return standard_->get_accChild(child, dispatch);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }

  IAccessible* standard_;
  std::wstring name_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

SpokenName::~SpokenName() {
  // A control still there (its window outlives this) is given back its own
  // answers; one already destroyed took the subclass away itself.
  if (control_ != nullptr) RemoveWindowSubclass(control_, &SpokenName::Procedure, kSubclassId);
  if (com_) LoadAccessibility()->co_uninitialize();
}

void SpokenName::Attach(HWND control) {
  control_ = control;
  SetWindowSubclass(control, &SpokenName::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

bool SpokenName::EnsureCom() {
  // Only once a screen reader asks: the program starts without COM.
  if (!com_) {
    const Accessibility* api = LoadAccessibility();
    com_ = api != nullptr && SUCCEEDED(api->co_initialize_ex(nullptr, COINIT_APARTMENTTHREADED));
  }
  return com_;
}

void SpokenName::MakeLiveRegion() {
  if (control_ == nullptr || !EnsureCom()) return;
  IAccPropServices* services = nullptr;
  if (FAILED(LoadAccessibility()->co_create_instance(kAccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                                     kAccPropServicesInterface,
                                                     reinterpret_cast<void**>(&services)))) {
    return;
  }
  VARIANT polite{};
  polite.vt = VT_I4;
  polite.lVal = kPolite;
  (void)services->SetHwndProp(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty,
                              polite);
  services->Release();
}

void SpokenName::Announce(std::wstring name) {
  name_ = std::move(name);
  if (control_ == nullptr) return;
  if (!std::exchange(live_, true)) MakeLiveRegion();
  SetWindowTextW(control_, name_.c_str());
  NotifyWinEvent(kLiveRegionChanged, control_, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT CALLBACK SpokenName::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                                       DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<SpokenName*>(data);
  if (message == WM_NCDESTROY) {
    // The control's last message: the subclass goes with it.
    RemoveWindowSubclass(hwnd, &SpokenName::Procedure, kSubclassId);
    self->control_ = nullptr;
    return DefSubclassProc(hwnd, message, wparam, lparam);
  }
  if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT && self->EnsureCom()) {
    const Accessibility* api = LoadAccessibility();
    IAccessible* standard = nullptr;
    if (SUCCEEDED(api->create_std_accessible_object(hwnd, OBJID_CLIENT, kAccessible,
                                                    reinterpret_cast<void**>(&standard)))) {
      NamedAccessible* named = nullptr;
      try {
        named = new NamedAccessible(standard, self->name_);
      } catch (...) {
        // Out of memory: the reader gets the system's own answer.
        standard->Release();
        return DefSubclassProc(hwnd, message, wparam, lparam);
      }
      const LRESULT result = api->lresult_from_object(kAccessible, wparam, named);
      named->Release();
      return result;
    }
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace zelmar::win32
// NOLINTEND(cppcoreguidelines-pro-type-union-access)
