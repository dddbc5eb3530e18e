// The site as a school's server hands it out: within its byte budget, installable,
// kept by its worker after one visit so that a new tab plays with the server gone,
// and never past its content security policy.
//   VENDARO_SITE=<the built site> node --test tests/web
import assert from "node:assert/strict";
import { readdir, stat } from "node:fs/promises";
import { join } from "node:path";
import { test } from "node:test";
import { launch, serve } from "./harness.mjs";

const site = process.env.VENDARO_SITE;
const budget = 120_000;

async function siteBytes() {
  const sizes = await Promise.all((await readdir(site)).map(async (name) => (await stat(join(site, name))).size));
  return sizes.reduce((sum, size) => sum + size, 0);
}

// A new tab on the drill, ready to play, counting what the policy turns away.
async function open(browser, address) {
  const page = await browser.newPage();
  await page.setViewport({ width: 792, height: 566 });
  await page.evaluateOnNewDocument(() => {
    window.violations = [];
    addEventListener("securitypolicyviolation", (event) => window.violations.push(event.violatedDirective));
  });
  const response = await page.goto(address);
  await page.waitForFunction(() => document.activeElement?.id === "Text1" && !document.getElementById("Image3").hidden);
  return { page, fromWorker: response.fromServiceWorker() };
}

// A new exercise from the chalk box, and its first sum, of the first row's and column's headers.
async function firstSum(page) {
  await page.mouse.click(60, 540);
  return page.evaluate(() => Number(Label6.textContent) + Number(Label2.textContent));
}

test("installable, offline after one visit, within its policy and budget", async () => {
  assert.ok((await siteBytes()) <= budget, `${await siteBytes()} bytes`);
  const server = await serve();
  const browser = await launch();
  try {
    const first = await open(browser, server.address);
    await first.page.evaluate(() => navigator.serviceWorker.ready);
    const session = await first.page.createCDPSession();
    assert.deepEqual((await session.send("Page.getInstallabilityErrors")).installabilityErrors, []);
    const reloaded = await first.page.reload();
    assert.equal(reloaded.fromServiceWorker(), true);

    server.stop();
    const { page, fromWorker } = await open(browser, server.address);
    assert.equal(fromWorker, true);
    // The first sum typed right: the core answers, and every picture and the face are there.
    await page.keyboard.type(String(await firstSum(page)));
    const seen = await page.evaluate(() => ({
      face: !document.getElementById("Image4").hidden,
      pictures: [...document.images].every((image) => image.complete && image.naturalWidth > 0),
      font: document.fonts.size > 0 && [...document.fonts].every((font) => font.status === "loaded"),
    }));
    assert.deepEqual(seen, { face: true, pictures: true, font: true });
    for (const tab of [first.page, page]) assert.deepEqual(await tab.evaluate(() => window.violations), []);
  } finally {
    await browser.close();
    server.stop();
  }
});
