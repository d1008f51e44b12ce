// The core's handlers and readings, without a window.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "fake_window.hpp"
#include "zelmar/form.hpp"
#include "zelmar/number_text.hpp"

namespace {

using namespace zelmar;

using BenchWindow = testing::FakeWindow;

// All four figures typed, then the button: the write-backs change nothing.
void BM_Calculate(benchmark::State& state) {
  BenchWindow window;
  window.Edit(Entry::Gruppi, "3");
  window.Edit(Entry::Altop, "2");
  window.Edit(Entry::ImpAp, "4.5");
  window.Edit(Entry::dBAp, "87");
  for (auto _ : state) {
    window.form.Calculate();
    benchmark::DoNotOptimize(window.captions);
  }
  if (!window.failures.empty()) state.SkipWithError("the calculation failed");
}
BENCHMARK(BM_Calculate);

// A count with a fraction: every calculation truncates it and writes it
// back, which runs the change handling inside the calculation.
void BM_CalculateWithWriteBack(benchmark::State& state) {
  BenchWindow window;
  for (auto _ : state) {
    window.box(Entry::Gruppi) = "2.7";
    window.form.EntryChanged(Entry::Gruppi);
    window.form.Calculate();
    benchmark::DoNotOptimize(window.captions);
  }
  if (!window.failures.empty()) state.SkipWithError("the calculation failed");
}
BENCHMARK(BM_CalculateWithWriteBack);

// One keystroke's change handling: "9" becomes "90" and back.
void BM_EntryChangedKeystroke(benchmark::State& state) {
  BenchWindow window;
  bool longer = false;
  for (auto _ : state) {
    window.box(Entry::dBAp) = longer ? "90" : "9";
    longer = !longer;
    window.form.EntryChanged(Entry::dBAp);
  }
  if (!window.failures.empty()) state.SkipWithError("the change handling failed");
}
BENCHMARK(BM_EntryChangedKeystroke);

void BM_LeadingNumberShort(benchmark::State& state) {
  const std::string text = "99.54";
  for (auto _ : state) benchmark::DoNotOptimize(LeadingNumber(text));
}
BENCHMARK(BM_LeadingNumberShort);

void BM_ParseNumberShort(benchmark::State& state) {
  const std::string text = "99,54";
  for (auto _ : state) benchmark::DoNotOptimize(ParseNumber(text, DecimalSeparator::Comma()));
}
BENCHMARK(BM_ParseNumberShort);

void BM_FormatNumber(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(FormatNumber(99.5424250943932, DecimalSeparator::Comma()));
}
BENCHMARK(BM_FormatNumber);

// A pasted text of the given size: a number of that many digits.
std::string PastedNumber(std::size_t size) { return "0." + std::string(size - 3, '0') + "7"; }

void BM_LeadingNumberPasted(benchmark::State& state) {
  const std::string text = PastedNumber(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LeadingNumber(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LeadingNumberPasted)->RangeMultiplier(4)->Range(1 << 12, 1 << 20)->Complexity(benchmark::oN);

void BM_ParseNumberPasted(benchmark::State& state) {
  const std::string text = PastedNumber(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ParseNumber(text, DecimalSeparator::Point()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseNumberPasted)->RangeMultiplier(4)->Range(1 << 12, 1 << 20)->Complexity(benchmark::oN);

// A megabyte pasted into a box: its change handling and the next calculation.
void BM_PastedMegabyteHandled(benchmark::State& state) {
  BenchWindow window;
  const std::string pasted = PastedNumber(1 << 20);
  for (auto _ : state) {
    window.box(Entry::ImpAp) = pasted;
    window.form.EntryChanged(Entry::ImpAp);
    window.form.Calculate();
    benchmark::DoNotOptimize(window.captions);
  }
}
BENCHMARK(BM_PastedMegabyteHandled)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
