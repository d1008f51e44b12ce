// The page's own behaviour, beside the WebAssembly that runs the rules:
// Tab wraps as in a window, the failure message closes with Enter, Space,
// Escape or a tap and gives the focus back, and the page works offline.
(() => {
  const form = document.getElementById("Zelmar");
  const focusable = () => Array.from(form.querySelectorAll("input, button"));
  form.addEventListener("keydown", (event) => {
    if (event.key !== "Tab") return;
    const order = focusable();
    const first = order[0];
    const last = order[order.length - 1];
    if (!event.shiftKey && document.activeElement === last) {
      event.preventDefault();
      first.focus();
    } else if (event.shiftKey && document.activeElement === first) {
      event.preventDefault();
      last.focus();
    }
  });

  const dialog = document.getElementById("failure");
  let focusBefore = null;
  new MutationObserver(() => {
    if (dialog.open) focusBefore = focusBefore || document.activeElement;
  }).observe(dialog, {attributes: true, attributeFilter: ["open"]});
  dialog.addEventListener("close", () => {
    if (focusBefore && focusBefore.focus) focusBefore.focus({preventScroll: true});
    focusBefore = null;
  });
  // A tap outside the message closes it too.
  dialog.addEventListener("click", (event) => {
    if (event.target === dialog) dialog.close();
  });

  if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("sw.js").catch(() => {});
  }
})();
