// The page in headless Chromium, driven as a person would: keystrokes,
// Enter, the access key, Space, clicks and taps, on a desktop and on a
// phone-sized screen; its accessibility audited; opened again offline.
import assert from "node:assert/strict";
import {readFile, mkdtemp, rm} from "node:fs/promises";
import http from "node:http";
import {createRequire} from "node:module";
import {tmpdir} from "node:os";
import path from "node:path";
import {after, before, describe, test} from "node:test";
import puppeteer from "puppeteer-core";

const site = path.resolve(process.env.ZELMAR_WEB ?? "build/web");
const chromium = process.env.CHROMIUM ?? "/usr/bin/chromium";
const axeSource = await readFile(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");
const failureTexts = {
  TypeMismatch: "Tipo non corrispondente: il dato non è un numero.",
  DivisionByZero: "Divisione per zero.",
};

// Any static server will do: this one serves the folder as it is.
const types = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
  ".png": "image/png", ".webmanifest": "application/manifest+json"};
let server;
let origin;
let online = true;
let browser;
let profile;

before(async () => {
  server = http.createServer(async (request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://x").pathname).replace(/\/$/, "/index.html");
    const file = path.join(site, path.normalize(name));
    if (!online || !file.startsWith(site)) {
      request.socket.destroy();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, {"content-type": types[path.extname(file)] ?? "application/octet-stream"});
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  profile = await mkdtemp(path.join(tmpdir(), "zelmar-chromium-"));
  browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync"],
  });
});

after(async () => {
  await browser?.close();
  await new Promise((resolve) => server.close(resolve));
  await rm(profile, {recursive: true, force: true});
});

// A new page in its own browsing context, its failure messages counted.
async function open({languages = ["en-US", "en"], phone = false} = {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.evaluateOnNewDocument((list) => {
    Object.defineProperty(navigator, "languages", {get: () => list});
    window.shownFailures = [];
    document.addEventListener("DOMContentLoaded", () => {
      const dialog = document.getElementById("failure");
      new MutationObserver(() => {
        if (dialog.open) window.shownFailures.push(document.getElementById("failure-text").textContent);
      }).observe(dialog, {attributes: true, attributeFilter: ["open"]});
    });
  }, languages);
  if (phone) await page.setViewport({width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true});
  else await page.setViewport({width: 1024, height: 768});
  page.requests = [];
  page.on("request", (request) => page.requests.push(request.url()));
  await page.goto(`${origin}/`, {waitUntil: "load"});
  await page.waitForFunction(() => typeof Module !== "undefined" && Module.calledRun);
  page.context = context;
  return page;
}

const value = (page, id) => page.$eval(`#${id}`, (box) => box.value);
const caption = (page, id) => page.$eval(`#${id}`, (result) => result.textContent);
const focused = (page) => page.evaluate(() => document.activeElement?.id ?? "");
const failures = (page) => page.evaluate(() => window.shownFailures);
async function typeInto(page, id, text) {
  await page.click(`#${id}`, {clickCount: 3});  // selects the figure, as a user would
  await page.keyboard.type(text);
}
// Alt+C as the keyboard delivers it: the key down, the character it types
// with Alt held (which is what presses an access key), the key up.
async function altC(page) {
  const client = await page.target().createCDPSession();
  const key = {key: "c", code: "KeyC", windowsVirtualKeyCode: 67, modifiers: 1};
  await page.keyboard.down("Alt");
  await client.send("Input.dispatchKeyEvent", {type: "rawKeyDown", ...key});
  await client.send("Input.dispatchKeyEvent", {type: "char", text: "c", unmodifiedText: "c", ...key});
  await client.send("Input.dispatchKeyEvent", {type: "keyUp", ...key});
  await page.keyboard.up("Alt");
  await client.detach();
}
async function dismissFailure(page, key = "Enter") {
  await page.waitForSelector("#failure[open]");
  await page.keyboard.press(key);
  await page.waitForSelector("#failure:not([open])");
}

describe("on a desktop", () => {
  test("opens at its design size with the design-time figures and the focus on the button", async () => {
    const page = await open();
    const form = await page.$eval("#Zelmar", (f) => f.getBoundingClientRect().toJSON());
    assert.equal(form.width, 283);
    assert.equal(form.height, 374);
    const box = await page.$eval("#Gruppi", (b) => b.getBoundingClientRect().toJSON());
    assert.deepEqual([box.x - form.x, box.y - form.y, box.width, box.height], [17, 222, 33, 25]);
    const button = await page.$eval("#Calcola", (b) => b.getBoundingClientRect().toJSON());
    assert.deepEqual([button.x - form.x, button.y - form.y, button.width, button.height], [16, 336, 161, 33]);
    assert.deepEqual(await Promise.all(["Gruppi", "Altop", "ImpAp", "dBAp"].map((id) => value(page, id))),
      ["2", "2", "8", "90"]);
    assert.deepEqual(await Promise.all(["TotAltop", "ImpGruppi", "Liv"].map((id) => caption(page, id))), ["", "", ""]);
    assert.equal(await focused(page), "Calcola");
    assert.equal(await page.title(), "Calcolo Zelmar\u00a0 1.0");  // two blanks, kept
    assert.equal(await page.$eval("#Image1", (img) => img.naturalWidth > 0 && img.complete), true);
    await page.context.close();
  });

  test("each keystroke runs the change handling of its box, which fails on a letter", async () => {
    const page = await open();
    await typeInto(page, "ImpAp", "0");  // reads as zero: the entry keeps its value
    await page.keyboard.press("Enter");
    assert.equal(await value(page, "ImpAp"), "8");  // written back by the calculation
    await typeInto(page, "Altop", "3x");
    await dismissFailure(page);
    assert.deepEqual(await failures(page), [failureTexts.TypeMismatch]);
    assert.equal(await value(page, "Altop"), "3x");
    await page.context.close();
  });

  test("Enter, the access key, Space and a click each calculate once and end on the button", async () => {
    const page = await open();
    const presses = {
      "Enter in Gruppi": ["Gruppi", () => page.keyboard.press("Enter")],
      "Enter in dBAp": ["dBAp", () => page.keyboard.press("Enter")],
      "Enter on the button": ["Calcola", () => page.keyboard.press("Enter")],
      "Alt+C in Altop": ["Altop", () => altC(page)],
      "Alt+C on the button": ["Calcola", () => altC(page)],
      "Space on the button": ["Calcola", () => page.keyboard.press("Space")],
      "click": ["ImpAp", () => page.click("#Calcola")],
    };
    for (const [name, [from, press]] of Object.entries(presses)) {
      // A group count that cannot be truncated fails every calculation
      // once, which counts them.
      await typeInto(page, "Gruppi", "3x");
      await dismissFailure(page);
      await page.evaluate(() => { window.shownFailures = []; });
      await page.focus(`#${from}`);
      await press();
      await dismissFailure(page, "Escape");
      assert.deepEqual(await failures(page), [failureTexts.TypeMismatch], name);

      await typeInto(page, "Gruppi", "3");
      await page.focus(`#${from}`);
      await page.evaluate(() => { window.shownFailures = []; });
      await press();
      assert.equal(await caption(page, "TotAltop"), "6", name);
      assert.equal(await focused(page), "Calcola", name);
      assert.deepEqual(await failures(page), [], name);
    }
    await page.context.close();
  });

  test("Tab visits the button and the boxes in their order, both ways, wrapping", async () => {
    const page = await open();
    const forward = [];
    for (let i = 0; i < 6; ++i) {
      await page.keyboard.press("Tab");
      forward.push(await focused(page));
    }
    assert.deepEqual(forward, ["Altop", "ImpAp", "Gruppi", "dBAp", "Calcola", "Altop"]);
    const backward = [];
    await page.keyboard.down("Shift");
    for (let i = 0; i < 6; ++i) {
      await page.keyboard.press("Tab");
      backward.push(await focused(page));
    }
    await page.keyboard.up("Shift");
    assert.deepEqual(backward, ["Calcola", "dBAp", "Gruppi", "ImpAp", "Altop", "Calcola"]);
    await page.context.close();
  });

  test("the worked results, typed into the boxes", async () => {
    const page = await open();
    const rows = [
      [["2", "2", "8", "90"], ["4", "8", "96.02"]], [["1", "2", "8", "90"], ["2", "16", "90"]],
      [["2", "1", "8", "90"], ["2", "4", "96.02"]], [["4", "1", "8", "90"], ["4", "2", "102.04"]],
      [["3", "1", "8", "90"], ["3", "2.66", "99.54"]], [["3", "2", "8", "90"], ["6", "5.33", "99.54"]],
      [["2", "3", "4", "87"], ["6", "6", "93.02"]], [["2.7", "2", "8", "90"], ["4", "8", "96.02"]],
    ];
    for (const [typed, expected] of rows) {
      for (const [i, id] of ["Gruppi", "Altop", "ImpAp", "dBAp"].entries()) await typeInto(page, id, typed[i]);
      await page.keyboard.press("Enter");
      assert.deepEqual(await Promise.all(["TotAltop", "ImpGruppi", "Liv"].map((id) => caption(page, id))), expected,
        typed.join(" "));
    }
    assert.equal(await value(page, "Gruppi"), "2");  // 2.7 truncated and written back
    assert.deepEqual(await failures(page), []);
    // The results are announced, and each reads with its caption and unit.
    assert.equal(await page.$eval("#announcement", (r) => r.textContent.trim()),
      "Numero totale altoparlanti: 4; Imp. Tot.: 8 ohm; Liv. Tot.: 96.02 dB SPL");
    const client = await page.target().createCDPSession();
    const {nodes} = await client.send("Accessibility.getFullAXTree");
    const names = nodes.filter((n) => n.role?.value === "status" && n.name?.value).map((n) => n.name.value);
    assert.ok(names.includes("Imp. Tot.: 8 ohm"), names.join(" | "));
    await page.context.close();
  });

  test("an Italian browser types and shows a comma", async () => {
    const page = await open({languages: ["it-IT", "it", "en"]});
    await typeInto(page, "ImpAp", "4,5");
    await page.keyboard.press("Enter");
    assert.equal(await caption(page, "ImpGruppi"), "4,5");
    await typeInto(page, "ImpAp", "8");
    await page.keyboard.press("Enter");
    assert.equal(await caption(page, "Liv"), "96,02");
    await page.context.close();
  });

  test("a failure shows one modal message captioned Zelmar; Enter, Space, Escape or a tap closes it", async () => {
    const page = await open();
    for (const close of ["Enter", "Space", "Escape", "click", "click outside"]) {
      await page.evaluate(() => { window.shownFailures = []; });
      await typeInto(page, "Gruppi", "0.5");  // reads as zero, then takes 0.5: no failure
      await page.keyboard.press("Enter");
      await page.waitForSelector("#failure[open]");
      assert.equal(await page.$eval("#failure-title", (t) => t.textContent), "Zelmar");
      assert.equal(await page.$eval("#failure", (d) => d.getAttribute("role")), "alertdialog");
      assert.equal(await focused(page), "failure-ok");
      assert.equal(await page.$eval("#failure", (d) => d.matches(":modal")), true);
      if (close === "click") {
        await page.click("#failure-ok");
        await page.waitForSelector("#failure:not([open])");
      } else if (close === "click outside") {
        await page.mouse.click(5, 5);  // on the backdrop: the page under it takes nothing
        await page.waitForSelector("#failure:not([open])");
        assert.equal(await focused(page), "Gruppi");
      } else {
        await dismissFailure(page, close);
      }
      assert.deepEqual(await failures(page), [failureTexts.DivisionByZero], close);
      assert.equal(await value(page, "Gruppi"), "0");  // written back before the failure
    }
    // And the page carries on.
    await typeInto(page, "Gruppi", "3");
    await page.keyboard.press("Enter");
    assert.equal(await caption(page, "TotAltop"), "6");
    await page.context.close();
  });

  test("a long result is cut with an ellipsis and is whole in its title", async () => {
    const page = await open();
    const before = await page.$eval("#TotAltop", (r) => r.getBoundingClientRect().toJSON());
    await typeInto(page, "Gruppi", "123456789");
    await typeInto(page, "Altop", "98765432");
    await page.keyboard.press("Enter");
    const result = await page.$eval("#TotAltop", (r) => ({
      text: r.textContent, title: r.title, cut: r.scrollWidth > r.clientWidth,
      ellipsis: getComputedStyle(r).textOverflow, rect: r.getBoundingClientRect().toJSON()}));
    assert.equal(result.text, "1.21932630989178E+16");
    assert.equal(result.title, "1.21932630989178E+16");
    assert.equal(result.cut, true);
    assert.equal(result.ellipsis, "ellipsis");
    assert.deepEqual(result.rect, before);
    await typeInto(page, "Gruppi", "2");
    await typeInto(page, "Altop", "2");
    await page.keyboard.press("Enter");
    assert.equal(await page.$eval("#TotAltop", (r) => r.hasAttribute("title")), false);
    await page.context.close();
  });

  test("no accessibility violations, before and after a calculation and with a failure shown", async () => {
    const page = await open();
    const audit = async () => {
      await page.evaluate(axeSource);
      return page.evaluate(async () => (await axe.run(document)).violations.map((v) => `${v.id}: ${v.help}`));
    };
    assert.deepEqual(await audit(), []);
    await typeInto(page, "Gruppi", "3");
    await page.keyboard.press("Enter");
    assert.deepEqual(await audit(), []);
    await typeInto(page, "Gruppi", "x");
    await page.waitForSelector("#failure[open]");
    assert.deepEqual(await audit(), []);
    await page.context.close();
  });

  test("a figure typed before the WebAssembly has arrived is not lost", async () => {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({width: 1024, height: 768});
    await page.setRequestInterception(true);
    let release;
    const held = new Promise((resolve) => { release = resolve; });
    page.on("request", async (request) => {
      if (request.url().endsWith("/zelmar.js")) await held;
      await request.continue();
    });
    await page.goto(`${origin}/`, {waitUntil: "domcontentloaded"});
    await typeInto(page, "Gruppi", "3");
    release();
    await page.waitForFunction(() => typeof Module !== "undefined" && Module.calledRun);
    await page.click("#Calcola");
    assert.equal(await caption(page, "TotAltop"), "6");
    assert.equal(await value(page, "Gruppi"), "3");
    await context.close();
  });

  test("nothing leaves the device: no other host, no cookies, no storage", async () => {
    const page = await open();
    await typeInto(page, "Gruppi", "3");
    await page.keyboard.press("Enter");
    const remote = page.requests.filter((url) => !url.startsWith("data:"));  // data: never leaves the page
    assert.ok(remote.every((url) => url.startsWith(origin)), remote.join(" "));
    assert.deepEqual(await page.evaluate(() => [document.cookie, localStorage.length, sessionStorage.length]),
      ["", 0, 0]);
    await page.context.close();
  });

  test("after the first visit it opens and calculates with no network", async () => {
    const page = await open();
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload({waitUntil: "load"});
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    online = false;
    try {
      await page.reload({waitUntil: "load"});
      await page.waitForFunction(() => typeof Module !== "undefined" && Module.calledRun);
      await typeInto(page, "Gruppi", "3");
      await page.keyboard.press("Enter");
      assert.equal(await caption(page, "Liv"), "99.54");
    } finally {
      online = true;
    }
    await page.context.close();
  });
});

describe("on a phone", () => {
  test("fills the width, keeps its proportions, never scrolls sideways, and offers the numeric keyboard", async () => {
    const page = await open({phone: true});
    const form = await page.$eval("#Zelmar", (f) => f.getBoundingClientRect().toJSON());
    assert.ok(Math.abs(form.width - 390) < 1 && Math.abs(form.x) < 1, JSON.stringify(form));
    assert.ok(Math.abs(form.height / form.width - 374 / 283) < 0.01);
    assert.deepEqual(await page.evaluate(() => [document.documentElement.scrollWidth, window.innerWidth]), [390, 390]);
    assert.equal(await page.$eval("#ImpAp", (b) => b.inputMode), "decimal");
    const button = await page.$eval("#Calcola", (b) => b.getBoundingClientRect().toJSON());
    assert.ok(button.height >= 44 && button.width >= 44, JSON.stringify(button));
    const box = await page.$eval("#Gruppi", (b) => b.getBoundingClientRect().toJSON());
    assert.ok(box.height >= 32 && box.width >= 44, JSON.stringify(box));
    // A tap on a box, the figures typed, a tap on the button: one
    // calculation, and a tap on OK closes its failure.
    await page.tap("#Gruppi");
    await page.$eval("#Gruppi", (b) => b.select());
    await page.keyboard.type("3");
    await page.tap("#Calcola");
    assert.equal(await caption(page, "ImpGruppi"), "5.33");
    await page.tap("#ImpAp");
    await page.$eval("#ImpAp", (b) => b.select());
    await page.keyboard.type("0");
    await page.tap("#Gruppi");
    await page.$eval("#Gruppi", (b) => b.select());
    await page.keyboard.type("0.5");
    await page.tap("#Calcola");
    await page.waitForSelector("#failure[open]");
    await page.tap("#failure-ok");
    await page.waitForSelector("#failure:not([open])");
    assert.deepEqual(await failures(page), [failureTexts.DivisionByZero]);
    assert.equal(await value(page, "ImpAp"), "8");
    await page.context.close();
  });
});
