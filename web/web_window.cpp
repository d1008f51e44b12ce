// The window in the browser: the page's elements, written from the control
// table at build time, carry out WindowPort. The page's own script (page.js)
// hands the boxes' input events to EntryChanged and the button's presses to
// Calculate once the rules below have started. The DOM is reached through
// the few JavaScript functions below.
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "zelmar/form.hpp"
#include "zelmar/window/control_table.hpp"
#include "zelmar/window/failure_text.hpp"
#include "zelmar/window/speech.hpp"
#include "zelmar/window_port.hpp"

// clang-format off
// NOLINTBEGIN
#ifdef EM_JS_DEPS
// Emscripten 3.1.69 (Debian 13) includes a library function only where it
// is asked for; 3.1.6 (Debian 12) has UTF8ToString always, and no such ask.
EM_JS_DEPS(zelmar_texts, "$UTF8ToString,$stringToNewUTF8");
#endif
EM_JS(char*, js_read_text, (const char* id), {
  return stringToNewUTF8(document.getElementById(UTF8ToString(id)).value);
});
EM_JS(void, js_write_text, (const char* id, const char* text), {
  document.getElementById(UTF8ToString(id)).value = UTF8ToString(text);
});
EM_JS(void, js_write_result, (const char* id, const char* text, const char* speech), {
  const result = document.getElementById(UTF8ToString(id));
  result.textContent = UTF8ToString(text);
  // Read by itself: its name, the whole figure and its unit.
  result.setAttribute("aria-label", UTF8ToString(speech));
  // A figure cut with an ellipsis is whole in the title.
  if (result.scrollWidth > result.clientWidth) result.title = result.textContent;
  else result.removeAttribute("title");
});
EM_JS(void, js_focus, (const char* id), {
  document.getElementById(UTF8ToString(id)).focus({preventScroll: true});
});
EM_JS(void, js_announce, (const char* text), {
  // The live region speaks each change; a repeat differs by a blank.
  const region = document.getElementById("announcement");
  const announcement = UTF8ToString(text);
  region.textContent = region.textContent === announcement ? announcement + "\u00a0" : announcement;
});
EM_JS(void, js_show_failure, (const char* text), {
  window.zelmarShowFailure(UTF8ToString(text));
});
EM_JS(char*, js_decimal_separator, (), {
  return stringToNewUTF8(window.zelmarDecimalSeparator());
});
EM_JS(void, js_rules_arrived, (), {
  window.zelmarRulesArrived({
    calculate: () => Module._zelmar_calculate(),
    entryChanged: (entry) => Module._zelmar_entry_changed(entry),
  });
});
// NOLINTEND
// clang-format on

namespace zelmar::web {
namespace {

std::string Id(std::string_view name) { return std::string(name); }

// A text that JavaScript allocated with malloc, freed when done.
using JsText = std::unique_ptr<char, decltype(&std::free)>;
std::string Taken(char* text) { return {JsText(text, &std::free).get()}; }

class PageWindow final : public WindowPort {
 public:
  explicit PageWindow(DecimalSeparator separator) : form_(*this, separator) {}

  Form& form() noexcept { return form_; }

  std::string ReadEntryText(Entry entry) override {
    return Taken(js_read_text(Id(window::EntryBox(entry).name).c_str()));
  }

  // The browser raises no event for a program's own write: the change is
  // handled here, before the write returns, as the desktop windows do.
  void WriteEntryText(Entry entry, std::string_view text) override {
    js_write_text(Id(window::EntryBox(entry).name).c_str(), std::string(text).c_str());
    form_.EntryChanged(entry);
  }

  void WriteResultCaption(ResultLabel label, std::string_view text) override {
    const std::string figure(text);
    js_write_result(Id(window::ResultSpec(label).name).c_str(), figure.c_str(),
                    window::ResultSpeech(label, text).c_str());
  }

  void FocusEntry(Entry entry) override { js_focus(Id(window::EntryBox(entry).name).c_str()); }

  void FocusCalculateButton() override { js_focus(Id(window::CalculateButton().name).c_str()); }

  void ResultsShown(const ResultTexts& captions) override {
    js_announce(window::ResultsAnnouncement(captions).c_str());
  }

  void ReportFailure(Failure kind) override {
    js_show_failure(std::string(window::FailureText(kind)).c_str());
  }

 private:
  Form form_;
};

std::unique_ptr<PageWindow>& Window() {
  static std::unique_ptr<PageWindow> window;
  return window;
}

}  // namespace
}  // namespace zelmar::web

extern "C" {

EMSCRIPTEN_KEEPALIVE void zelmar_entry_changed(int entry) {
  if (auto& window = zelmar::web::Window(); window && entry >= 0 && entry < 4) {
    window->form().EntryChanged(static_cast<zelmar::Entry>(entry));
  }
}

EMSCRIPTEN_KEEPALIVE void zelmar_calculate() {
  if (auto& window = zelmar::web::Window()) window->form().Calculate();
}

}  // extern "C"

int main() {
  using namespace zelmar;
  web::Window() =
      std::make_unique<web::PageWindow>(DecimalSeparator::FromUtf8(web::Taken(js_decimal_separator())));
  // From here the page hands its events over, first those that came early.
  js_rules_arrived();
  return 0;
}
