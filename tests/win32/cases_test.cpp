// The window's behaviour cases, carried out on the Windows window under Wine.
#include "window_driver.hpp"

namespace zelmar::win32::testing {
namespace {

using zelmar::testing::WindowCase;

class WindowCases : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowCases, OnTheWindowsWindow) {
  Win32Driver driver;
  RunCase(GetParam(), driver);
}

// An edit control takes no text dropped on it.
INSTANTIATE_TEST_SUITE_P(Cases, WindowCases,
                         ::testing::ValuesIn(zelmar::testing::WindowCases(zelmar::testing::Drops::NotTaken)),
                         [](const auto& info) { return zelmar::testing::CaseTestName(info.param); });

}  // namespace
}  // namespace zelmar::win32::testing
