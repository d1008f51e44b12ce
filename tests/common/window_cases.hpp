#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "case_table.hpp"
#include "zelmar/failure.hpp"
#include "zelmar/window/placement.hpp"

// The window's behaviour cases (tests/cases/window.cases), read and carried
// out the same way by every front end's suite. A suite supplies a driver
// that works its window as a person would.
namespace zelmar::testing {

// GoogleTest prints a case by its name.
void PrintTo(const WindowCase& window_case, std::ostream* out);

// The cases of the file built into the suite; on a platform whose boxes
// take no dropped text, those that drop one are left out.
enum class Drops : bool { Taken, NotTaken };
std::vector<WindowCase> WindowCases(Drops drops = Drops::Taken);
// A name GoogleTest takes for a case: letters and digits only.
std::string CaseTestName(const WindowCase& window_case);

// A horizontal stretch of ink: one line of a label's text, in pixels from
// the label's left edge.
struct InkLine {
  int left = 0;
  int right = 0;  // first column past it
};

// The lines of ink in a picture of a label: rows with ink next to each other
// make one line, as wide as its widest ink. is_ink(x, y) tells a pixel that
// is not the label's background.
std::vector<InkLine> InkLines(int width, int height, const std::function<bool(int, int)>& is_ink);

// What screen readers were told, and which control had the focus as they
// were told it.
struct Announcement {
  std::string text;
  std::string focus;
};

struct FontSeen {
  std::string family;
  int pixels = 0;  // the height asked of the font: the em at the screen's resolution
  bool bold = false;
  bool plain = true;  // neither italic, underlined nor struck out
};

class WindowDriver {
 public:
  WindowDriver() = default;
  WindowDriver(const WindowDriver&) = delete;
  WindowDriver& operator=(const WindowDriver&) = delete;
  WindowDriver(WindowDriver&&) = delete;
  WindowDriver& operator=(WindowDriver&&) = delete;
  virtual ~WindowDriver() = default;

  // Selects the whole text of the box and types the text key by key.
  virtual void Type(std::string_view box, std::string_view text) = 0;
  // Types the text key by key into whatever has the focus, selecting
  // nothing first.
  virtual void Keys(std::string_view text) = 0;
  // Selects the whole text of the box, puts the text on the platform's
  // clipboard and pastes it as a user does.
  virtual void Paste(std::string_view box, std::string_view text) = 0;
  // Gives the box the focus, then Home and Right count times: the caret
  // after its first count characters.
  virtual void Caret(std::string_view box, int count) = 0;
  // Puts the text on the clipboard and pastes it where the caret is.
  virtual void PasteHere(std::string_view text) = 0;
  // Drops the text, dragged from another program, on the middle of the box.
  virtual void Drop(std::string_view box, std::string_view text) = 0;
  virtual void Key(std::string_view key) = 0;
  virtual void Focus(std::string_view control) = 0;
  // A click of the pointer at a point of the client area (pixels at 96 dpi).
  virtual void Click(int x, int y) = 0;

  // The window's client area made this size as by dragging its frame, or
  // maximised.
  virtual void Resize(int width, int height) = 0;
  virtual void Maximise() = 0;

  virtual std::string Title() = 0;
  // The client area's size, in pixels at 96 dpi.
  virtual std::pair<int, int> ClientSize() = 0;
  virtual std::string Text(std::string_view control) = 0;
  virtual std::string FocusName() = 0;
  // The messages the window showed since the last call, each read and
  // closed as a user would, as "caption | text".
  virtual std::vector<std::string> TakeMessages() = 0;
  // Opens the window anew with this decimal separator.
  virtual void Reopen(DecimalSeparator separator) = 0;
  // Every announcement made so far, oldest first.
  virtual std::vector<Announcement> Announcements() = 0;
  // The whole figure a result shows in a tip under the pointer; empty when
  // it has none.
  virtual std::string Tip(std::string_view result) = 0;
  virtual std::string Spoken(std::string_view control) = 0;
  // Where the control stands in the client area, in pixels at 96 dpi.
  virtual window::PixelRect Place(std::string_view control) = 0;
  // The lines of ink of a label's text, top to bottom.
  virtual std::vector<InkLine> Ink(std::string_view control) = 0;
  virtual FontSeen Font(std::string_view control) = 0;
};

// Carries out a case, reporting each failed expectation with its line.
void RunCase(const WindowCase& window_case, WindowDriver& driver);

}  // namespace zelmar::testing
