#pragma once

#include <array>
#include <string>
#include <string_view>

#include "zelmar/failure.hpp"
#include "zelmar/form_state.hpp"

namespace zelmar {

// The three result captions, in the order of kResultLabels.
using ResultTexts = std::array<std::string, 3>;

// What the core needs of the window. Texts are UTF-8. None of these may throw.
class WindowPort {
 public:
  WindowPort() = default;
  WindowPort(const WindowPort&) = delete;
  WindowPort& operator=(const WindowPort&) = delete;
  WindowPort(WindowPort&&) = delete;
  WindowPort& operator=(WindowPort&&) = delete;
  virtual ~WindowPort() = default;

  // The whole current text of the entry's box.
  virtual std::string ReadEntryText(Entry entry) = 0;
  // Replaces the box's text, which the core has read and found different
  // (a write that would change nothing is not made, so no window need tell
  // the two apart). The window runs the entry's change handling to
  // completion before returning, as for an edit.
  virtual void WriteEntryText(Entry entry, std::string_view text) = 0;
  virtual void WriteResultCaption(ResultLabel label, std::string_view text) = 0;
  virtual void FocusEntry(Entry entry) = 0;
  virtual void FocusCalculateButton() = 0;
  // A calculation has written its three results and given the focus back to
  // the button: the window tells screen readers what they are. Not called
  // after a failure.
  virtual void ResultsShown(const ResultTexts& captions) = 0;
  // Tells the user which kind of failure ended the running handler.
  virtual void ReportFailure(Failure kind) = 0;
};

}  // namespace zelmar
