// Writes the page from the window's description, at build time: every
// control of the control table as an element at its place and size in CSS
// pixels (the design's pixels at 96 dpi), in its font, in the tab order.
// The page shows at once, before its WebAssembly arrives, with the diagram
// for ordinary screens inside it and the one for dense screens beside it.
//
//   zelmar-webpage OUT.html DIAGRAM.png PAGE.js VERSION SHOWN-VERSION COMMENTS
//
// PAGE.js, the page's own script, goes inline: it must hold from the first
// paint. The version record goes into the page's metadata.
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
#include <utility>

#include "zelmar/window/control_table.hpp"
#include "zelmar/window/failure_text.hpp"
#include "zelmar/window/placement.hpp"
#include "zelmar/window/speech.hpp"

namespace {

using zelmar::window::ControlKind;
using zelmar::window::ControlSpec;
using zelmar::window::kControls;

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

std::string FontCss(const zelmar::window::FontSpec& font) {
  return "font-size:" + U(font.points * kCssDpi / 72.0) + ";font-weight:" + (font.bold ? "700" : "400");
}

std::string PlaceCss(const ControlSpec& control) {
  const zelmar::window::Placement place = zelmar::window::Place(control, kCssDpi);
  const zelmar::window::PixelRect& painted = place.painted;
  std::string css = "left:" + U(painted.left) + ";top:" + U(painted.top) + ";width:" + U(painted.width) +
                    ";height:" + U(painted.height) + ";";
  if (painted.width != place.design.width) {
    // Wraps in its designed width; the run-on room is only for a word that
    // does not fit.
    css += "padding-right:" + U(painted.width - place.design.width) + ";box-sizing:border-box;";
  }
  css += FontCss(control.font.value_or(zelmar::window::kWindowFont)) + ";";
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

struct VersionRecord {
  std::string_view version;  // 1.0.0.2
  std::string_view shown;    // 1.00.0002
  std::string_view comments;
};

std::string Page(std::string_view diagram_png, std::string_view script, const VersionRecord& record) {
  const zelmar::window::PixelRect client = zelmar::window::ClientArea(kCssDpi);
  std::ostringstream html;
  html << R"(<!doctype html>
<html lang="it">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="description" content="Calcolo di impedenza e livello di un gruppo di altoparlanti in serie-parallelo">
<meta name="color-scheme" content="light">
<meta name="theme-color" content="#f0f0f0">
<meta name="application-name" content=")"
       << Escaped(zelmar::window::kMessageTitle) << R"(">
<meta name="version" content=")"
       << Escaped(record.version) << R"(">
<meta name="file-version" content=")"
       << Escaped(record.shown) << R"(">
<meta name="product-version" content=")"
       << Escaped(record.shown) << R"(">
<meta name="internal-name" content=")"
       << Escaped(zelmar::window::kMessageTitle) << R"(">
<meta name="comments" content=")"
       << Escaped(record.comments) << R"(">
<title>)"
       << KeptBlanks(Escaped(zelmar::window::kWindow.title)) << R"(</title>
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
       << FontCss(zelmar::window::kWindowFont) << R"(}
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
       << Escaped(zelmar::window::kWindow.title) << R"(</h1>
<form id="Zelmar" novalidate autocomplete="off" aria-label=")"
       << Escaped(zelmar::window::kWindow.title) << R"(">
)";
  // In the order of the stacking: the controls that take the focus first,
  // in the tab order, which the document's order gives Tab.
  for (const std::size_t index : zelmar::window::kStackingOrder) {
    const ControlSpec& control = kControls[index];
    const std::string style = PlaceCss(control);
    switch (control.kind) {
      case ControlKind::PushButton:
        html << R"(<button id=")" << control.name << R"(" type="submit" autofocus aria-keyshortcuts="Alt+)"
             << static_cast<char>(zelmar::window::AccessKey(control.text) - 'a' + 'A') << "\" style=\""
             << style << "\">" << ButtonCaption(control.text) << "</button>\n";
        break;
      case ControlKind::EntryBox:
        html << "<input id=\"" << control.name << "\" data-entry=\"" << static_cast<int>(*control.entry)
             << "\" value=\"" << Escaped(control.text)
             << "\" inputmode=\"decimal\" spellcheck=\"false\" autocapitalize=\"off\" enterkeyhint=\"go\" "
                "style=\""
             << style << "\">\n";
        break;
      case ControlKind::CaptionLabel:
        if (control.entry) {
          html << "<label id=\"" << control.name << "\" for=\""
               << zelmar::window::EntryBox(*control.entry).name << "\"" << ClickAttribute(control)
               << " style=\"" << style << "\">" << Escaped(control.text) << "</label>\n";
        } else {
          html << "<span id=\"" << control.name << "\"" << (control.centred ? " class=\"centred\"" : "")
               << ClickAttribute(control) << " style=\"" << style << "\">" << Escaped(control.text)
               << "</span>\n";
        }
        break;
      case ControlKind::ResultLabel:
        // Read by itself: its name, and once written its figure and unit.
        html << R"(<output id=")" << control.name << R"(" aria-live="off" aria-label=")"
             << Escaped(zelmar::window::ResultSpeech(*control.result, {})) << '"' << ClickAttribute(control)
             << " style=\"" << style << "\"></output>\n";
        break;
      case ControlKind::Picture: {
        const zelmar::window::PixelRect place = zelmar::window::Place(control, kCssDpi).painted;
        html << "<img id=\"" << control.name << R"(" src="data:image/png;base64,)" << Base64(diagram_png)
             << R"(" srcset="diagram@2x.png 2x" width=")" << place.width << "\" height=\"" << place.height
             << "\" alt=\"" << Escaped(zelmar::window::kPictureDescription) << '"' << ClickAttribute(control)
             << " style=\"left:" << U(place.left) << ";top:" << U(place.top) << ";width:" << U(place.width)
             << ";height:" << U(place.height) << "\">\n";
        break;
      }
    }
  }
  html << R"(</form>
<div id="announcement" class="hidden" role="status" aria-live="polite"></div>
<dialog id="failure" role="alertdialog" aria-modal="true" aria-labelledby="failure-title" aria-describedby="failure-text">
<h1 id="failure-title">)"
       << Escaped(zelmar::window::kMessageTitle) << R"(</h1>
<p id="failure-text"></p>
<form method="dialog"><button id="failure-ok" type="submit" autofocus>OK</button></form>
</dialog>
</main>
<script>
)" << script
       << R"(</script>
</body>
</html>
)";
  return html.str();
}

std::string ReadFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) bytes.clear();
  return bytes;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 7) {
    (void)std::fputs("usage: zelmar-webpage OUT.html DIAGRAM.png PAGE.js VERSION SHOWN-VERSION COMMENTS\n",
                     stderr);
    return 2;
  }
  const std::string diagram_png = ReadFile(argv[2]);
  const std::string script = ReadFile(argv[3]);
  for (const auto& [name, bytes] : {std::pair{argv[2], &diagram_png}, std::pair{argv[3], &script}}) {
    if (bytes->empty()) {
      std::cerr << "zelmar-webpage: cannot read " << name << '\n';
      return 1;
    }
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << Page(diagram_png, script, {argv[4], argv[5], argv[6]});
  return out.good() ? 0 : 1;
}
