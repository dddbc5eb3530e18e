// The browser edition's figures in Debian's Chromium: bytes per file, then the
// median time from navigation to ready to play (caret in the first box, waiting
// face shown), read in the page against its time origin. Each visit is a new tab,
// once it has settled, with no warm-up navigation: a first visit with an empty cache under three
// profiles, and a repeat visit with every service worker stopped first, as when
// the drill is opened again the next morning. Last, the floor the classroom
// network sets: the bytes before ready over the bandwidth, plus a round trip for
// each round of requests the page really waited for.
//   VENDARO_SITE=<the built site> node bench/web_bench.mjs [runs]
import { readdir, stat } from "node:fs/promises";
import { join } from "node:path";
import { setTimeout as sleep } from "node:timers/promises";
import { launch, serve } from "../tests/web/harness.mjs";

const site = process.env.VENDARO_SITE;
const runs = Number(process.argv[2] ?? 5);
const classroom = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 1.6e6 / 8 };
const profiles = {
  "no throttling": { network: null, cpu: 1 },
  "classroom network (1.6 Mbit/s, 150 ms)": { network: classroom, cpu: 1 },
  "the same, CPU 4 times slower": { network: classroom, cpu: 4 },
};

// Noted by the page itself, at the first frame in which the drill is ready. Nothing of it runs before a box
// has the focus, so that it takes no time from the loading it measures.
function watchReady() {
  const ready = () => document.activeElement?.id === "Text1" && document.getElementById("Image3")?.hidden === false;
  const look = () => (ready() ? (window.readyAt = performance.now()) : requestAnimationFrame(look));
  addEventListener("focusin", () => requestAnimationFrame(look), { once: true });
}

// What arrived before the drill was ready: the navigation and each file, with its bytes and times.
const arrivals = () => ({
  readyAt: window.readyAt,
  files: performance.getEntries()
    .filter((entry) => "responseEnd" in entry && entry.responseEnd > 0 && entry.responseEnd <= window.readyAt)
    .map(({ name, startTime, responseStart, responseEnd, encodedBodySize }) =>
      ({ name, startTime, responseStart, responseEnd, bytes: encodedBodySize ?? 0 })),
});

// Every worker of the browser stopped, and known to be: the repeat visit starts them itself if it needs them.
async function stopWorkers(session) {
  const versions = new Map();
  session.on("ServiceWorker.workerVersionUpdated", ({ versions: updated }) =>
    updated.forEach((version) => versions.set(version.versionId, version.runningStatus)));
  await session.send("ServiceWorker.enable");
  await session.send("ServiceWorker.stopAllWorkers");
  while ([...versions.values()].some((status) => status !== "stopped")) await sleep(20);
  await session.send("ServiceWorker.disable");
}

// A new tab, once it has settled: a new window builds Chromium's own pages as it opens (the omnibox's popup),
// which would share the machine's two cores with the drill. The tab before it closes once it is open, so that
// the window stays.
async function newTab(context, before) {
  const page = await context.newPage();
  await before?.close();
  await sleep(1500);
  return page;
}

async function visit(page, address, { network, cpu }, { workersStopped = false } = {}) {
  const session = await page.createCDPSession();
  if (workersStopped) await stopWorkers(session);
  if (network) await session.send("Network.emulateNetworkConditions", network);
  await session.send("Emulation.setCPUThrottlingRate", { rate: cpu });
  await page.evaluateOnNewDocument(watchReady);
  const response = await page.goto(address, { waitUntil: "domcontentloaded" });
  await page.waitForFunction(() => window.readyAt !== undefined, { polling: 50 });
  const { readyAt, files } = await page.evaluate(arrivals);
  await session.detach();
  return { readyAt, files, fromWorker: response.fromServiceWorker(), page };
}

// A request belongs to the round after the latest one whose answer had begun when it was made.
function rounds(files) {
  const round = new Map();
  for (const file of files.toSorted((a, b) => a.startTime - b.startTime)) {
    const before = files.filter((other) => other !== file && other.responseStart <= file.startTime);
    round.set(file, 1 + Math.max(0, ...before.map((other) => round.get(other) ?? 0)));
  }
  return round;
}

// No page could be ready sooner: the bytes of round r and after arrive no earlier than r round trips in.
function floor(files, { latency, downloadThroughput }) {
  const round = rounds(files);
  const deepest = Math.max(...round.values());
  let earliest = 0;
  for (let r = 1; r <= deepest; ++r) {
    const bytes = files.filter((file) => round.get(file) >= r).reduce((sum, file) => sum + file.bytes, 0);
    earliest = Math.max(earliest, r * latency + (1000 * bytes) / downloadThroughput);
  }
  return { bytes: files.reduce((sum, file) => sum + file.bytes, 0), rounds: deepest, earliest };
}

const median = (values) => values.toSorted((a, b) => a - b)[Math.floor(values.length / 2)];
const seconds = (ms) => `${(ms / 1000).toFixed(2)} s`;
const spread = (values) => `${seconds(median(values))} (${seconds(Math.min(...values))} to ${seconds(Math.max(...values))})`;

// Each run in a context of its own, which starts with an empty cache and no worker.
async function coldAndRepeat(browser, address, profile) {
  const cold = [];
  const repeat = [];
  for (let run = 0; run < runs; ++run) {
    const context = await browser.createBrowserContext();
    const first = await visit(await newTab(context), address, profile);
    cold.push(first);
    if (names.includes("service_worker.js")) await first.page.evaluate(() => navigator.serviceWorker.ready);
    repeat.push(await visit(await newTab(context, first.page), address, profile, { workersStopped: true }));
    await context.close();
  }
  return { cold, repeat };
}

const names = (await readdir(site)).sort();
const sizes = await Promise.all(names.map(async (name) => (await stat(join(site, name))).size));
console.log("file                      bytes");
names.forEach((name, k) => console.log(`${name.padEnd(24)} ${String(sizes[k]).padStart(7)}`));
console.log(`${"the whole site".padEnd(24)} ${String(sizes.reduce((a, b) => a + b)).padStart(7)}\n`);

const server = await serve(site);
const browser = await launch();
try {
  console.log(`${(await browser.version()).padEnd(40)} median of ${runs} (fastest to slowest)`);
  console.log("first visit, empty cache");
  let last;
  for (const [name, profile] of Object.entries(profiles)) {
    last = await coldAndRepeat(browser, server.address, profile);
    console.log(`  ${name.padEnd(40)} ${spread(last.cold.map((run) => run.readyAt))}`);
  }
  const fromWorker = last.repeat.every((run) => run.fromWorker) ? "answered by the worker" : "not all by a worker";
  console.log(`repeat visit, workers stopped, the same profile`);
  console.log(`  ${fromWorker.padEnd(40)} ${spread(last.repeat.map((run) => run.readyAt))}`);
  const floors = last.cold.map((run) => floor(run.files, classroom));
  const { bytes, rounds: deepest } = floors[0];
  console.log(`floor on the classroom network: ${bytes} bytes before ready in ${last.cold[0].files.length} requests, ` +
    `${deepest} round${deepest > 1 ? "s" : ""}: ${seconds(median(floors.map((f) => f.earliest)))}`);
} finally {
  await browser.close();
  server.stop();
}
