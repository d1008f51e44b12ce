#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace zelmar::win32 {

// UI Automation's LiveSetting property, set through the system's annotation
// service (Dynamic Annotation), and its value for a polite live region.
inline constexpr GUID kLiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
inline constexpr LONG kPolite = 1;
// The event that tells screen readers a live region changed
// (EVENT_OBJECT_LIVEREGIONCHANGED, which older MinGW headers lack).
inline constexpr DWORD kLiveRegionChanged = 0x8019;
// The annotation service's class and interface.
inline constexpr GUID kAccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
inline constexpr GUID kAccPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};

// A control that screen readers read by a name of its own: a result by its
// name, figure and unit ("Imp. Tot.: 5.33 ohm") rather than its bare text,
// a box by its caption (which Windows would guess from the control before
// it in the tab order). The control answers WM_GETOBJECT with the system's
// own accessible object for it, but named by this; UI Automation reads it
// through its MSAA proxy.
class SpokenName {
 public:
  SpokenName() = default;
  SpokenName(const SpokenName&) = delete;
  SpokenName& operator=(const SpokenName&) = delete;
  SpokenName(SpokenName&&) = delete;
  SpokenName& operator=(SpokenName&&) = delete;
  ~SpokenName();

  // Takes over the control's answers to screen readers.
  void Attach(HWND control);
  void SetName(std::wstring name) { name_ = std::move(name); }
  [[nodiscard]] const std::wstring& name() const noexcept { return name_; }

  // Sets the name and raises a live region's change: the control is a polite
  // live region from its first announcement, and a screen reader speaks its
  // name wherever the focus is.
  void Announce(std::wstring name);

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR data) noexcept;
  bool EnsureCom();
  void MakeLiveRegion();

  HWND control_ = nullptr;
  std::wstring name_;
  bool com_ = false;
  bool live_ = false;
};

}  // namespace zelmar::win32
