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

// A new tab on the drill, ready to play, counting what the policy turns away.
async function open(browser, address) {
  const page = await browser.newPage();
  await page.setViewport({ width: 792, height: 566 });
  await page.evaluateOnNewDocument(() => {
    window.violations = [];
    addEventListener("securitypolicyviolation", (event) => window.violations.push(event.violatedDirective));
  });
  await page.goto(address);
  await page.waitForFunction(() => document.activeElement?.id === "Text1" && !document.getElementById("Image3").hidden);
  return page;
}

test("installable, offline after one visit, within its policy and budget", async () => {
  const sizes = await Promise.all((await readdir(site)).map(async (name) => (await stat(join(site, name))).size));
  const bytes = sizes.reduce((sum, size) => sum + size);
  assert.ok(bytes <= budget, `${bytes} bytes`);
  const server = await serve();
  const browser = await launch();
  try {
    const first = await open(browser, server.address);
    await first.evaluate(() => navigator.serviceWorker.ready);
    const session = await first.createCDPSession();
    assert.deepEqual((await session.send("Page.getInstallabilityErrors")).installabilityErrors, []);
    assert.equal((await first.reload()).fromServiceWorker(), true);

    server.stop();
    const page = await open(browser, server.address);
    // A new exercise from the chalk box, its first sum typed right: the core answers, and every
    // picture and the face are there.
    await page.click("#Label22");
    await page.keyboard.type(String(await page.evaluate(() => Number(Label6.textContent) + Number(Label2.textContent))));
    const seen = await page.evaluate(() => ({
      face: !document.getElementById("Image4").hidden,
      pictures: [...document.images].every((image) => image.complete && image.naturalWidth > 0),
      font: document.fonts.size > 0 && [...document.fonts].every((font) => font.status === "loaded"),
    }));
    assert.deepEqual(seen, { face: true, pictures: true, font: true });
    for (const tab of [first, page]) assert.deepEqual(await tab.evaluate(() => window.violations), []);
  } finally {
    await browser.close();
    server.stop();
  }
});
