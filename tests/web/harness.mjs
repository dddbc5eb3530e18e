// What every browser test needs: the built site served on a free port of the
// loopback, a browser started headless to look at it, and a look at the drill.
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { once } from "node:events";
import { existsSync } from "node:fs";
import { createServer } from "node:net";
import { setTimeout as sleep } from "node:timers/promises";
import puppeteer from "puppeteer-core";

// Long enough for a slow machine, short enough that a stuck test fails and the run goes on.
export const limit = { timeout: 180_000 };

// The helpers and browsers started here, killed when the tests end, however they ended.
const started = new Set();
process.once("exit", () => started.forEach((child) => child.kill()));
// A helper process that keeps no test waiting.
function start(command, args, options) {
  const child = spawn(command, args, options);
  started.add(child);
  child.unref();
  return child;
}
// What a helper first writes on `stream`, its port or its display; what follows keeps no test waiting.
const firstWords = (child, stream) => new Promise((resolve, reject) => {
  child.once("error", reject);
  stream.once("close", () => reject(new Error(`${child.spawnargs.join(" ")}: ended before it began`)));
  stream.once("data", (out) => resolve(String(out), stream.unref()));
});

// Serves `site` (default: VENDARO_SITE) until stop() is called; resolves to { address, stop }.
export async function serve(site = process.env.VENDARO_SITE) {
  // Its log of requests goes to stderr and is dropped: unread, it would fill the pipe and stall the server.
  const server = start("python3", ["-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", site],
    { stdio: ["ignore", "pipe", "ignore"] });
  const port = /port (\d+)/.exec(await firstWords(server, server.stdout))[1];
  return { address: `http://127.0.0.1:${port}`, stop: () => server.kill() };
}

// Resolves once probe() does, asked every 50 ms; fails, naming `what`, if it never does.
async function poll(probe, what) {
  for (let tries = 0; !(await probe()); ++tries) {
    assert.ok(tries < 400, `never came true: ${what}`);
    await sleep(50);
  }
}
// Resolves once predicate(...args) holds in the page, asked from here: waitForFunction would build it in the
// page with Function(), which the page's policy forbids and Firefox ESR 140 enforces.
export const until = (page, predicate, ...args) => poll(() => page.evaluate(predicate, ...args), predicate);

// Without the background-networking flags Chromium knocks at hosts this machine cannot reach. Service workers and
// Chromium's own pages (the omnibox's popup that each new window builds) are not attached to: one that goes while
// puppeteer attaches fails puppeteer's next command, whichever test sent it.
const chromiumFlags = ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
  "--disable-component-update", "--disable-sync"];
const attached = (target) => target.type() !== "service_worker" && !target.url().startsWith("chrome://");

// Debian's Chromium over the DevTools protocol, Firefox ESR over WebDriver BiDi, or WebKitGTK's MiniBrowser
// over WebDriver; WebKit is null where WebKitWebDriver is not installed.
export async function launch(engine = "chromium") {
  if (engine === "webkit") return existsSync("/usr/bin/WebKitWebDriver") ? launchWebKit() : null;
  const browser = await puppeteer.launch(engine === "firefox"
    ? { browser: "firefox", executablePath: "/usr/bin/firefox-esr" }
    : { executablePath: "/usr/bin/chromium", args: chromiumFlags, targetFilter: attached });
  // Puppeteer's own kill at exit misses a second browser: it takes the first off its list while going through it.
  started.add(browser.process());
  return browser;
}
// An engine and the version of its browser, as a test's name begins: "firefox 140.12.0".
export const named = async (engine, browser) =>
  browser ? `${engine} ${(await browser.version()).split("/")[1]}` : engine;

// A new tab on the drill just started, closed when test t ends, keeping in `violations`, if any, what the
// page's policy turned away (not in WebKit, where WebDriver runs nothing before the page's own scripts).
// The default viewport holds the board at its own size, 792 x 566, and the column of buttons beside it.
export async function open(t, browser, address, viewport = { width: 882, height: 566 }) {
  const page = await browser.newPage();
  t.after(() => page.close());
  await page.setViewport(viewport);
  await page.evaluateOnNewDocument?.(() =>
    addEventListener("securitypolicyviolation", (event) => (window.violations ??= []).push(event.violatedDirective)));
  await page.goto(address);
  await until(page, () => document.activeElement?.id === "Text1" && !document.getElementById("Image3").hidden);
  return page;
}

// WebDriver's own code points for the keys that type no character; a key named by its code, as KeyV, is its letter.
const webDriverKeys = { Backspace: "\uE003", Tab: "\uE004", Shift: "\uE008", Control: "\uE009", End: "\uE010",
  Home: "\uE011", Insert: "\uE016", Delete: "\uE017" };
const [down, up] = ["keyDown", "keyUp"].map((type) => (key) =>
  ({ type, value: webDriverKeys[key] ?? (/^Key[A-Z]$/.test(key) ? key[3].toLowerCase() : key) }));

// WebKitGTK's MiniBrowser, which has no headless mode, on an X server of its own with a window for each page,
// behind the page methods of puppeteer that the tests use.
async function launchWebKit() {
  const x = start("Xvfb", ["-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "2560x1600x24"],
    { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  const env = { ...process.env, DISPLAY: `:${(await firstWords(x, x.stdio[3])).trim()}` };
  // A free port for the driver, as the system hands one out.
  const probe = createServer().listen(0, "127.0.0.1");
  await once(probe, "listening");
  const { port } = probe.address();
  await new Promise((resolve) => probe.close(resolve));
  const driver = start("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore", env });
  let session = `http://127.0.0.1:${port}/session`, current;
  // Each command has an end, so that a stuck driver fails its test rather than stalling the run. WebKitGTK 2.54's
  // driver takes a command only as JSON by name.
  const json = { "Content-Type": "application/json" };
  const call = async (method, command, body) => {
    const signal = AbortSignal.timeout(60_000);
    const reply = await fetch(session + command, { method, headers: json, body: JSON.stringify(body), signal });
    const { value } = await reply.json();
    if (value?.error) throw new Error(`WebKit ${command}: ${value.error} ${value.message}`);
    return value;
  };
  await poll(() => fetch(`http://127.0.0.1:${port}/status`).then((reply) => reply.ok, () => false), "WebKitWebDriver");
  const browser = { "webkitgtk:browserOptions": { args: ["--automation", "--javascript-can-access-clipboard=true"] } };
  const { sessionId, capabilities } = await call("POST", "", { capabilities: { alwaysMatch: browser } });
  session += `/${sessionId}`;
  const newPage = async () => {
    const { handle } = await call("POST", "/window/new", { type: "window" });
    const on = async (method, command, body) => {
      if (current !== handle) await call("POST", "/window", { handle: (current = handle) });
      return call(method, command, body);
    };
    const run = (script, args) => on("POST", "/execute/sync",
      { args, script: typeof script === "string" ? script : `return (${script})(...arguments)` });
    const keys = (...actions) => on("POST", "/actions", { actions: [{ type: "key", id: "keys", actions }] });
    return {
      goto: (url) => on("POST", "/url", { url }),
      evaluate: (script, ...args) => run(script, args),
      click: async (value) => {
        const [element] = Object.values(await on("POST", "/element", { using: "css selector", value }));
        await on("POST", `/element/${element}/click`, {});
      },
      keyboard: { type: (text) => keys(...[...text].flatMap((key) => [down(key), up(key)])),
        press: (key) => keys(down(key), up(key)), down: (key) => keys(down(key)), up: (key) => keys(up(key)) },
      // The window is the page's size and what its own bar and borders take.
      setViewport: async (size) => on("POST", "/window/rect", await run((size) =>
        ({ width: size.width + outerWidth - innerWidth, height: size.height + outerHeight - innerHeight }), [size])),
      // The driver acts from a window, even to open the next: the one the session began with stays open.
      close: async () => call("POST", "/window", { handle: (current = (await on("DELETE", "/window"))[0]) }),
    };
  };
  const close = () => call("DELETE", "").finally(() => [driver, x].forEach((child) => child.kill()));
  return { newPage, close, version: async () => `MiniBrowser/${capabilities.browserVersion}` };
}

// What the pupil sees, box k first; the answers (from 1) are read off the headers as a pupil reads them.
export const look = (page, k = 1) => page.evaluate((k) => {
  const $ = (name) => document.getElementById(name);
  const caption = (n) => $(`Label${n}`)?.textContent;
  // Box n's row header, then its column header: Label6-10 and 2-5 for the sums, 16-20 and 12-15 for the differences.
  const headers = (n, j = (n - 1) % 20, first = n > 20 ? 16 : 6) =>
    [first + Math.floor(j / 4), first - 4 + (j % 4)].map(caption);
  const answer = (n, [row, column] = headers(n)) => String(n > 20 ? row - column : Number(row) + Number(column));
  const box = $(`Text${k}`);
  return {
    answers: Array.from({ length: 41 }, (_, n) => n && answer(n)), headers: headers(k),
    text: box?.value, ink: box && getComputedStyle(box).color, name: box?.ariaLabel, focused: document.activeElement.id,
    face: [3, 4, 5].filter((n) => !$(`Image${n}`)?.hidden),
    // Right at the first attempt and offered, additions then subtractions.
    scores: [25, 27, 29, 31].map(caption), chalkDisabled: $("Label22")?.ariaDisabled === "true",
    ended: !$("ended").hidden && !$("Text1"),
    loaded: document.fonts.size > 0 && [...document.fonts].every((font) => font.status === "loaded"),
  };
}, k);

// Asserts the fields of `expected` in what look(page, k) sees.
export const sees = (page, k, expected) => look(page, k).then((seen) =>
  assert.deepEqual(Object.fromEntries(Object.keys(expected).map((key) => [key, seen[key]])), expected, `box ${k}`));
