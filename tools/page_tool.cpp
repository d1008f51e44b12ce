// Writes the page from the window's description, at build time: every
// control of the control table as an element at its place and size in CSS
// pixels (the design's pixels at 96 dpi), in its font, in the tab order.
// The page shows at once, before its WebAssembly arrives, with the diagram
// for ordinary screens inside it and the one for dense screens beside it.
//
//   zelmar-webpage OUT.html TEMPLATE.html DIAGRAM.png PAGE.js VERSION SHOWN-VERSION COMMENTS
//
// TEMPLATE.html is the static page; the controls, their places, the page's
// own script (inline: it must hold from the first paint), the version record
// and the window's sizes go in at its @NAME@ markers. Its security policy
// names the inline script and style by their digests, which are worked out
// last, from the page as written.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sha256.hpp"
#include "zelmar/window/control_table.hpp"
#include "zelmar/window/failure_text.hpp"
#include "zelmar/window/placement.hpp"
#include "zelmar/window/speech.hpp"

namespace {

using zelmar::window::ControlKind;
using zelmar::window::ControlSpec;
using zelmar::window::kControls;

// A CSS pixel is a pixel of the design.
constexpr double kCssDpi = zelmar::window::kDesignDpi;

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// A length of the design, in units that are CSS pixels on a desktop and
// scale with the screen's width on a phone.
std::string U(double pixels) {
  std::ostringstream out;
  out << "calc(" << pixels << " * var(--u))";
  return out.str();
}

std::string FontCss(const zelmar::window::FontSpec& font) {
  return "font-size:" + U(zelmar::window::FontPixels(font, kCssDpi)) +
         ";font-weight:" + (font.bold ? "700" : "400");
}

std::string RectCss(const zelmar::window::PixelRect& rect) {
  return "left:" + U(rect.left) + ";top:" + U(rect.top) + ";width:" + U(rect.width) +
         ";height:" + U(rect.height);
}

// The control's place and font, as a rule of the page's style sheet (the
// policy allows no style attribute).
std::string PlaceCss(const ControlSpec& control) {
  const zelmar::window::Placement place = zelmar::window::Place(control, kCssDpi);
  std::string css = "#" + std::string(control.name) + "{" + RectCss(place.painted);
  if (control.kind == ControlKind::Picture) return css + "}\n";
  if (place.painted.width != place.design.width) {
    // Wraps in its designed width; the run-on room is only for a word that
    // does not fit.
    css += ";padding-right:" + U(place.painted.width - place.design.width) + ";box-sizing:border-box";
  }
  return css + ";" + FontCss(control.font.value_or(zelmar::window::kWindowFont)) + "}\n";
}

std::string ControlsCss() {
  std::string css;
  for (const std::size_t index : zelmar::window::kStackingOrder) css += PlaceCss(kControls[index]);
  return css;
}

// The button's caption with its access key underlined.
std::string ButtonCaption(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      out += "<u>" + Escaped(text.substr(i + 1, 1)) + "</u>";
      ++i;
    } else {
      out += Escaped(text.substr(i, 1));
    }
  }
  return out;
}

// Marks what a click leaves alone; the page's script keeps the focus there.
std::string_view ClickAttribute(const ControlSpec& control) {
  return zelmar::window::OnClick(control.kind) == zelmar::window::ClickEffect::Nothing
             ? R"( data-click="none")"
             : "";
}

// Where browsers differ from a window's boxes, the way the description
// chooses, for the page's script to follow: the keyboard's focus selects a
// box's text, and a paste is taken up to the first of these line breaks.
std::string BoxRules() {
  std::string breaks;
  for (const char c : zelmar::window::kLineBreaks) breaks += "&#" + std::to_string(c) + ";";
  return std::string(zelmar::window::kKeyboardFocusSelectsText ? R"( data-keyboard-focus="select")" : "") +
         R"( data-line-breaks=")" + breaks + '"';
}

// The typeface, then the families drawn to its metrics, then the nearest
// any system has.
std::string FontFamilies() {
  std::string css;
  for (const std::string_view family : zelmar::window::kFontFamilies) {
    css +=
        (family.find(' ') == std::string_view::npos ? std::string(family) : '"' + std::string(family) + '"') +
        ",";
  }
  return css + "Helvetica,sans-serif";
}

// A title keeps its two blanks before "1.0": browsers fold a run of
// blanks in a title into one, but not a no-break space.
std::string KeptBlanks(std::string text) {
  for (std::size_t at = text.find("  "); at != std::string::npos; at = text.find("  ", at + 7)) {
    text.replace(at, 1, "&nbsp;");
  }
  return text;
}

std::string Base64(std::string_view bytes) {
  constexpr std::string_view kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = (group << 8U) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0U);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= n ? kDigits[(group >> (18 - 6 * k)) & 0x3FU] : '=';
    }
  }
  return out;
}

// The controls of the table as elements, at their places in their fonts.
std::string Controls(std::string_view diagram_png) {
  std::ostringstream html;
  // In the order of the stacking: the controls that take the focus first,
  // in the tab order, which the document's order gives Tab.
  for (const std::size_t index : zelmar::window::kStackingOrder) {
    const ControlSpec& control = kControls[index];
    switch (control.kind) {
      case ControlKind::PushButton:
        html << R"(<button id=")" << control.name << R"(" type="submit" autofocus aria-keyshortcuts="Alt+)"
             << static_cast<char>(zelmar::window::AccessKey(control.text) - 'a' + 'A') << "\">"
             << ButtonCaption(control.text) << "</button>\n";
        break;
      case ControlKind::EntryBox:
        html << "<input id=\"" << control.name << "\" data-entry=\"" << static_cast<int>(*control.entry)
             << "\" value=\"" << Escaped(control.text)
             << R"(" inputmode="decimal" spellcheck="false" autocapitalize="off" enterkeyhint="go">)" << '\n';
        break;
      case ControlKind::CaptionLabel:
        if (control.entry) {
          html << "<label id=\"" << control.name << "\" for=\""
               << zelmar::window::EntryBox(*control.entry).name << "\"" << ClickAttribute(control) << ">"
               << Escaped(control.text) << "</label>\n";
        } else {
          html << "<span id=\"" << control.name << "\"" << (control.centred ? " class=\"centred\"" : "")
               << ClickAttribute(control) << ">" << Escaped(control.text) << "</span>\n";
        }
        break;
      case ControlKind::ResultLabel:
        // Read by itself: its name, and once written its figure and unit.
        html << R"(<output id=")" << control.name << R"(" aria-live="off" aria-label=")"
             << Escaped(zelmar::window::ResultSpeech(*control.result, {})) << '"' << ClickAttribute(control)
             << "></output>\n";
        break;
      case ControlKind::Picture: {
        const zelmar::window::PixelRect place = zelmar::window::Place(control, kCssDpi).painted;
        html << "<img id=\"" << control.name << R"(" src="data:image/png;base64,)" << Base64(diagram_png)
             << R"(" srcset="diagram@2x.png 2x" width=")" << place.width << "\" height=\"" << place.height
             << "\" alt=\"" << Escaped(zelmar::window::kPictureDescription) << '"' << ClickAttribute(control)
             << ">\n";
        break;
      }
    }
  }
  return html.str();
}

// The template with each @NAME@ replaced by its text. A marker the template
// lacks or does not know is a fault of the template: no page is written.
std::optional<std::string> Filled(std::string_view page,
                                  const std::vector<std::pair<std::string_view, std::string>>& texts) {
  std::string out;
  std::vector<bool> used(texts.size(), false);
  for (std::size_t at = 0; at < page.size();) {
    const std::size_t open = page.find('@', at);
    const std::size_t close = open == std::string_view::npos ? open : page.find('@', open + 1);
    const std::string_view name =
        close == std::string_view::npos ? std::string_view{} : page.substr(open + 1, close - open - 1);
    const bool marker =
        !name.empty() && std::ranges::all_of(name, [](char c) { return (c >= 'A' && c <= 'Z') || c == '_'; });
    if (!marker) {
      const std::size_t end = open == std::string_view::npos ? page.size() : open + 1;
      out.append(page.substr(at, end - at));
      at = end;
      continue;
    }
    const auto known = std::ranges::find(texts, name, &std::pair<std::string_view, std::string>::first);
    if (known == texts.end()) {
      std::cerr << "zelmar-webpage: the template names @" << name << "@, which is not known\n";
      return std::nullopt;
    }
    used[static_cast<std::size_t>(known - texts.begin())] = true;
    out.append(page.substr(at, open - at)).append(known->second);
    at = close + 1;
  }
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!used[i]) {
      std::cerr << "zelmar-webpage: the template lacks @" << texts[i].first << "@\n";
      return std::nullopt;
    }
  }
  return out;
}

// The digests the policy names the page's inline elements of one kind by
// ("'sha256-…'" each): the script or style between each OPEN and CLOSE.
std::string Digests(std::string_view page, std::string_view open, std::string_view close) {
  std::string out;
  for (std::size_t at = page.find(open); at != std::string_view::npos; at = page.find(open, at)) {
    const std::size_t begin = at + open.size();
    const std::size_t end = page.find(close, begin);
    if (end == std::string_view::npos) break;
    const std::array<std::uint8_t, 32> digest = zelmar::tools::Sha256(page.substr(begin, end - begin));
    out += (out.empty() ? "'sha256-" : " 'sha256-") + Base64(std::string(digest.begin(), digest.end())) + "'";
    at = end + close.size();
  }
  return out;
}

// The page with its one MARKER replaced by TEXT.
std::string WithText(std::string page, std::string_view marker, std::string_view text) {
  const std::size_t at = page.find(marker);
  if (at != std::string::npos) page.replace(at, marker.size(), text);
  return page;
}

std::string ReadFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) bytes.clear();
  return bytes;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 8) {
    (void)std::fputs(
        "usage: zelmar-webpage OUT.html TEMPLATE.html DIAGRAM.png PAGE.js VERSION SHOWN-VERSION COMMENTS\n",
        stderr);
    return 2;
  }
  const std::string page = ReadFile(argv[2]);
  const std::string diagram_png = ReadFile(argv[3]);
  const std::string script = ReadFile(argv[4]);
  for (const auto& [name, bytes] :
       {std::pair{argv[2], &page}, std::pair{argv[3], &diagram_png}, std::pair{argv[4], &script}}) {
    if (bytes->empty()) {
      std::cerr << "zelmar-webpage: cannot read " << name << '\n';
      return 1;
    }
  }
  const zelmar::window::PixelRect client = zelmar::window::ClientArea(kCssDpi);
  const std::string title = Escaped(zelmar::window::kWindow.title);
  const std::optional<std::string> html =
      Filled(page, {
                       {"APPLICATION", Escaped(zelmar::window::kMessageTitle)},
                       {"VERSION", Escaped(argv[5])},
                       {"SHOWN_VERSION", Escaped(argv[6])},
                       {"COMMENTS", Escaped(argv[7])},
                       {"TITLE", title},
                       {"TITLE_KEPT", KeptBlanks(title)},
                       // Below twice the design's width the window fills a phone's.
                       {"PHONE_WIDTH", std::to_string(client.width * 2 - 1)},
                       {"CLIENT_WIDTH", std::to_string(client.width)},
                       {"WINDOW_SIZE_CSS", "width:" + U(client.width) + ";height:" + U(client.height)},
                       // Also the visually hidden texts': in a font the window draws
                       // with anyway, they cost the first paint no font of their own.
                       {"WINDOW_FONT_CSS", FontCss(zelmar::window::kWindowFont)},
                       {"CONTROLS", Controls(diagram_png)},
                       {"BOX_RULES", BoxRules()},
                       {"FONT_FAMILIES", FontFamilies()},
                       {"CONTROLS_CSS", ControlsCss()},
                       {"SCRIPT", script},
                       // Last, from the page as written.
                       {"SCRIPT_DIGESTS", "@SCRIPT_DIGESTS@"},
                       {"STYLE_DIGESTS", "@STYLE_DIGESTS@"},
                   });
  if (!html) return 1;
  const std::string secured =
      WithText(WithText(*html, "@SCRIPT_DIGESTS@", Digests(*html, "<script>", "</script>")),
               "@STYLE_DIGESTS@", Digests(*html, "<style>", "</style>"));
  std::ofstream out(argv[1], std::ios::binary);
  out << secured;
  return out.good() ? 0 : 1;
}
