// What every browser test needs: the built site served on a free port of the
// loopback, a browser started headless to look at it, and a look at the drill.
import assert from "node:assert/strict";
import { spawn } from "node:child_process";
import { setTimeout as sleep } from "node:timers/promises";
import puppeteer from "puppeteer-core";

// Long enough for a slow machine, short enough that a stuck test fails and the run goes on.
export const limit = { timeout: 180_000 };

// A helper process that keeps no test waiting and is gone when they end, even after a failure.
function start(command, args, options) {
  const child = spawn(command, args, options);
  process.once("exit", () => child.kill());
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

// Without the background-networking flags Chromium knocks at hosts this machine cannot reach.
const chromiumFlags = ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
  "--disable-component-update", "--disable-sync"];

// Puppeteer's own kill at exit misses a second browser: it takes the first off its list while going through it.
function killedAtExit(browser) {
  process.once("exit", () => browser.process().kill("SIGKILL"));
  return browser;
}

// Debian's Chromium over the DevTools protocol, or Debian's Firefox ESR over WebDriver BiDi.
export const launch = (engine = "chromium") => (engine === "firefox"
  ? puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr" })
  : puppeteer.launch({ executablePath: "/usr/bin/chromium", args: chromiumFlags })).then(killedAtExit);
// An engine and the version of its browser, as a test's name begins: "firefox 140.12.0".
export const named = async (engine, browser) => `${engine} ${(await browser.version()).split("/")[1]}`;

// A new tab on the drill just started, closed when test t ends, keeping in `violations`, if any, what the
// page's policy turned away. The default viewport holds the board at its own size, 792 x 566, and the
// column of buttons beside it.
export async function open(t, browser, address, viewport = { width: 882, height: 566 }) {
  const page = await browser.newPage();
  t.after(() => page.close());
  await page.setViewport(viewport);
  await page.evaluateOnNewDocument(() =>
    addEventListener("securitypolicyviolation", (event) => (window.violations ??= []).push(event.violatedDirective)));
  await page.goto(address);
  await until(page, () => document.activeElement?.id === "Text1" && !document.getElementById("Image3").hidden);
  return page;
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
    loaded: [...document.images].every((image) => image.complete && image.naturalWidth > 0) &&
      document.fonts.size > 0 && [...document.fonts].every((font) => font.status === "loaded"),
  };
}, k);

// Asserts the fields of `expected` in what look(page, k) sees.
export const sees = (page, k, expected) => look(page, k).then((seen) =>
  assert.deepEqual(Object.fromEntries(Object.keys(expected).map((key) => [key, seen[key]])), expected, `box ${k}`));
