// The site as a school's server hands it out: within its byte budget, installable,
// kept by its worker after one visit so that a new tab plays with the server gone,
// and never past its content security policy.
//   VENDARO_SITE=<the built site> node --test tests/web
import assert from "node:assert/strict";
import { readdirSync, statSync } from "node:fs";
import { after, test } from "node:test";
import { launch, limit, look, named, open, sees, serve } from "./harness.mjs";

const browser = await launch();
after(() => browser.close());
test(`${await named("chromium", browser)}: installable, offline after one visit, within its policy and budget`, limit, async (t) => {
  const site = process.env.VENDARO_SITE;
  const bytes = readdirSync(site).reduce((sum, name) => sum + statSync(`${site}/${name}`).size, 0);
  assert.ok(bytes <= 120_000, `${bytes} bytes`);
  const server = await serve();
  t.after(server.stop);
  const first = await open(t, browser, server.address);
  await first.evaluate(() => navigator.serviceWorker.ready);
  const session = await first.createCDPSession();
  assert.deepEqual((await session.send("Page.getInstallabilityErrors")).installabilityErrors, []);
  assert.equal((await first.reload()).fromServiceWorker(), true);

  server.stop();
  // A new exercise in a new tab, its first sum typed right: the core answers, every picture and the face are there.
  const page = await open(t, browser, server.address);
  await page.click("#Label22");
  await page.keyboard.type((await look(page)).answers[1]);
  await sees(page, 1, { face: [4], loaded: true });
  // Every picture of the board is drawn in the page, and the pointers the style names come from the worker.
  const missing = await page.evaluate(async () => {
    const pointers = [...document.styleSheets].flatMap((sheet) => [...sheet.cssRules])
      .flatMap((rule) => [...(rule.style?.cursor ?? "").matchAll(/url\("?([^")]+)/g)].map((found) => found[1]));
    const failed = await Promise.all([...new Set(pointers)].map(async (url) => (await fetch(url)).ok || url));
    const undrawn = [...document.querySelectorAll(".picture")].filter((picture) => !picture.querySelector("svg > *"));
    return [...failed.filter((url) => url !== true), ...undrawn.map((picture) => picture.id || picture.className)];
  });
  assert.deepEqual(missing, []);
  for (const tab of [first, page]) assert.deepEqual(await tab.evaluate(() => window.violations ?? []), []);
});
