// The browser edition in Debian's Chromium, Firefox ESR and WebKitGTK, headless or
// on an X server of its own, driven with real key, mouse and touch events: a whole
// exercise, a new tab with the server gone, the routes into a box that must stay
// closed, the number pad, the fit to every classroom screen and an accessibility
// audit; and the site as a school's server hands it out. What the core decides, its
// own tests prove.
//   VENDARO_SITE=<the built site> node --test tests/web
import assert from "node:assert/strict";
import { readdirSync, statSync } from "node:fs";
import { after, test } from "node:test";
import axeCore from "axe-core";
import { launch, limit, look, named, open, sees, serve, until } from "./harness.mjs";

// What every screen shows, the pad shown or not.
const fitting = { inSight: true, noScroll: true, fills: true, zoom: 1, bigKeys: true, keyboardSuitsPad: true };
// Width, height and whether the screen is touched, in Chromium's mobile emulation when it is.
const screens = [[360, 640, true], [640, 360, true], [390, 844, true], [768, 1024, true], [1024, 768, true],
  [2160, 3840, true], [1024, 768, false], [1366, 768, false], [1920, 1080, false], [3840, 2160, false]];

// The same digits as the right answer but the last, so that the box is judged.
const wrong = (answer) => answer.slice(0, -1) + ((Number(answer.at(-1)) + 1) % 10);
// A key pressed with a modifier held; `command` is the editing command Chromium carries out for it.
async function chord(page, modifier, key, command) {
  await page.keyboard.down(modifier);
  await page.keyboard.press(key, { commands: command && [command] });
  await page.keyboard.up(modifier);
}
// The keys that paste, cut or undo.
const editingChords = [["Control", "KeyV", "paste"], ["Shift", "Insert", "paste"], ["Control", "KeyX", "cut"],
  ["Shift", "Delete", "cut"], ["Control", "KeyZ", "undo"]];

// What a page shows on a screen: all of it in sight, as large as it fits, the pad's keys, the keyboard asked for.
function fit() {
  const { clientWidth: width, clientHeight: height, scrollWidth, scrollHeight } = document.documentElement;
  const [board, side] = ["board", "side"].map((id) => document.getElementById(id).getBoundingClientRect());
  const pad = document.getElementById("pad");
  const keys = [...pad.querySelectorAll("button")].map((key) => key.getBoundingClientRect());
  // The side column stands right of or under the board.
  return {
    inSight: board.left >= 0 && board.top >= 0 && side.right <= width && side.bottom <= height,
    noScroll: scrollWidth <= width && scrollHeight <= height,
    fills: width - (side.right - board.left) < 1.5 || height - (side.bottom - board.top) < 1.5,
    zoom: visualViewport.scale,
    padShown: !pad.hidden,
    bigKeys: pad.hidden || keys.every((key) => Math.min(key.width, key.height) >= 56),
    // The pad, when shown, stands for the system keyboard; else a keyboard of digits is asked for.
    keyboardSuitsPad: document.getElementById("Text1").inputMode === (pad.hidden ? "numeric" : "none"),
  };
}

// The pictures of the board not drawn in the page and the pointers its style names that cannot be fetched.
async function missing() {
  const rules = [...document.styleSheets].flatMap((sheet) => [...sheet.cssRules]);
  const pointers = new Set(rules.flatMap((rule) => [...(rule.style?.cursor ?? "").matchAll(/url\("?([^")]+)/g)]));
  const fetched = await Promise.all([...pointers].map(([, url]) => fetch(url).then((reply) => reply.ok || url, () => url)));
  const undrawn = [...document.querySelectorAll(".picture")].filter((picture) => !picture.querySelector("svg > *"));
  return [...fetched.filter((url) => url !== true), ...undrawn.map((picture) => picture.id || picture.className)];
}

const server = await serve();
// WebKit is the engine of every browser on an iPad.
const browsers = { chromium: await launch(), firefox: await launch("firefox"), webkit: await launch("webkit") };
const clipboard = ["clipboard-read", "clipboard-sanitized-write"];
await browsers.chromium.defaultBrowserContext().overridePermissions(server.address, clipboard);
after(() => Promise.all([...Object.values(browsers).map((browser) => browser && browser.close()), server.stop()]));

for (const [engine, browser] of Object.entries(browsers)) {
  const [name, options] = [await named(engine, browser), { ...limit, skip: !browser && "WebKitWebDriver is missing" }];
  test(`${name}: a whole exercise offline, Tab round the boxes, axe at each stage, the disc`, options, async (t) => {
    const own = await serve();
    t.after(own.stop);
    const page = await open(t, browser, own.address);
    own.stop();
    await page.evaluate(axeCore.source);
    const audit = async (state) => assert.deepEqual((await page.evaluate(() => axe.run())).violations, [], state);
    await audit("start");
    await page.click("#Label22");
    await audit("exercise");
    const { answers } = await look(page);

    await page.keyboard.type(answers[1]);
    await page.keyboard.press("Tab");
    await page.keyboard.type(wrong(answers[2]));
    await sees(page, 2, { face: [5], ink: "rgb(255, 0, 0)" });
    // Taken away by another route (an assistive tool, say), the digits are typed away as backspaces.
    for (const _ of answers[2]) await page.evaluate(() => document.execCommand("delete"));
    await sees(page, 2, { text: "", ink: "rgb(0, 0, 192)" });
    await page.keyboard.type(answers[2]);
    await sees(page, 2, { face: [4], ink: "rgb(0, 128, 0)", scores: ["1", "20", "", "20"] });
    for (let k = 3; k <= 40; ++k) {
      await page.keyboard.press("Tab");
      const { headers, name, chalkDisabled } = await look(page, k);
      assert.deepEqual([name, chalkDisabled], [headers.join(k > 20 ? " meno " : " più "), true]);
      if (answers[k].length === 2) await page.keyboard.type(answers[k]);
      // One digit held down: a repeated press, one release, one judgement.
      else for (const move of ["down", "down", "up"]) await page.keyboard[move](answers[k]);
    }
    await page.keyboard.press("Tab");
    await sees(page, 1, { focused: "Text1", ink: "rgb(0, 0, 192)", scores: ["19", "20", "20", "20"], loaded: true });
    await chord(page, "Shift", "Tab");
    await sees(page, 40, { focused: "Text40", chalkDisabled: false });

    // The whole board grows with the window, keeping its proportions, and its disc still ends the drill.
    await page.setViewport({ width: 882 * 1.5, height: 1000 });
    await until(page, () => document.getElementById("board").getBoundingClientRect().width === 1188);
    await page.click("#padSwitch");
    await audit("pad");
    for (const shown of [true, false]) {
      await page.click("#fullScreen");
      // The button follows the change, which is told a frame after the page is in full screen.
      const pressed = (on) =>
        Boolean(document.fullscreenElement) === on && document.getElementById("fullScreen").ariaPressed === String(on);
      await until(page, pressed, shown);
    }
    await page.click("#Label23");
    await sees(page, 1, { ended: true });
    await audit("ended");
  });

  // The worker keeps the drill after one visit: a new tab plays with the server gone, every picture drawn in the
  // page and every pointer the style names at hand, and neither tab goes past the page's policy.
  test(`${name}: offline after one visit, a new tab from the worker`, options, async (t) => {
    const own = await serve();
    t.after(own.stop);
    const first = await open(t, browser, own.address);
    await first.evaluate(() => navigator.serviceWorker.ready);
    own.stop();
    const page = await open(t, browser, own.address);
    await page.click("#Label22");
    await page.keyboard.type((await look(page)).answers[1]);
    await sees(page, 1, { face: [4], loaded: true });
    assert.deepEqual(await page.evaluate(missing), [], "pictures and pointers");
    assert.equal(await page.evaluate(() => Boolean(navigator.serviceWorker.controller)), true);
    for (const tab of [first, page]) assert.deepEqual(await tab.evaluate(() => window.violations ?? []), []);
  });

  // Half of a two-digit answer, selected: no route but typing may change it or copy it.
  test(`${name}: no route but typing puts text in a box`, options, async (t) => {
    const page = await open(t, browser, server.address);
    await page.click("#Label22");
    const k = (await look(page)).answers.findIndex((answer) => answer.length === 2);
    const routes = Object.fromEntries(editingChords.map((keys) => [keys.join("+"), () => chord(page, ...keys)]));
    // A Delete that takes nothing away, then text with no beforeinput, as some assistive tools insert it.
    routes["Delete, insertText"] = async () => {
      for (const key of ["End", "Delete"]) await page.keyboard.press(key);
      await page.evaluate(() => document.execCommand("insertText", false, "xyz"));
    };
    if (engine === "chromium") {
      const data = { items: [{ mimeType: "text/plain", data: "12" }], dragOperationsMask: 1 };
      routes.drop = async () => {
        const at = await (await page.$(`#Text${k}`)).clickablePoint();
        for (const move of ["dragEnter", "dragOver", "drop"]) await page.mouse[move](at, data);
      };
      // An input method's commit, taken whole (Input.insertText): typed through the filter one by one.
      routes["input method"] = () => page.keyboard.sendCharacter("é-a1x");
    }
    for (const [route, take] of Object.entries(routes)) {
      await page.click(`#Text${k}`);
      for (const key of ["End", "Backspace", "Backspace", "1"]) await page.keyboard.press(key);
      await chord(page, "Shift", "Home");
      await page.evaluate(() => navigator.clipboard.writeText("12"));
      await take();
      assert.equal((await look(page, k)).text, "1", route);
      if (engine === "chromium") assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "12", route);
    }
  });
}

const chromium = await named("chromium", browsers.chromium);
test(`${chromium}: on every screen, pad or not, all in sight, as large as it fits, keys a finger's size`, limit, async (t) => {
  for (const [width, height, touch] of screens) {
    const page = await open(t, browsers.chromium, server.address, { width, height, isMobile: touch, hasTouch: touch });
    for (const padShown of [touch, !touch]) {
      assert.deepEqual(await page.evaluate(fit), { ...fitting, padShown }, `${width} x ${height}`);
      await page.click("#padSwitch");
    }
  }
});

test(`${chromium}: the pad by touch: wrong, backspace, right, each said once, the focus kept`, limit, async (t) => {
  const tablet = { width: 768, height: 1024, isMobile: true, hasTouch: true };
  const page = await open(t, browsers.chromium, server.address, tablet);
  await page.tap("#Label22");
  await page.$eval("#verdict", (region) =>
    new MutationObserver(() => (region.said ??= []).push(region.textContent)).observe(region, { childList: true }));
  const { answers } = await look(page);
  const k = answers.findIndex((answer) => answer.length === 2);
  await page.tap(`#Text${k}`);
  // A wrong answer, one digit more and a backspace, then the right answer.
  const keys = [...wrong(answers[k]), answers[k][0], "\b", ...answers[k]];
  for (const key of keys) await page.tap(`#pad [value="${key.charCodeAt(0)}"]`);
  await sees(page, k, { text: answers[k], ink: "rgb(0, 128, 0)", focused: `Text${k}` });
  assert.deepEqual(await page.$eval("#verdict", (region) => region.said), ["Sbagliato", "Esatto!"]);
  // A keyboard still types with the pad shown.
  await page.keyboard.press("Tab");
  await page.keyboard.type(answers[k + 1]);
  await sees(page, k + 1, { face: [4], focused: `Text${k + 1}` });
});

// Within its byte budget, installable by Chromium's own check, answered by its worker after one visit, within its policy.
test(`${chromium}: installable, answered by its worker after one visit, within its policy and budget`, limit, async (t) => {
  const site = process.env.VENDARO_SITE;
  const bytes = readdirSync(site).reduce((sum, name) => sum + statSync(`${site}/${name}`).size, 0);
  assert.ok(bytes <= 120_000, `${bytes} bytes`);
  const own = await serve();
  t.after(own.stop);
  const page = await open(t, browsers.chromium, own.address);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const installability = await (await page.createCDPSession()).send("Page.getInstallabilityErrors");
  assert.deepEqual(installability.installabilityErrors, []);
  assert.equal((await page.reload()).fromServiceWorker(), true);
  assert.deepEqual(await page.evaluate(() => window.violations ?? []), []);
});
