// The window's behaviour cases (tests/cases/window.cases), read and carried
// out on the page as the desktop suites carry them out on their windows.
import assert from "node:assert/strict";
import {readFileSync} from "node:fs";

// Written by zelmar-cases with the desktop suites' own reading of the table:
// each step's words, the message each failure kind shows by the core's
// names, the window's typeface, its button's name, and each control's click
// point, designed width and whether it may run on, from the description.
const table = JSON.parse(readFileSync(process.env.ZELMAR_CASES, "utf8"));
export const windowCases = () => table.cases;
export const failureMessages = table.messages;
// The client area's designed size, from the description.
export const designed = table.client;

export async function runCase(windowCase, driver) {
  await driver.takeMessages();
  let announcedAtStart = (await driver.announcements()).length;
  // Every control's place before the last resize.
  let places = null;
  const takePlaces = async () => {
    places = {};
    for (const name of Object.keys(table.controls)) places[name] = await driver.place(name);
  };
  for (const {line, words: [verb, a, b, c]} of windowCase.steps) {
    const at = `window.cases line ${line}`;
    if (verb === "type") await driver.type(a, b);
    else if (verb === "keys") await driver.keys(a);
    else if (verb === "paste") await driver.paste(a, b);
    else if (verb === "caret") await driver.caret(a, Number(b));
    else if (verb === "paste-here") await driver.pasteHere(a);
    else if (verb === "drop") await driver.drop(a, b);
    else if (verb === "resize") {
      await takePlaces();
      await driver.resize(...a.split(",").map(Number));
    } else if (verb === "maximise") {
      await takePlaces();
      await driver.maximise();
    } else if (verb === "expect" && a === "title") assert.equal(await driver.title(), b, at);
    else if (verb === "expect" && a === "client") assert.deepEqual(await driver.clientSize(), b.split(",").map(Number), at);
    else if (verb === "expect" && a === "unmoved") {
      assert.ok(places, `${at}: no resize before`);
      for (const [name, before] of Object.entries(places)) assert.deepEqual(await driver.place(name), before, `${at}: ${name}`);
    } else if (verb === "key") await driver.key(a);
    else if (verb === "open") {
      await driver.reopen(a);
      announcedAtStart = 0;
    } else if (verb === "focus") await driver.focus(a);
    else if (verb === "click") {
      const point = /^(\d+),(\d+)$/.exec(a);
      await driver.click(...(point ? [Number(point[1]), Number(point[2])] : table.controls[a].click));
    } else if (verb === "expect" && (a === "box" || a === "caption")) assert.equal(await driver.text(b), c, at);
    else if (verb === "expect" && a === "focus") assert.equal(await driver.focusName(), b, at);
    else if (verb === "expect" && a === "failures") {
      const kinds = b.split(" ").filter((k) => k && k !== "none");
      assert.deepEqual(await driver.takeMessages(), kinds.map((kind) => failureMessages[kind] ?? kind), at);
    } else if (verb === "expect" && a === "announced") {
      const made = await driver.announcements();
      if (b === "none") assert.equal(made.length, announcedAtStart, at);
      else assert.equal(made.at(-1)?.text, b, at);
    } else if (verb === "expect" && a === "announcements") {
      assert.equal((await driver.announcements()).length - announcedAtStart, Number(b), at);
    } else if (verb === "expect" && a === "tip") {
      assert.equal(await driver.tip(b), c, at);
    } else if (verb === "expect" && a === "spoken") assert.equal(await driver.spoken(b, c), c, at);
    else if (verb === "expect" && a === "place") {
      const [left, top, width, height] = c.split(",").map(Number);
      const place = await driver.place(b);
      assert.deepEqual([place.left, place.top, place.height], [left, top, height], `${at}: ${b}`);
      if (table.controls[b].runsOn) assert.ok(place.width >= width, `${at}: ${b}`);
      else assert.equal(place.width, width, `${at}: ${b}`);
    } else if (verb === "expect" && a === "centred") {
      const lines = await driver.ink(b);
      const {width} = table.controls[b];
      assert.equal(lines.length, Number(c), at);
      for (const {left, right} of lines) {
        assert.ok(Math.abs(left + right - width) <= 6 && left >= 0 && right <= width, `${at}: ${left}..${right} of ${width}`);
      }
    } else if (verb === "expect" && a === "font") {
      const [pixels, weight] = c.split(" ");
      const {family, ...seen} = await driver.font(b);
      assert.ok(table.typefaces.includes(family), `${at}: ${b} shows in ${family}`);
      assert.deepEqual(seen, {pixels: Number(pixels), bold: weight === "bold", plain: true}, `${at}: ${b}`);
    } else assert.fail(`${at}: cannot read "${verb} ${a}"`);
  }
  assert.deepEqual(await driver.takeMessages(), [], "messages shown and never checked");
  // Results are announced once the focus is back on the button, so that a
  // screen reader speaks them where the user is.
  for (const {text, focus} of await driver.announcements()) {
    assert.equal(focus, table.button, `announced with the focus elsewhere: ${text}`);
  }
}

// A click into the box, then Ctrl+A: its whole text selected, as a user
// selects it in either engine.
export async function selectAll(page, box) {
  await page.click(`#${box}`);
  await page.keyboard.down("Control");
  await page.keyboard.press("KeyA");
  await page.keyboard.up("Control");
}

// The page in Chromium or Firefox, worked with puppeteer's real keys and pointer.
// Firefox is driven over WebDriver BiDi, whose "Enter" is the keypad's: the
// two are named by their WebDriver codes there.
export function pageDriver(page, {firefox = false} = {}) {
  const settle = async () => {
    // A failure's message is read and closed with Escape, as a user would.
    if (await page.$("#failure[open]")) {
      await page.keyboard.press("Escape");
      await page.waitForSelector("#failure:not([open])");
    }
  };
  const formOrigin = () => page.$eval("#Zelmar", (f) => {
    const r = f.getBoundingClientRect();
    return {x: r.x, y: r.y};
  });
  // Alt held down while C is pressed, as the keyboard sends it.
  const altC = async () => {
    await page.keyboard.down("Alt");
    await page.keyboard.press("KeyC");
    await page.keyboard.up("Alt");
  };
  const select = (box) => selectAll(page, box);
  const driver = {
    async type(box, text) {
      await select(box);
      await page.keyboard.type(text);
      await settle();
    },
    async keys(text) {
      await page.keyboard.type(text);
      await settle();
    },
    async paste(box, text) {
      await select(box);
      await driver.pasteHere(text);
    },
    async caret(box, count) {
      await page.focus(`#${box}`);
      await page.keyboard.press("Home");
      for (let n = 0; n < count; ++n) await page.keyboard.press("ArrowRight");
    },
    // On the browser's clipboard, then Ctrl+V, as a user pastes.
    async pasteHere(text) {
      await page.evaluate((copied) => navigator.clipboard.writeText(copied), text);
      await page.keyboard.down("Control");
      await page.keyboard.press("KeyV");
      await page.keyboard.up("Control");
      await settle();
    },
    // Headless, no drag comes from another program: the box gets the drop
    // event such a drag brings, with the text it carries.
    async drop(box, text) {
      await page.$eval(`#${box}`, (target, dragged) => {
        const data = new DataTransfer();
        data.setData("text/plain", dragged);
        const at = target.getBoundingClientRect();
        target.dispatchEvent(new DragEvent("drop", {dataTransfer: data, bubbles: true, cancelable: true,
          clientX: at.x + at.width / 2, clientY: at.y + at.height / 2}));
      }, text);
      await settle();
    },
    async key(key) {
      if (key === "Alt+C") await altC();
      else if (key === "Ctrl+Z" || key === "Redo") {
        await page.keyboard.down("Control");
        if (key === "Redo") await page.keyboard.down("Shift");
        await page.keyboard.press("KeyZ");
        if (key === "Redo") await page.keyboard.up("Shift");
        await page.keyboard.up("Control");
      } else if (key === "Shift+Tab") {
        await page.keyboard.down("Shift");
        await page.keyboard.press("Tab");
        await page.keyboard.up("Shift");
      } else await page.keyboard.press({Enter: firefox ? "\uE006" : "Enter", KeypadEnter: firefox ? "\uE007" : "NumpadEnter", Space: " ",
        Tab: "Tab", Backspace: "Backspace"}[key]);
      await settle();
    },
    focus: (control) => page.focus(`#${control}`),
    async click(x, y) {
      const origin = await formOrigin();
      await page.mouse.click(origin.x + x, origin.y + y);
      await settle();
    },
    // The browser's viewport is the window the page is shown in; the form,
    // the window's client area, keeps its place in it.
    resize: (width, height) => page.setViewport({width, height}),
    maximise: () => page.setViewport({width: 1920, height: 1080}),
    // The title keeps its two blanks as a no-break space and a blank.
    title: async () => (await page.title()).replace(/\u00a0/g, " "),
    clientSize: () => page.$eval("#Zelmar", (f) => [Math.round(f.getBoundingClientRect().width),
      Math.round(f.getBoundingClientRect().height)]),
    text: (id) => page.$eval(`#${id}`, (e) => (e.tagName === "INPUT" ? e.value : e.textContent)),
    focusName: () => page.evaluate(() => document.activeElement?.id ?? ""),
    takeMessages: () => page.evaluate(() => window.shownMessages.splice(0)),
    announcements: () => page.evaluate(() => window.announcements.slice()),
    // The window opened anew, in a browser set to Italian for the comma.
    async reopen(separator) {
      const languages = separator === "comma" ? "?languages=it-IT,it,en" : "";
      await page.goto(`${new URL(page.url()).origin}/${languages}`, {waitUntil: "load"});
      await page.waitForFunction(() => typeof Module !== "undefined" && Module.calledRun);
    },
    // A result's title is its tip, on a figure its label cuts with an ellipsis.
    tip: (id) => page.$eval(`#${id}`, (e) => {
      const cut = e.scrollWidth > e.clientWidth && getComputedStyle(e).textOverflow === "ellipsis";
      return !e.title || cut ? e.title : `(a tip on a figure shown whole: ${e.title})`;
    }),
    // Asked of the browser's accessibility tree as both engines answer it:
    // which elements bear this name. The text if the control is one of them.
    async spoken(id, name) {
      for (const element of await page.$$(`aria/${name}`)) {
        if (await element.evaluate((e) => e.id) === id) return name;
      }
      return page.$eval(`#${id}`, (e) => `(not so named; labelled "${e.getAttribute("aria-label") ?? e.labels?.[0]?.textContent}")`);
    },
    async place(id) {
      return page.$eval(`#${id}`, (e) => {
        const form = e.parentElement.getBoundingClientRect();
        const r = e.getBoundingClientRect();
        return {left: Math.round(r.x - form.x), top: Math.round(r.y - form.y), width: Math.round(r.width),
          height: Math.round(r.height)};
      });
    },
    font: (id) => page.$eval(`#${id}`, (e) => {
      const style = getComputedStyle(e);
      return {family: style.fontFamily.split(",")[0].replace(/"/g, "").trim(),
        pixels: Math.round(parseFloat(style.fontSize)), bold: Number(style.fontWeight) >= 700,
        plain: style.fontStyle === "normal" && style.textDecorationLine === "none"};
    }),
    async ink(id) {
      return page.$eval(`#${id}`, (e) => {
        const box = e.getBoundingClientRect();
        const range = document.createRange();
        range.selectNodeContents(e);
        const lines = [];
        for (const r of range.getClientRects()) {
          const last = lines.at(-1);
          if (last && Math.abs(last.top - r.top) < 1) {
            last.left = Math.min(last.left, r.left - box.x);
            last.right = Math.max(last.right, r.right - box.x);
          } else lines.push({top: r.top, left: r.left - box.x, right: r.right - box.x});
        }
        return lines;
      });
    },
  };
  return driver;
}
