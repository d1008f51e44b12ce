// Writes the page from the window's description, at build time: every
// control of the control table as an element at its place and size in CSS
// pixels (the design's pixels at 96 dpi), in its font, in the tab order.
// The page shows at once, before its WebAssembly arrives, with the diagram
// for ordinary screens inside it and the one for dense screens beside it.
//
//   zelmar-webpage OUT.html DIAGRAM.png
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "zelmar/ui/control_table.hpp"
#include "zelmar/ui/failure_text.hpp"

namespace {

using zelmar::ui::ControlKind;
using zelmar::ui::ControlSpec;
using zelmar::ui::kControls;

constexpr double kCssDpi = 96.0;

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

std::string FontCss(const zelmar::ui::FontSpec& font) {
  return "font-size:" + U(font.points * kCssDpi / 72.0) + ";font-weight:" + (font.bold ? "700" : "400");
}

std::string PlaceCss(const ControlSpec& control) {
  const zelmar::ui::PixelRect place = zelmar::ui::ToPixels(control.twips, kCssDpi);
  int width = place.width;
  if (control.kind == ControlKind::CaptionLabel) {
    width = std::max(width, zelmar::ui::RunOnRight(control, kCssDpi) - place.left);
  }
  std::string css = "left:" + U(place.left) + ";top:" + U(place.top) + ";width:" + U(width) +
                    ";height:" + U(place.height) + ";";
  if (control.kind == ControlKind::CaptionLabel && width != place.width) {
    // Wraps in its designed width; the run-on room is only for a word that
    // does not fit.
    css += "padding-right:" + U(width - place.width) + ";box-sizing:border-box;";
  }
  css += FontCss(control.font.value_or(zelmar::ui::kWindowFont)) + ";";
  return css;
}

const ControlSpec* Find(std::string_view name) {
  for (const ControlSpec& control : kControls) {
    if (control.name == name) return &control;
  }
  return nullptr;
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

char AccessKey(std::string_view text) {
  const std::size_t at = text.find('&');
  if (at == std::string_view::npos || at + 1 >= text.size()) return 0;
  const char key = text[at + 1];
  return key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : key;
}

// The caption that a result is read with, and its unit's label.
const ControlSpec* CaptionBeside(const ControlSpec& result, bool unit) {
  const zelmar::ui::PixelRect place = zelmar::ui::ToPixels(result.twips, kCssDpi);
  const ControlSpec* best = nullptr;
  int best_distance = 0;
  for (const ControlSpec& other : kControls) {
    if (other.kind != ControlKind::CaptionLabel || other.entry) continue;
    const zelmar::ui::PixelRect rect = zelmar::ui::ToPixels(other.twips, kCssDpi);
    const bool same_row = rect.top < place.Bottom() && place.top < rect.Bottom();
    const bool on_side = unit ? rect.left >= place.Right() - 1 : rect.Right() <= place.left + 1;
    if (!same_row || !on_side) continue;
    const int distance = unit ? rect.left - place.Right() : place.left - rect.Right();
    if (best == nullptr || distance < best_distance) {
      best = &other;
      best_distance = distance;
    }
  }
  return best;
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

std::string Page(std::string_view diagram_png) {
  const zelmar::ui::PixelRect client = zelmar::ui::ToPixels(zelmar::ui::kWindow.client, kCssDpi);
  std::ostringstream html;
  html << R"(<!doctype html>
<html lang="it">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="description" content="Calcolo di impedenza e livello di un gruppo di altoparlanti in serie-parallelo">
<meta name="color-scheme" content="light">
<meta name="theme-color" content="#f0f0f0">
<title>)"
       << KeptBlanks(Escaped(zelmar::ui::kWindow.title)) << R"(</title>
<link rel="manifest" href="manifest.webmanifest">
<link rel="icon" href="icon-48.png" sizes="48x48">
<link rel="apple-touch-icon" href="icon-192.png">
<style>
:root{--u:1px}
@media (max-width:)"
       << client.width * 2 - 1 << R"(px){:root{--u:calc(100vw / )" << client.width
       << R"()}html body{margin:0}html #Zelmar{outline:0}}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:16px;background:Canvas;font-family:Arial,"Liberation Sans",Arimo,Helvetica,sans-serif}
#Zelmar{position:relative;overflow:hidden;width:)"
       << U(client.width) << ";height:" << U(client.height)
       << R"(;background:ButtonFace;color:ButtonText;outline:1px solid ButtonBorder;)"
       << FontCss(zelmar::ui::kWindowFont) << R"(}
#Zelmar>*{position:absolute;margin:0;padding:0;box-sizing:border-box;font-family:inherit;line-height:1.15}
#Zelmar label,#Zelmar p,#Zelmar span,#Zelmar output{background:ButtonFace;white-space:normal;overflow:visible}
#Zelmar output{white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
#Zelmar input{padding:0 2px;border:2px inset ButtonBorder;background:Field;color:FieldText;z-index:1;touch-action:manipulation}
#Zelmar button{z-index:1;touch-action:manipulation}
#Zelmar img{border:2px inset ButtonBorder;background:#fff}
.centred{text-align:center}
.hidden{position:absolute;width:1px;height:1px;overflow:hidden;clip-path:inset(50%);white-space:nowrap}
dialog{font:inherit;max-width:90vw}
dialog h2{font-size:1em;margin:0 0 .5em}
dialog button{min-width:6em;min-height:2.2em}
</style>
</head>
<body>
<main>
<h1 class="hidden">)"
       << Escaped(zelmar::ui::kWindow.title) << R"(</h1>
<form id="Zelmar" novalidate autocomplete="off" aria-label=")"
       << Escaped(zelmar::ui::kWindow.title) << R"(">
)";
  // The controls that take the focus first, in the tab order: the order of
  // the document is the order of Tab.
  for (const std::string_view name : zelmar::ui::kTabOrder) {
    const ControlSpec& control = *Find(name);
    if (control.kind == ControlKind::PushButton) {
      html << R"(<button id=")" << control.name << R"(" type="submit" autofocus accesskey=")"
           << AccessKey(control.text) << "\" style=\"" << PlaceCss(control) << "\">"
           << ButtonCaption(control.text) << "</button>\n";
    } else {
      html << "<input id=\"" << control.name << "\" value=\"" << Escaped(control.text)
           << "\" inputmode=\"decimal\" spellcheck=\"false\" autocapitalize=\"off\" enterkeyhint=\"go\" "
              "style=\""
           << PlaceCss(control) << "\">\n";
    }
  }
  for (const ControlSpec& control : kControls) {
    const std::string style = PlaceCss(control);
    switch (control.kind) {
      case ControlKind::CaptionLabel:
        if (control.entry) {
          const std::string_view box = kControls[static_cast<std::size_t>(*control.entry)].name;
          html << "<label id=\"" << control.name << "\" for=\"" << box << "\" style=\"" << style << "\">"
               << Escaped(control.text) << "</label>\n";
        } else {
          html << "<span id=\"" << control.name << "\"" << (control.centred ? " class=\"centred\"" : "")
               << " style=\"" << style << "\">" << Escaped(control.text) << "</span>\n";
        }
        break;
      case ControlKind::ResultLabel: {
        // Read by itself: its caption, the figure and its unit.
        html << R"(<output id=")" << control.name << R"(" aria-live="off" aria-labelledby=")";
        if (const ControlSpec* caption = CaptionBeside(control, false)) html << caption->name << ' ';
        html << control.name;
        if (const ControlSpec* unit = CaptionBeside(control, true)) html << ' ' << unit->name;
        html << "\" style=\"" << style << "\"></output>\n";
        break;
      }
      case ControlKind::Picture: {
        const zelmar::ui::PixelRect place = zelmar::ui::ToPixels(control.twips, kCssDpi);
        html << "<img id=\"" << control.name << R"(" src="data:image/png;base64,)" << Base64(diagram_png)
             << R"(" srcset="data:image/png;base64,)" << Base64(diagram_png)
             << R"( 1x, diagram@2x.png 2x" width=")" << place.width << "\" height=\"" << place.height
             << "\" alt=\"Schema di collegamento: gruppi di altoparlanti in serie, collegati in parallelo "
                "all'ingresso\" style=\"left:"
             << U(place.left) << ";top:" << U(place.top) << ";width:" << U(place.width)
             << ";height:" << U(place.height) << "\">\n";
        break;
      }
      default:
        break;
    }
  }
  html << R"(</form>
<div id="announcement" class="hidden" role="status" aria-live="polite"></div>
<dialog id="failure" role="alertdialog" aria-modal="true" aria-labelledby="failure-title" aria-describedby="failure-text">
<h1 id="failure-title">)"
       << Escaped(zelmar::ui::kMessageTitle) << R"(</h1>
<p id="failure-text"></p>
<form method="dialog"><button id="failure-ok" type="submit" autofocus>OK</button></form>
</dialog>
</main>
<script>
// The rules arrive once the window has painted.
requestAnimationFrame(() => setTimeout(() => {
  const rules = document.createElement("script");
  rules.src = "zelmar.js";
  document.body.append(rules);
}));
</script>
</body>
</html>
)";
  return html.str();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    (void)std::fputs("usage: zelmar-webpage OUT.html DIAGRAM.png\n", stderr);
    return 2;
  }
  std::ifstream diagram(argv[2], std::ios::binary);
  const std::string diagram_png((std::istreambuf_iterator<char>(diagram)), std::istreambuf_iterator<char>());
  if (!diagram || diagram_png.empty()) {
    std::cerr << "zelmar-webpage: cannot read " << argv[2] << '\n';
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << Page(diagram_png);
  return out.good() ? 0 : 1;
}
