// The browser edition's figures in Debian's Chromium: bytes per file, then the
// median time from navigation to ready to play (caret in the first box, waiting
// face shown) with a cold cache under three profiles, and a repeat visit that its
// worker answers, and the floor the classroom network sets.
//   VENDARO_SITE=<the built site> node bench/web_bench.mjs [runs]
import { readdir, stat } from "node:fs/promises";
import { join } from "node:path";
import { launch, serve } from "../tests/web/harness.mjs";

const site = process.env.VENDARO_SITE;
const runs = Number(process.argv[2] ?? 5);
const classroom = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 1.6e6 / 8 };
const profiles = {
  "no throttling": { network: null, cpu: 1 },
  "classroom network (1.6 Mbit/s, 150 ms)": { network: classroom, cpu: 1 },
  "the same, CPU 4 times slower": { network: classroom, cpu: 4 },
};

// Noted by the page itself, at the first frame in which the drill is ready.
function watchReady() {
  const ready = () => document.activeElement?.id === "Text1" && document.getElementById("Image3")?.hidden === false;
  const look = () => (ready() ? (window.readyAt = performance.now()) : requestAnimationFrame(look));
  requestAnimationFrame(look);
}

async function visit(context, address, { network, cpu }) {
  const page = await context.newPage();
  // A page of the same server first, so that the renderer's start is not counted: a missing file.
  await page.goto(`${address}/nothing`);
  const session = await page.createCDPSession();
  if (network) await session.send("Network.emulateNetworkConditions", network);
  await session.send("Emulation.setCPUThrottlingRate", { rate: cpu });
  await page.evaluateOnNewDocument(watchReady);
  const response = await page.goto(address, { waitUntil: "domcontentloaded" });
  await page.waitForFunction(() => window.readyAt !== undefined, { polling: 50 });
  const result = await page.evaluate(() => ({
    readyAt: window.readyAt,
    // What arrived before the drill was ready: the floor's bytes.
    bytes: performance.getEntries().filter((entry) => entry.responseEnd <= window.readyAt)
      .reduce((sum, entry) => sum + (entry.encodedBodySize ?? 0), 0),
  }));
  return { ...result, fromWorker: response.fromServiceWorker(), page };
}

const median = (values) => values.toSorted((a, b) => a - b)[Math.floor(values.length / 2)];
const seconds = (ms) => `${(ms / 1000).toFixed(2)} s`;

// Each run in a context of its own, which starts with an empty cache and no worker.
async function coldAndRepeat(browser, address, profile) {
  const cold = [];
  const repeat = [];
  for (let run = 0; run < runs; ++run) {
    const context = await browser.createBrowserContext();
    const first = await visit(context, address, profile);
    cold.push(first);
    if (names.includes("service_worker.js")) await first.page.evaluate(() => navigator.serviceWorker.ready);
    repeat.push(await visit(context, address, profile));
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
  console.log(`ready to play, median of ${runs}, cold cache`);
  let last;
  for (const [name, profile] of Object.entries(profiles)) {
    last = await coldAndRepeat(browser, server.address, profile);
    console.log(`  ${name.padEnd(40)} ${seconds(median(last.cold.map((run) => run.readyAt)))}`);
  }
  const fromWorker = last.repeat.every((run) => run.fromWorker) ? "answered by the worker" : "not all by a worker";
  console.log(`  ${"repeat visit, slow CPU, classroom".padEnd(40)} ${seconds(median(last.repeat.map((run) => run.readyAt)))} (${fromWorker})`);
  const bytes = median(last.cold.map((run) => run.bytes));
  const floor = (1000 * bytes) / classroom.downloadThroughput + classroom.latency;
  console.log(`floor on the classroom network: ${bytes} bytes before ready / 1.6 Mbit/s + 150 ms = ${seconds(floor)}`);
} finally {
  await browser.close();
  server.stop();
}
