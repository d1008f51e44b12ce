// The page's own behaviour, inlined into the page so that it holds from the
// first paint, before the WebAssembly with the rules arrives:
// - the form never submits, so the page never navigates; a press of the
//   button made before the rules arrive is carried out once they are here,
//   and so is every change typed meanwhile, without moving the focus;
// - the access key presses the button as Alt+letter in every browser;
// - a click on a label, a result, the picture or the window's background
//   leaves the focus where it was;
// - Tab wraps as in a window, and the keyboard's focus selects a box's text,
//   so that what is typed next replaces it;
// - a box takes a pasted or dropped text up to its first line break;
// - the failure message closes with Enter, Space, Escape or a tap and gives
//   the focus back; the page works offline.
(() => {
  const form = document.getElementById("Zelmar");
  const button = form.querySelector("button[aria-keyshortcuts]");
  let rules = null;  // the WebAssembly's entry points, once they are here
  let pressed = false;  // a press made before then
  const typed = new Set();  // the entries changed before then

  const press = () => {
    if (rules) rules.calculate();
    else pressed = true;
  };
  form.addEventListener("submit", (event) => event.preventDefault());
  // Enter in a box, Space on the button and a click all click the button.
  button.addEventListener("click", (event) => {
    event.preventDefault();
    press();
  });
  form.addEventListener("input", (event) => {
    const entry = Number(event.target.dataset.entry);
    if (Number.isNaN(entry)) return;
    if (rules) rules.entryChanged(entry);
    else typed.add(entry);
  });

  // "Alt+C": the letter by its key, whatever the layout makes Alt type with it.
  const accessCode = "Key" + button.getAttribute("aria-keyshortcuts").slice(-1).toUpperCase();
  document.addEventListener("keydown", (event) => {
    if (!event.altKey || event.ctrlKey || event.metaKey || event.code !== accessCode) return;
    event.preventDefault();
    if (!event.repeat) button.click();
  });

  // What takes no focus in the window takes none here.
  const inert = (target) => target === form || target.closest("[data-click=none]") !== null;
  form.addEventListener("mousedown", (event) => {
    if (inert(event.target)) event.preventDefault();
  });
  form.addEventListener("click", (event) => {
    if (event.target.closest("label[data-click=none]")) event.preventDefault();
  });

  // Where browsers and windows differ, the window's description says which
  // way the boxes go; the page's writer puts its word on the form.
  const design = form.dataset;
  const focusByKey = (control) => {
    control.focus();
    if (design.keyboardFocus === "select" && control.tagName === "INPUT") control.select();
  };
  form.addEventListener("keydown", (event) => {
    if (event.key !== "Tab") return;
    const order = Array.from(form.querySelectorAll("input, button"));
    const first = order[0];
    const last = order[order.length - 1];
    if (!event.shiftKey && document.activeElement === last) {
      event.preventDefault();
      focusByKey(first);
    } else if (event.shiftKey && document.activeElement === first) {
      event.preventDefault();
      focusByKey(last);
    }
  });

  // Browsers turn a pasted line break into a blank; a box takes the text up
  // to the first one instead (the page's writer names the characters), as a
  // window's box does, through the editing command, so that undo and the
  // input event follow.
  const lineBreaks = design.lineBreaks ?? "";
  const firstLine = (event, data) => {
    const box = event.target;
    if (lineBreaks === "" || box.tagName !== "INPUT" || !data) return;
    const text = data.getData("text/plain");
    let end = 0;
    while (end < text.length && !lineBreaks.includes(text[end])) ++end;
    if (end === text.length) return;
    event.preventDefault();
    box.focus();
    const line = text.slice(0, end);
    if (line !== "") document.execCommand("insertText", false, line);
    else if (box.selectionStart !== box.selectionEnd) document.execCommand("delete");
  };
  form.addEventListener("paste", (event) => firstLine(event, event.clipboardData));
  form.addEventListener("drop", (event) => firstLine(event, event.dataTransfer));

  // The failure message: the focus it found is taken before showModal()
  // moves it to OK, and given back on closing, in every browser.
  const dialog = document.getElementById("failure");
  let focusBefore = null;
  window.zelmarShowFailure = (text) => {
    document.getElementById("failure-text").textContent = text;
    if (dialog.open) return;
    focusBefore = document.activeElement;
    dialog.showModal();
  };
  dialog.addEventListener("close", () => {
    if (focusBefore && focusBefore.focus) focusBefore.focus({preventScroll: true});
    focusBefore = null;
  });
  // A tap outside the message closes it too.
  dialog.addEventListener("click", (event) => {
    if (event.target === dialog) dialog.close();
  });

  // Called by the rules as they start.
  window.zelmarRulesArrived = (entryPoints) => {
    rules = entryPoints;
    performance.mark("zelmar-rules-arrived");
    // The changes typed meanwhile are handled now; their handling moves the
    // focus into each box, but the user may be typing elsewhere by now.
    const active = document.activeElement;
    for (const entry of typed) rules.entryChanged(entry);
    typed.clear();
    if (!dialog.open && active && active.focus) active.focus({preventScroll: true});
    // The window would have shown a failing change before the press came:
    // its message is shown, and the press is not carried out over it.
    const press = pressed && !dialog.open;
    pressed = false;
    if (press) rules.calculate();
    // The offline copy next, in a task of its own.
    setTimeout(() => {
      if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js").catch(() => {});
    });
  };

  // The decimal separator of the browser's first language, which the rules
  // ask for as they start. Working it out loads the browser's number formats
  // (tens of milliseconds the first time), so it is done while the rules
  // download.
  let separator = null;
  window.zelmarDecimalSeparator = () => {
    if (separator !== null) return separator;
    const language = (navigator.languages && navigator.languages[0]) || navigator.language || "en";
    separator = ".";
    try {
      const part = new Intl.NumberFormat(language).formatToParts(1.5).find((p) => p.type === "decimal");
      if (part) separator = part.value;
    } catch (e) {}
    return separator;
  };

  // The rules are fetched once the window has painted, so as not to hold back
  // the first paint (fetched with the page, they held it back by a fifth),
  // their script and their WebAssembly side by side; the offline copy is made
  // once they are here, so as not to hold them back either.
  requestAnimationFrame(() => setTimeout(() => {
    const module = document.createElement("link");
    module.rel = "preload";
    module.as = "fetch";
    module.crossOrigin = "anonymous";  // as the script's own fetch asks for it
    module.href = "zelmar.wasm";
    document.head.append(module);
    const script = document.createElement("script");
    script.src = "zelmar.js";
    document.body.append(script);
    window.zelmarDecimalSeparator();
  }));
})();
