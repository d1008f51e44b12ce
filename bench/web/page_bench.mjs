// The page against a plain page with one input and one button, in headless
// Chromium on 127.0.0.1, runs interleaved, the window alone beside them (see
// below): load to the first paint of the whole window (its first and largest
// contentful paints; the moment the WebAssembly runs is shown beside it), a
// keystroke to its repaint, and the bytes sent compressed (gzip, as any
// static server sends them); then Lighthouse's performance score on a
// desktop and on its simulated phone, the best of three runs each, every run
// printed (scores move with the machine's load, which is why they are
// measured here and not asserted by the tests).
//   node page_bench.mjs SITE_DIR [RUNS]
import {execFileSync} from "node:child_process";
import {readFile} from "node:fs/promises";
import http from "node:http";
import {createRequire} from "node:module";
import path from "node:path";
import {fileURLToPath} from "node:url";
import {gzipSync} from "node:zlib";

const require = createRequire(new URL("../../tests/web/package.json", import.meta.url));
const puppeteer = (await import(require.resolve("puppeteer-core"))).default;
const lighthouse = (await import(require.resolve("lighthouse"))).default;
const desktopConfig = (await import(require.resolve("lighthouse/core/config/desktop-config.js"))).default;
const site = path.resolve(process.argv[2] ?? "build/web");
const runs = Number(process.argv[3] ?? 15);
const plain = await readFile(new URL("plain.html", import.meta.url));
// The window alone: the page's own style and form (every control, its texts
// and the picture) and nothing else, no script, policy, preloads or hidden
// texts. What the window's content costs by itself, beside what the page adds.
const page = await readFile(path.join(site, "index.html"), "utf8");
const windowAlone = `<!doctype html>
<html lang="it">
<head><meta charset="utf-8"><meta name="viewport" content="width=device-width, initial-scale=1"><title>Window alone</title>
${page.match(/<style>[^]*?<\/style>/)[0]}
</head>
<body><main>${page.match(/<form id="Zelmar"[^]*?<\/form>/)[0]}</main></body>
</html>
`;
const types = {".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm",
  ".png": "image/png", ".webmanifest": "application/manifest+json"};

// Each file compressed once, as a static server keeps them: compressing at
// every request would charge the server's work to the page.
const compressed = new Map();
const server = http.createServer(async (request, response) => {
  const name = new URL(request.url, "http://x").pathname;
  let body;
  try {
    body = {"/plain/": plain, "/window-alone/": windowAlone}[name] ??
      await readFile(path.join(site, name.endsWith("/") ? "index.html" : name));
  } catch {
    response.writeHead(404).end();
    return;
  }
  const type = types[path.extname(name)] ?? types[".html"];
  response.writeHead(200, {"content-type": type, "content-encoding": "gzip"});
  if (!compressed.has(name)) compressed.set(name, gzipSync(body, {level: 9}));
  response.end(compressed.get(name));
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const origin = `http://127.0.0.1:${server.address().port}`;
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium", headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
    "--disable-component-update", "--disable-sync"]});

async function measure(url, ready, box) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setBypassServiceWorker(true);
  const client = await page.target().createCDPSession();
  await client.send("Network.enable");
  let bytes = 0;
  client.on("Network.loadingFinished", (event) => { bytes += event.encodedDataLength; });
  await page.evaluateOnNewDocument(() => {
    window.largestPaint = 0;
    new PerformanceObserver((list) => {
      for (const entry of list.getEntries()) window.largestPaint = Math.max(window.largestPaint, entry.startTime);
    }).observe({type: "largest-contentful-paint", buffered: true});
  });
  await page.goto(url, {waitUntil: "load"});
  await page.waitForFunction(ready);
  // The whole window has painted when its first contentful paint and its
  // largest one (the diagram) have; the calculation is ready when the
  // WebAssembly runs.
  const {load, ready: readyAt} = await page.evaluate(async () => {
    await new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve, 50)));
    const first = performance.getEntriesByName("first-contentful-paint")[0]?.startTime ?? 0;
    return {load: Math.max(first, window.largestPaint), ready: window.readyAt ?? 0};
  });
  // A keystroke: from the key's event to the frame after the repaint it causes.
  await page.focus(box);
  await page.evaluate(() => {
    window.latencies = [];
    document.addEventListener("keydown", (event) => {
      const start = event.timeStamp;
      requestAnimationFrame(() => setTimeout(() => window.latencies.push(performance.now() - start), 0));
    });
  });
  for (const key of ["5", "Backspace", "5", "Backspace", "5", "Backspace"]) {
    await page.keyboard.press(key);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  const latencies = await page.evaluate(() => window.latencies);
  await context.close();
  return {load, ready: readyAt, key: median(latencies), bytes};
}
// The median every benchmark reports, worked out by the one rule they share.
const medianRule = fileURLToPath(new URL("../measure/median.awk", import.meta.url));
function median(values) {
  return Number(execFileSync("awk", ["-v", "lines=1", "-f", medianRule], {input: values.join("\n")}));
}

const zelmar = [];
const floor = [];
const alone = [];
// The page marks the moment its rules arrive (a user timing, as Lighthouse
// shows it too).
const zelmarReady = () => {
  const mark = performance.getEntriesByName("zelmar-rules-arrived")[0];
  return mark && (window.readyAt = mark.startTime);
};
for (let i = 0; i < runs + 2; ++i) {
  const z = await measure(`${origin}/`, zelmarReady, "#Gruppi");
  const p = await measure(`${origin}/plain/`, () => true, "#box");
  const w = await measure(`${origin}/window-alone/`, () => true, "#Gruppi");
  if (i >= 2) {  // two warm-ups
    zelmar.push(z);
    floor.push(p);
    alone.push(w);
  }
}
const performanceScores = {};
for (const [formFactor, config] of [["desktop", desktopConfig], ["phone", undefined]]) {
  const scores = [];
  for (let run = 0; run < 3; ++run) {
    const {lhr} = await lighthouse(`${origin}/`, {port: Number(new URL(browser.wsEndpoint()).port), logLevel: "error",
      output: "json", onlyCategories: ["performance"]}, config);
    scores.push(Math.round(lhr.categories.performance.score * 100));
    console.log(`Lighthouse performance, ${formFactor}, run ${run + 1}: ${scores.at(-1)}`);
  }
  performanceScores[formFactor] = Math.max(...scores);
}
await browser.close();
server.close();
const m = (list, field) => median(list.map((entry) => entry[field]));
// Only the page has rules to wait for.
const line = (name, list, ready = `ready ${m(list, "ready").toFixed(1).padStart(6)} ms`) =>
  `${name.padEnd(8)} whole window painted ${m(list, "load").toFixed(1).padStart(6)} ms   ${ready}   keystroke ${
  m(list, "key").toFixed(2).padStart(6)} ms   ${(m(list, "bytes") / 1024).toFixed(1)} KB sent`;
console.log(`runs ${runs} each, interleaved; medians`);
console.log(line("page", zelmar));
console.log(line("plain", floor));
console.log(line("window", alone, "(alone)".padEnd(15)));
console.log(`ratio    load ${(m(zelmar, "load") / m(floor, "load")).toFixed(2)} (goal <= 1.5; the window alone ${
  (m(alone, "load") / m(floor, "load")).toFixed(2)})   keystroke ${
  (m(zelmar, "key") / m(floor, "key")).toFixed(2)} (goal <= 1.2)   bytes ${
  (m(zelmar, "bytes") / 1024).toFixed(1)} KB compressed (goal < 150 KB)   ready ${
  (m(zelmar, "ready") / m(floor, "load")).toFixed(2)} x the plain page's paint (goal <= 2.5)   Lighthouse performance ${
  performanceScores.desktop} desktop, ${performanceScores.phone} phone (best of three; goal 100)`);
