// The Windows window driven as a person would: the messages that real keys
// and clicks produce, posted to the control that has the focus and taken
// through the program's own message handling (the dialog keys included).
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main_window.hpp"
#include "worked_results.hpp"
#include "zelmar/ui/control_table.hpp"
#include "zelmar/ui/failure_text.hpp"

namespace zelmar::win32 {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(DecimalSeparator::Point()); }
  void TearDown() override {
    window_.reset();
    Pump();
  }

  void Open(DecimalSeparator separator) {
    window_.reset();
    Pump();
    window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), separator);
    ASSERT_NE(window_->hwnd(), nullptr);
    window_->SetFailureReporter([this](HWND, Failure kind) { failures_.push_back(kind); });
    window_->Show(SW_SHOWNORMAL);
    SetForegroundWindow(window_->hwnd());
    Pump();
  }

  // Everything queued, through the program's own handling of messages.
  void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      if (message.message == WM_QUIT) continue;
      if (window_ == nullptr || !window_->ProcessDialogMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }

  HWND Control(const char* name) const {
    HWND control = window_->Control(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  static std::string Text(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
  }
  std::string Text(const char* name) const { return Text(Control(name)); }
  std::string FocusName() const {
    for (const ui::ControlSpec& design : ui::kControls) {
      if (window_->Control(design.name) == GetFocus()) return std::string(design.name);
    }
    return "(none)";
  }

  static void SetShift(bool down) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys.data());
  }
  // A key pressed and released on the control with the focus, as the
  // keyboard delivers it: WM_KEYDOWN, its WM_CHAR (made by the message
  // loop's TranslateMessage), WM_KEYUP.
  void Key(UINT key, bool shift = false) {
    SetShift(shift);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(GetFocus(), WM_KEYDOWN, key, scan | 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, key, scan | 0xC0000001);
    Pump();
    SetShift(false);
  }
  void Keys(std::string_view text) {
    for (const char c : text) {
      const SHORT key = VkKeyScanW(static_cast<wchar_t>(c));
      Key(static_cast<UINT>(key & 0xFF), (key & 0x100) != 0);
    }
  }
  // Alt+C: what the keyboard delivers once translated, WM_SYSCHAR with the
  // Alt bit, to the control with the focus.
  void AltC() {
    PostMessageW(GetFocus(), WM_SYSCHAR, 'c', (1 << 29) | 1);
    Pump();
  }
  void Enter() { Key(VK_RETURN); }
  void Space() { Key(VK_SPACE); }
  void ClickButton() { Click(Control("Calcola")); }
  void Click(HWND control, int x = 5, int y = 5) {
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Pump();
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
  }
  // Selects the whole text of a box and types over it, as a user would.
  void TypeInto(const char* name, std::string_view keys) {
    HWND box = Control(name);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    Keys(keys);
  }

  std::unique_ptr<MainWindow> window_;
  std::vector<Failure> failures_;
};

TEST_F(WindowTest, OpensWithTheDesignTimeFiguresAndTheFocusOnTheButton) {
  EXPECT_EQ(Text(window_->hwnd()), "Calcolo Zelmar  1.0");
  EXPECT_EQ(Text("Gruppi"), "2");
  EXPECT_EQ(Text("Altop"), "2");
  EXPECT_EQ(Text("ImpAp"), "8");
  EXPECT_EQ(Text("dBAp"), "90");
  for (const char* result : {"TotAltop", "ImpGruppi", "Liv"}) EXPECT_EQ(Text(result), "") << result;
  EXPECT_EQ(FocusName(), "Calcola");
  EXPECT_EQ(window_->form().state(), FormState{});  // putting the texts in was no change

  const auto style = GetWindowLongPtrW(window_->hwnd(), GWL_STYLE);
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);  // resizable, system menu, min, max
  EXPECT_EQ(GetWindowLongPtrW(Control("Calcola"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(LOWORD(SendMessageW(window_->hwnd(), DM_GETDEFID, 0, 0)), GetDlgCtrlID(Control("Calcola")));
  for (const char* box : {"Gruppi", "Altop", "ImpAp", "dBAp"}) {
    EXPECT_TRUE(GetWindowLongPtrW(Control(box), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << box;
    EXPECT_GT(SendMessageW(Control(box), EM_GETLIMITTEXT, 0, 0), 32767) << box;
  }
  EXPECT_TRUE(GetWindowLongPtrW(Control("Label13"), GWL_STYLE) & SS_CENTER);
  EXPECT_TRUE(GetWindowLongPtrW(Control("Label1"), GWL_STYLE) & SS_NOPREFIX);

  // The icon from the resources: one 48 x 48 image.
  auto* icon = reinterpret_cast<HICON>(SendMessageW(window_->hwnd(), WM_GETICON, ICON_BIG, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 48);
  EXPECT_EQ(colour.bmHeight, 48);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(WindowTest, EachKeystrokeRunsTheChangeHandlingOfItsBoxOnly) {
  TypeInto("ImpAp", "4");
  const FormState& s = window_->form().state();
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("4"));
  EXPECT_EQ(s.PrevSpeakerImpedance, Variant());
  Keys("5");
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("45"));
  EXPECT_EQ(s.PrevSpeakerImpedance, Variant::String("4"));
  Key(VK_BACK);
  EXPECT_EQ(s.SpeakerImpedance, Variant::String("4"));
  EXPECT_EQ(s.GroupCount, Variant());
  EXPECT_EQ(s.SpeakersPerGroup, Variant());
  EXPECT_EQ(s.SpeakerSensitivity, Variant());
  EXPECT_TRUE(failures_.empty());
  // A letter is a change like any other, and fails.
  Keys("x");
  EXPECT_EQ(failures_, std::vector<Failure>{Failure::TypeMismatch});
  EXPECT_EQ(Text("ImpAp"), "4x");
}

TEST_F(WindowTest, EveryWayOfPressingTheButtonCalculatesOnceAndEndsOnTheButton) {
  struct Press {
    const char* name;
    const char* from;  // the control with the focus
    std::function<void()> press;
  };
  const Press presses[] = {
      {"Enter in Gruppi", "Gruppi", [this] { Enter(); }},
      {"Enter in Altop", "Altop", [this] { Enter(); }},
      {"Enter in ImpAp", "ImpAp", [this] { Enter(); }},
      {"Enter in dBAp", "dBAp", [this] { Enter(); }},
      {"Enter on the button", "Calcola", [this] { Enter(); }},
      {"Alt+C in Gruppi", "Gruppi", [this] { AltC(); }},
      {"Alt+C in dBAp", "dBAp", [this] { AltC(); }},
      {"Alt+C on the button", "Calcola", [this] { AltC(); }},
      {"Space on the button", "Calcola", [this] { Space(); }},
      {"click", "ImpAp", [this] { ClickButton(); }},
  };
  for (const auto& p : presses) {
    SCOPED_TRACE(p.name);
    // A group count that cannot be truncated makes every calculation report
    // exactly one failure, which counts the calculations.
    window_->WriteEntryText(Entry::Gruppi, "3x");
    failures_.clear();
    SetFocus(Control(p.from));
    p.press();
    EXPECT_EQ(failures_, std::vector<Failure>{Failure::TypeMismatch});

    // And with sound figures the focus ends on the button.
    window_->WriteEntryText(Entry::Gruppi, "3");
    SetFocus(Control(p.from));
    failures_.clear();
    p.press();
    EXPECT_TRUE(failures_.empty());
    EXPECT_EQ(Text("TotAltop"), "6");
    EXPECT_EQ(FocusName(), "Calcola");
    window_->WriteResultCaption(ResultLabel::TotAltop, "");
  }
}

TEST_F(WindowTest, TabVisitsTheButtonAndTheBoxesInTheirOrderBothWays) {
  std::vector<std::string> visited;
  for (int i = 0; i < 6; ++i) {
    Key(VK_TAB);
    visited.push_back(FocusName());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"Altop", "ImpAp", "Gruppi", "dBAp", "Calcola", "Altop"}));
  visited.clear();
  for (int i = 0; i < 6; ++i) {
    Key(VK_TAB, true);
    visited.push_back(FocusName());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"Calcola", "dBAp", "Gruppi", "ImpAp", "Altop", "Calcola"}));
}

TEST_F(WindowTest, ClickingLabelsOrThePictureMovesNothing) {
  SetFocus(Control("ImpAp"));
  for (const char* name : {"Label1", "Label13", "TotAltop", "Label14", "Image1"}) {
    Click(Control(name));
    EXPECT_EQ(FocusName(), "ImpAp") << name;
  }
  EXPECT_TRUE(failures_.empty());
  EXPECT_EQ(window_->form().state(), FormState{});
}

TEST_F(WindowTest, WorkedResultsTypedIntoTheBoxes) {
  const auto& boxes = zelmar::testing::kBoxesInEntryOrder;
  for (const auto& row : zelmar::testing::kTypedWorkedRows) {
    SCOPED_TRACE(row.typed[0]);
    for (std::size_t i = 0; i < boxes.size(); ++i) TypeInto(boxes[i], row.typed[i]);
    Key(VK_RETURN);
    EXPECT_EQ(Text("TotAltop"), row.captions[0]);
    EXPECT_EQ(Text("ImpGruppi"), row.captions[1]);
    EXPECT_EQ(Text("Liv"), row.captions[2]);
  }
  EXPECT_EQ(Text("Gruppi"), "2");  // 2.7 truncated and written back
  EXPECT_TRUE(failures_.empty());
}

TEST_F(WindowTest, CommaLocaleShowsCommaResults) {
  Open(DecimalSeparator::Comma());
  TypeInto("ImpAp", "4,5");
  Key(VK_RETURN);
  EXPECT_EQ(Text("ImpGruppi"), "4,5");
  TypeInto("ImpAp", "8");
  Key(VK_RETURN);
  EXPECT_EQ(Text("Liv"), "96,02");
  EXPECT_TRUE(failures_.empty());
}

// Reads and closes the failure's message box from inside its own modal
// loop, as soon as it shows. A timer's callback takes no context.
std::vector<std::string>* g_shown = nullptr;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
void CALLBACK CloseMessageBox(HWND /*window*/, UINT /*message*/, UINT_PTR /*timer*/, DWORD /*time*/) {
  HWND box = FindWindowW(L"#32770", L"Zelmar");
  if (box == nullptr) return;
  std::array<wchar_t, 256> text{};
  GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));  // the message's static
  g_shown->push_back(Narrow(text.data()));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(WindowTest, AFailureShowsOneMessageBoxAndTheWindowCarriesOn) {
  window_->SetFailureReporter(&MainWindow::ShowFailureMessage);
  std::vector<std::string> shown;
  g_shown = &shown;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &CloseMessageBox);
  TypeInto("Gruppi", "0.5");  // reads as zero, then takes 0.5: no failure
  Key(VK_RETURN);
  KillTimer(nullptr, timer);
  ASSERT_EQ(shown.size(), 1U);
  EXPECT_EQ(shown.front(), ui::FailureText(Failure::DivisionByZero));
  EXPECT_EQ(Text("Gruppi"), "0");  // written back before the failure
  EXPECT_EQ(Text("TotAltop"), "");

  window_->SetFailureReporter([this](HWND, Failure kind) { failures_.push_back(kind); });
  SetForegroundWindow(window_->hwnd());
  TypeInto("Gruppi", "3");
  Key(VK_RETURN);
  EXPECT_EQ(Text("TotAltop"), "6");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(WindowTest, ALongResultIsCutWithAnEllipsisAndTheWholeFigureAtHand) {
  HWND label = Control("TotAltop");
  RECT before{};
  GetWindowRect(label, &before);
  TypeInto("Gruppi", "123456789");
  TypeInto("Altop", "98765432");
  Key(VK_RETURN);
  EXPECT_EQ(Text(label), "1.21932630989178E+16");  // what a screen reader reads: the whole figure
  EXPECT_TRUE(GetWindowLongPtrW(label, GWL_STYLE) & SS_ENDELLIPSIS);
  RECT after{};
  GetWindowRect(label, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(window_->ResultTip(ResultLabel::TotAltop), "1.21932630989178E+16");
  // A figure that fits needs no tip.
  TypeInto("Gruppi", "2");
  TypeInto("Altop", "2");
  Key(VK_RETURN);
  EXPECT_EQ(window_->ResultTip(ResultLabel::TotAltop), "");
}

// Where a control is, in the client area's pixels.
ui::PixelRect PlaceOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class GeometryTest : public WindowTest {
 protected:
  // Every control at its designed place and size at this resolution; a
  // caption may reach further right over empty background.
  void ExpectTheTableAt(UINT dpi) {
    EXPECT_EQ(window_->dpi(), dpi);
    // The frame is the system's: the client area is the design's where the
    // system draws the frame at the window's own scale.
    if (dpi == GetDpiForSystem()) {
      RECT client{};
      GetClientRect(window_->hwnd(), &client);
      const ui::PixelRect design = ui::ToPixels(ui::kWindow.client, dpi);
      EXPECT_EQ(client.right, design.width);
      EXPECT_EQ(client.bottom, design.height);
    }
    for (const ui::ControlSpec& control : ui::kControls) {
      SCOPED_TRACE(control.name);
      const ui::PixelRect expected = ui::ToPixels(control.twips, dpi);
      const ui::PixelRect actual = PlaceOf(Control(std::string(control.name).c_str()));
      EXPECT_EQ(actual.left, expected.left);
      EXPECT_EQ(actual.top, expected.top);
      EXPECT_EQ(actual.height, expected.height);
      if (control.kind == ui::ControlKind::CaptionLabel) {
        EXPECT_EQ(actual.Right(), std::max(expected.Right(), ui::RunOnRight(control, dpi)));
      } else {
        EXPECT_EQ(actual.width, expected.width);
      }
    }
  }
  static UINT ScreenDpi() {
    const char* dpi = std::getenv("ZELMAR_EXPECT_DPI");
    return dpi != nullptr ? static_cast<UINT>(std::strtoul(dpi, nullptr, 10)) : USER_DEFAULT_SCREEN_DPI;
  }
};

TEST_F(GeometryTest, EqualsTheTableAtTheScreensResolution) {
  const UINT dpi = ScreenDpi();
  ExpectTheTableAt(dpi);
  // The client area opens at its designed place on the screen.
  POINT origin{0, 0};
  ClientToScreen(window_->hwnd(), &origin);
  EXPECT_EQ(origin.x, ui::TwipsToPixels(ui::kWindow.client.left, dpi));
  EXPECT_EQ(origin.y, ui::TwipsToPixels(ui::kWindow.client.top, dpi));
  if (dpi == USER_DEFAULT_SCREEN_DPI) {
    // The table's own pixels, written out.
    EXPECT_EQ(PlaceOf(Control("Gruppi")), (ui::PixelRect{17, 222, 33, 25}));
    EXPECT_EQ(PlaceOf(Control("Calcola")), (ui::PixelRect{16, 336, 161, 33}));
    EXPECT_EQ(PlaceOf(Control("Image1")), (ui::PixelRect{28, 5, 231, 157}));
    EXPECT_EQ(origin.x, 261);
    EXPECT_EQ(origin.y, 102);
  } else if (dpi == 144) {
    EXPECT_EQ(PlaceOf(Control("Gruppi")), (ui::PixelRect{26, 333, 50, 38}));  // one and a half times
  }
}

TEST_F(GeometryTest, MovingToAScreenOfAnotherScaleRescales) {
  const UINT dpi = ScreenDpi() == 144 ? USER_DEFAULT_SCREEN_DPI : 144;
  // What the system suggests: the window scaled, on the other screen.
  const ui::PixelRect client = ui::ToPixels(ui::kWindow.client, dpi);
  RECT suggested{1000, 100, 1000 + client.width, 100 + client.height};
  AdjustWindowRectExForDpi(&suggested, static_cast<DWORD>(GetWindowLongPtrW(window_->hwnd(), GWL_STYLE)),
                           FALSE, static_cast<DWORD>(GetWindowLongPtrW(window_->hwnd(), GWL_EXSTYLE)), dpi);
  SendMessageW(window_->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  Pump();
  ExpectTheTableAt(dpi);
  // The texts and the focus stay.
  EXPECT_EQ(Text("dBAp"), "90");
  EXPECT_EQ(FocusName(), "Calcola");
}

TEST_F(GeometryTest, ResizingOrMaximisingMovesNothing) {
  std::vector<ui::PixelRect> before;
  before.reserve(ui::kControls.size());
  for (const ui::ControlSpec& control : ui::kControls)
    before.push_back(PlaceOf(window_->Control(control.name)));
  for (const int show : {SW_MAXIMIZE, SW_RESTORE}) {
    ShowWindow(window_->hwnd(), show);
    Pump();
    for (std::size_t i = 0; i < ui::kControls.size(); ++i) {
      EXPECT_EQ(PlaceOf(window_->Control(ui::kControls[i].name)), before[i]) << ui::kControls[i].name;
    }
  }
  SetWindowPos(window_->hwnd(), nullptr, 0, 0, 150, 150, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  for (std::size_t i = 0; i < ui::kControls.size(); ++i) {
    EXPECT_EQ(PlaceOf(window_->Control(ui::kControls[i].name)), before[i]) << ui::kControls[i].name;
  }
}

TEST(Locale, TheDecimalSeparatorComesFromTheUsersRegionalSettings) {
  const char* expected = std::getenv("ZELMAR_EXPECT_SEPARATOR");
  EXPECT_EQ(UserDecimalSeparator().Utf8(), expected != nullptr ? expected : ".");
}

TEST(Text, CrossesTheBoundaryAsUtf8) {
  const std::string italian = "Tipo non corrispondente: il dato non è un numero.";
  EXPECT_EQ(Widen(italian), L"Tipo non corrispondente: il dato non \u00e8 un numero.");
  EXPECT_EQ(Narrow(Widen(italian)), italian);
  EXPECT_EQ(Narrow(Widen("\xd9\xa3")), "\xd9\xa3");  // an Arabic-Indic digit stays itself
  EXPECT_EQ(Narrow(L""), "");
}

}  // namespace
}  // namespace zelmar::win32
