// The page in headless Chromium or Firefox (ZELMAR_BROWSER), driven as a
// person would: keystrokes, Enter, the access key, Space, clicks and taps,
// on a desktop and on a phone-sized screen; its accessibility audited;
// opened again offline; its security policy tried; audited by Lighthouse
// (in Chromium).
import assert from "node:assert/strict";
import {readFile, mkdtemp, rm} from "node:fs/promises";
import http from "node:http";
import {createRequire} from "node:module";
import {tmpdir} from "node:os";
import path from "node:path";
import {after, before, describe, test} from "node:test";
import lighthouse from "lighthouse";
import desktopConfig from "lighthouse/core/config/desktop-config.js";
import puppeteer from "puppeteer-core";
import {designed, failureMessages, pageDriver, runCase, selectAll, windowCases} from "./window_cases.mjs";

const site = path.resolve(process.env.ZELMAR_WEB ?? "build/web");
const engine = process.env.ZELMAR_BROWSER ?? "chromium";
const firefox = engine === "firefox";
// Lighthouse's audit is a run of its own (ZELMAR_LIGHTHOUSE=1), never beside
// another, and only that.
const lighthouseRun = process.env.ZELMAR_LIGHTHOUSE === "1";
const notInLighthouseRun = {skip: lighthouseRun && "not in the Lighthouse run"};
const axeSource = await readFile(createRequire(import.meta.url).resolve("axe-core/axe.min.js"), "utf8");

// Any static server will do: this one serves the folder as it is.
const types = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
  ".png": "image/png", ".webmanifest": "application/manifest+json"};
let server;
let origin;
// Another origin, listening, that the page must never reach.
let elsewhere;
let elsewhereOrigin;
const elsewhereRequests = [];
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
  elsewhere = http.createServer((request, response) => {
    elsewhereRequests.push(request.url);
    response.writeHead(200, {"access-control-allow-origin": "*"}).end("{}");
  });
  await new Promise((resolve) => elsewhere.listen(0, "127.0.0.1", resolve));
  elsewhereOrigin = `http://127.0.0.1:${elsewhere.address().port}`;
  profile = await mkdtemp(path.join(tmpdir(), `zelmar-${engine}-`));
  browser = await puppeteer.launch(firefox ? {
    browser: "firefox",
    executablePath: process.env.FIREFOX ?? "/usr/bin/firefox-esr",
    headless: true,
    userDataDir: profile,
    // The clipboard written by the test, as if by a user's copy elsewhere.
    extraPrefsFirefox: {"dom.events.testing.asyncClipboard": true},
  } : {
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
      "--disable-component-update", "--disable-sync"],
  });
});

after(async () => {
  await browser?.close();
  await new Promise((resolve) => server.close(resolve));
  await new Promise((resolve) => elsewhere.close(resolve));
  await rm(profile, {recursive: true, force: true});
});

// A new page in its own browsing context, its failure messages ("caption |
// text") and its announcements counted. Its browser's languages are
// English, or those the address asks for (?languages=it-IT,it: a browser set
// to Italian); its system's colours light, or dark (emulated in Chromium).
async function open({phone = false, scheme = "light"} = {}) {
  const context = await browser.createBrowserContext();
  if (!firefox) {
    await context.overridePermissions(origin, ["clipboard-read", "clipboard-write", "clipboard-sanitized-write"]);
  }
  const page = await context.newPage();
  await page.evaluateOnNewDocument(() => {
    const list = new URLSearchParams(location.search).get("languages")?.split(",") ?? ["en-US", "en"];
    Object.defineProperty(navigator, "languages", {get: () => list});
    window.shownMessages = [];
    window.announcements = [];
    window.policyViolations = [];
    document.addEventListener("securitypolicyviolation",
      (event) => window.policyViolations.push(`${event.effectiveDirective} ${event.blockedURI}`));
    document.addEventListener("DOMContentLoaded", () => {
      const dialog = document.getElementById("failure");
      new MutationObserver(() => {
        if (!dialog.open) return;
        const shown = (id) => document.getElementById(id).textContent;
        window.shownMessages.push(`${shown("failure-title")} | ${shown("failure-text")}`);
      }).observe(dialog, {attributes: true, attributeFilter: ["open"]});
      // What a screen reader hears: each change of the live region's text,
      // taken as it is made, with the control that has the focus then.
      const region = document.getElementById("announcement");
      const text = Object.getOwnPropertyDescriptor(Node.prototype, "textContent");
      Object.defineProperty(region, "textContent", {
        get() { return text.get.call(this); },
        set(announced) {
          if (announced !== text.get.call(this)) {
            window.announcements.push({text: announced.trim(), focus: document.activeElement?.id ?? ""});
          }
          text.set.call(this, announced);
        },
      });
    });
  });
  if (phone) await page.setViewport({width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true});
  else await page.setViewport({width: 1024, height: 768});
  if (scheme !== "light") await page.emulateMediaFeatures([{name: "prefers-color-scheme", value: scheme}]);
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
const messages = (page) => page.evaluate(() => window.shownMessages);
async function typeInto(page, id, text) {
  await selectAll(page, id);
  await page.keyboard.type(text);
}
async function dismissFailure(page, key = "Enter") {
  await page.waitForSelector("#failure[open]");
  await page.keyboard.press(key);
  await page.waitForSelector("#failure:not([open])");
}

describe("on a desktop", notInLighthouseRun, () => {
  test("opens with its picture", async () => {
    const page = await open();
    assert.equal(await page.$eval("#Image1", (img) => img.naturalWidth > 0 && img.complete), true);
    await page.context.close();
  });

  test("a failure shows one modal message captioned Zelmar; Enter, Space, Escape or a tap closes it", async () => {
    const page = await open();
    for (const close of ["Enter", " ", "Escape", "click", "click outside"]) {
      await page.evaluate(() => { window.shownMessages = []; });
      await typeInto(page, "Gruppi", "0.5");  // reads as zero, then takes 0.5: no failure
      await page.keyboard.press("Enter");
      await page.waitForSelector("#failure[open]");
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
      assert.deepEqual(await messages(page), [failureMessages.DivisionByZero], close);
    }
    await page.context.close();
  });

  // The system's light and dark colours (dark emulated in Chromium only).
  for (const scheme of firefox ? ["light"] : ["light", "dark"]) {
    test(`no accessibility violations in ${scheme} colours, before and after a calculation and with a failure shown`,
      async () => {
        const page = await open({scheme});
        const audit = async () => {
          await page.evaluate(axeSource);
          return page.evaluate(async () => (await axe.run(document)).violations.map((v) => `${v.id}: ${v.help}`));
        };
        // The window's face follows the system's colours; the diagram keeps
        // its white behind its sunken border.
        const lightness = (colour) => colour.match(/\d+/g).slice(0, 3).reduce((sum, part) => sum + Number(part), 0) / 3;
        const face = await page.$eval("#Zelmar", (form) => getComputedStyle(form).backgroundColor);
        assert.equal(lightness(face) > 160, scheme === "light", `the window's face is ${face}`);
        assert.equal(await page.$eval("#Image1", (image) => getComputedStyle(image).backgroundColor),
          "rgb(255, 255, 255)");
        assert.deepEqual(await audit(), []);
        await typeInto(page, "Gruppi", "3");
        await page.keyboard.press("Enter");
        assert.deepEqual(await audit(), []);
        await typeInto(page, "Gruppi", "x");
        await page.waitForSelector("#failure[open]");
        assert.deepEqual(await audit(), []);
        await page.context.close();
      });
  }

  // A page whose rules (zelmar.js) are held back until release() is called.
  async function openHeld() {
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
    return {page, context, release};
  }

  test("before the rules arrive: a press is kept, the page never navigates, the focus is not moved", async () => {
    const {page, context, release} = await openHeld();
    const address = page.url();
    await typeInto(page, "Gruppi", "3");
    await page.keyboard.press("Enter");
    await typeInto(page, "ImpAp", "4");  // the user goes on typing elsewhere
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.equal(page.url(), address);  // no submission
    assert.equal(await value(page, "Gruppi"), "3");
    release();
    await page.waitForFunction(() => document.getElementById("TotAltop").textContent !== "");
    // The press, carried out once, with both figures typed meanwhile.
    assert.deepEqual(await Promise.all(["TotAltop", "ImpGruppi"].map((id) => caption(page, id))), ["6", "2.66"]);
    assert.equal(page.url(), address);
    await context.close();

    // Typed but not pressed: the catch-up leaves the focus where the user is.
    const quiet = await openHeld();
    await typeInto(quiet.page, "Gruppi", "3");
    await quiet.page.click("#dBAp");
    quiet.release();
    await quiet.page.waitForFunction(() => typeof Module !== "undefined" && Module.calledRun);
    assert.equal(await focused(quiet.page), "dBAp");
    await quiet.page.keyboard.press("Enter");
    assert.equal(await caption(quiet.page, "TotAltop"), "6");
    await quiet.context.close();

    // A failing figure typed, then Enter: the failure shows once the rules
    // are here, as the window shows it before the press, and the press is
    // not carried out behind its message.
    const failing = await openHeld();
    await typeInto(failing.page, "Gruppi", "x");
    await failing.page.keyboard.press("Enter");
    failing.release();
    await failing.page.waitForSelector("#failure[open]");
    assert.equal(await failing.page.evaluate(() => ["failure-title", "failure-text"]
      .map((id) => document.getElementById(id).textContent).join(" | ")), failureMessages.TypeMismatch);
    assert.deepEqual(await Promise.all(["TotAltop", "ImpGruppi", "Liv"].map((id) => caption(failing.page, id))),
      ["", "", ""]);
    await failing.context.close();
  });

  test("Alt+C is the page's own key, not the browser's access key, and is announced as such", async () => {
    const page = await open();
    assert.equal(await page.$eval("#Calcola", (b) => b.hasAttribute("accesskey")), false);
    assert.equal(await page.$eval("#Calcola", (b) => b.getAttribute("aria-keyshortcuts")), "Alt+C");
    // Firefox's and Safari's Alt+C reach the page as a keydown with Alt and KeyC too.
    await page.focus("#ImpAp");
    await page.evaluate(() => document.activeElement.dispatchEvent(
      new KeyboardEvent("keydown", {key: "ç", code: "KeyC", altKey: true, bubbles: true, cancelable: true})));
    assert.equal(await caption(page, "TotAltop"), "4");
    assert.equal(await focused(page), "Calcola");
    await page.context.close();
  });

  test("carries the version record in its metadata, manifest and offline cache", async () => {
    const page = await open();
    const meta = await page.evaluate(() => Object.fromEntries(
      Array.from(document.querySelectorAll("meta[name]")).map((m) => [m.name, m.content])));
    const {ZELMAR_VERSION: version, ZELMAR_VERSION_SHOWN: shown} = process.env;
    assert.equal(meta.version, version);
    assert.equal(meta["file-version"], shown);
    assert.equal(meta["product-version"], shown);
    assert.equal(meta["internal-name"], "Zelmar");
    assert.equal(meta.comments, "freeware...");
    const manifest = JSON.parse(await readFile(path.join(site, "manifest.webmanifest"), "utf8"));
    assert.equal(manifest.version, version);
    assert.equal(manifest.version_name, shown);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const caches = await page.evaluate(() => caches.keys());
    assert.ok(caches.some((name) => name.startsWith(`zelmar-${version}-`)), caches.join(" "));
    await page.context.close();
  });

  test("fetches its WebAssembly and its script once each", async () => {
    const page = await open();
    for (const file of ["zelmar.js", "zelmar.wasm"]) {
      assert.equal(page.requests.filter((url) => url === `${origin}/${file}`).length, 1, file);
    }
    await page.context.close();
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

  test("keeps to itself: its own files pass its policy, which refuses other origins and injected code", async () => {
    const page = await open();
    await typeInto(page, "Gruppi", "3");
    await page.keyboard.press("Enter");
    assert.equal(await caption(page, "Liv"), "99.54");
    await page.evaluate(() => navigator.serviceWorker.ready);
    // The inline script and style, the rules and their WebAssembly, the
    // pictures, the manifest and the service worker.
    assert.deepEqual(await page.evaluate(() => window.policyViolations), []);

    const tries = await page.evaluate(async (address) => {
      const fetched = await fetch(`${address}/data`).then(() => "sent", (error) => error.name);
      navigator.sendBeacon(`${address}/beacon`, "x");  // queued, then refused
      const picture = await new Promise((resolve) => {
        const img = new Image();
        img.onload = () => resolve("loaded");
        img.onerror = () => resolve("refused");
        img.src = `${address}/pixel.png`;
      });
      const script = document.createElement("script");
      script.textContent = "window.injected = true;";
      document.body.append(script);
      const styled = document.createElement("style");
      styled.textContent = "#Zelmar{display:none}";
      document.head.append(styled);
      return {fetched, picture, injected: window.injected === true,
        hidden: getComputedStyle(document.getElementById("Zelmar")).display === "none"};
    }, elsewhereOrigin);
    assert.deepEqual(tries, {fetched: "TypeError", picture: "refused", injected: false, hidden: false});
    // The fetch's and the beacon's refusals, the picture's and the injected script's and style's.
    await page.waitForFunction(() => window.policyViolations.filter((v) => v.startsWith("connect-src")).length >= 2);
    const violations = await page.evaluate(() => window.policyViolations.map((v) => v.split(" ")[0]));
    for (const directive of ["connect-src", "img-src", "script-src-elem", "style-src-elem"]) {
      assert.ok(violations.includes(directive), `${directive}: ${violations.join(", ")}`);
    }
    assert.deepEqual(elsewhereRequests, []);
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
      // A dense screen offline: the diagram drawn for it was kept too.
      await page.setViewport({width: 1024, height: 768, deviceScaleFactor: 2});
      await page.reload({waitUntil: "load"});
      await page.waitForFunction(() => document.getElementById("Image1").complete);
      // naturalWidth counts the 2x picture in CSS pixels; one not kept offline would be 0.
      assert.deepEqual(await page.$eval("#Image1", (img) => [img.currentSrc.split("/").at(-1), img.naturalWidth]),
        ["diagram@2x.png", 227]);
      assert.deepEqual(await page.evaluate(() => window.policyViolations), []);
    } finally {
      online = true;
    }
    await page.context.close();
  });
});

describe("audited by Lighthouse", {skip: !lighthouseRun ? "a run of its own" :
  firefox && "Lighthouse audits through the DevTools protocol: Chromium only"}, () => {
  // Best practices do not move with the machine's load; performance does,
  // and scripts/bench prints it. Accessibility is the axe audit's, above,
  // in both engines.
  for (const [formFactor, config] of [["a desktop", desktopConfig], ["its simulated phone", undefined]]) {
    test(`on ${formFactor}: best practices at 100`, async () => {
      const {lhr} = await lighthouse(`${origin}/`, {port: Number(new URL(browser.wsEndpoint()).port),
        logLevel: "error", output: "json", onlyCategories: ["best-practices"]}, config);
      const missed = Object.values(lhr.audits).filter((a) => a.score !== null && a.score < 1 &&
        ["binary", "numeric", "metricSavings"].includes(a.scoreDisplayMode)).map((a) => a.id);
      assert.deepEqual(Object.fromEntries(Object.values(lhr.categories).map((c) => [c.id, Math.round(c.score * 100)])),
        {"best-practices": 100}, missed.join(", "));
    });
  }
});

describe("the window's cases", notInLighthouseRun, () => {
  // One page, opened anew for each case: a fresh window, and quicker than a
  // new browsing context.
  let page;
  before(async () => {
    if (!lighthouseRun) page = await open();
  });
  after(async () => page?.context.close());
  for (const windowCase of windowCases()) {
    test(windowCase.name, async () => {
      await page.setViewport({width: 1024, height: 768});
      await page.goto(`${origin}/`, {waitUntil: "load"});
      await page.waitForFunction(() => typeof Module !== "undefined" && Module.calledRun);
      await runCase(windowCase, pageDriver(page, {firefox}));
    });
  }
});

describe("on a phone", notInLighthouseRun, () => {
  test("a tap on a box, the figures typed, a tap on the button: one calculation; a tap on OK closes its failure",
    {skip: firefox && "Firefox's WebDriver BiDi cannot touch a headless page"}, async () => {
      const page = await open({phone: true});
      await page.tap("#Gruppi");
      await page.$eval("#Gruppi", (b) => b.select());
      await page.keyboard.type("3");
      await page.tap("#Calcola");
      assert.equal(await caption(page, "ImpGruppi"), "5.33");
      await page.tap("#Gruppi");
      await page.$eval("#Gruppi", (b) => b.select());
      await page.keyboard.type("0.5");
      await page.tap("#Calcola");
      await page.waitForSelector("#failure[open]");
      await page.tap("#failure-ok");
      await page.waitForSelector("#failure:not([open])");
      assert.deepEqual(await messages(page), [failureMessages.DivisionByZero]);
      await page.context.close();
    });

  test("fills the width, keeps its proportions, never scrolls sideways, and offers the numeric keyboard", async () => {
    const page = await open({phone: true});
    const form = await page.$eval("#Zelmar", (f) => f.getBoundingClientRect().toJSON());
    assert.ok(Math.abs(form.width - 390) < 1 && Math.abs(form.x) < 1, JSON.stringify(form));
    assert.ok(Math.abs(form.height / form.width - designed.height / designed.width) < 0.01);
    assert.deepEqual(await page.evaluate(() => [document.documentElement.scrollWidth, window.innerWidth]), [390, 390]);
    assert.equal(await page.$eval("#ImpAp", (b) => b.inputMode), "decimal");
    const button = await page.$eval("#Calcola", (b) => b.getBoundingClientRect().toJSON());
    assert.ok(button.height >= 44 && button.width >= 44, JSON.stringify(button));
    const box = await page.$eval("#Gruppi", (b) => b.getBoundingClientRect().toJSON());
    assert.ok(box.height >= 32 && box.width >= 44, JSON.stringify(box));
    await page.context.close();
  });
});
