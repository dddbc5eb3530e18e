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
  // Every picture the board shows is a view of the sheet, as the page names it.
  const missing = await page.evaluate(async () => {
    const sheet = await (await fetch("pictures.svg")).text();
    return [...document.images].map((image) => new URL(image.src).hash.slice(1)).filter((view) => !sheet.includes(`<view id="${view}"`));
  });
  assert.deepEqual(missing, []);
  for (const tab of [first, page]) assert.deepEqual(await tab.evaluate(() => window.violations ?? []), []);
});
