// The browser edition in Debian's Chromium, headless, driven with real key and
// mouse events over the DevTools protocol: a whole exercise, and the routes into
// a box that must stay closed. What the core decides, its own tests prove.
//   VENDARO_SITE=<the built site> node --test tests/web
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { launch, serve } from "./harness.mjs";

let server, browser, address;

before(async () => {
  server = await serve();
  address = server.address;
  browser = await launch();
  await browser.defaultBrowserContext().overridePermissions(address, ["clipboard-read", "clipboard-sanitized-write"]);
});

after(async () => {
  await browser?.close();
  server?.stop();
});

// The drill just started, with a new exercise drawn.
async function exercise() {
  const page = await browser.newPage();
  await page.setViewport({ width: 792, height: 566 });
  await page.goto(address);
  await page.waitForFunction(() => document.activeElement?.id === "Text1" && !document.getElementById("Image3").hidden);
  await page.setOfflineMode(true);
  await page.mouse.click(60, 540);
  return page;
}

// What the pupil sees; the answers are read off the headers as a pupil reads them.
const look = (page) =>
  page.evaluate(() => {
    const $ = (name) => document.getElementById(name);
    const caption = (k) => $(`Label${k}`)?.textContent;
    const answer = (k) => {
      const [j, first] = k > 20 ? [k - 21, 16] : [k - 1, 6];
      const [row, column] = [Number(caption(first + Math.floor(j / 4))), Number(caption(first - 4 + (j % 4)))];
      return String(k > 20 ? row - column : row + column);
    };
    const upTo = (n, read) => Array.from({ length: n + 1 }, (_, k) => k && read(k));
    return {
      answers: upTo(40, answer),
      face: [3, 4, 5].filter((k) => !$(`Image${k}`)?.hidden),
      ink: upTo(40, (k) => $(`Text${k}`) && getComputedStyle($(`Text${k}`)).color),
      captions: upTo(31, caption),
      chalkDisabled: $("Label22")?.ariaDisabled === "true",
      ended: !$("ended").hidden && !$("Text1"),
      picturesShown: [...document.images].every((image) => image.complete && image.naturalWidth > 0),
    };
  });

test("a whole exercise with real keys, offline, then the disc", async () => {
  const page = await exercise();
  let seen = await look(page);
  const { answers } = seen;
  assert.deepEqual([seen.captions[27], seen.captions[31], seen.chalkDisabled], ["20", "20", true]);
  await page.keyboard.type(answers[1]);
  seen = await look(page);
  assert.deepEqual([seen.face, seen.ink[1], seen.captions[25]], [[4], "rgb(0, 0, 192)", "1"]);

  await page.keyboard.press("Tab");
  await page.keyboard.type(answers[2].slice(0, -1) + ((Number(answers[2].at(-1)) + 1) % 10));
  seen = await look(page);
  assert.deepEqual([seen.face, seen.ink[2]], [[5], "rgb(255, 0, 0)"]);
  await page.keyboard.type(answers[2]);
  seen = await look(page);
  assert.deepEqual([seen.face, seen.ink[2], seen.captions[25]], [[4], "rgb(0, 128, 0)", "1"]);

  for (let k = 3; k <= 40; ++k) {
    await page.keyboard.press("Tab");
    assert.equal((await look(page)).chalkDisabled, true);
    if (answers[k].length === 2) await page.keyboard.type(answers[k]);
    else {
      // One digit held down: a repeated press, one release, one judgement.
      await page.keyboard.down(answers[k]);
      await page.keyboard.down(answers[k]);
      await page.keyboard.up(answers[k]);
    }
  }
  seen = await look(page);
  assert.deepEqual([seen.chalkDisabled, seen.captions[25], seen.captions[29], seen.picturesShown], [false, "19", "20", true]);

  // The whole board grows with the window, keeping its proportions, and its disc still ends the drill.
  await page.setViewport({ width: 1188, height: 1000 });
  await page.waitForFunction(() => document.getElementById("board").getBoundingClientRect().width === 1188);
  await page.mouse.click(140 * 1.5, 540 * 1.5 + 75.5);
  assert.equal((await look(page)).ended, true);
});

// Half of a two-digit answer, selected: no route but typing may change it or copy it.
test("no route but typing puts text in a box", async () => {
  const page = await exercise();
  const box = await page.$(`#Text${(await look(page)).answers.findIndex((answer) => answer.length === 2)}`);
  const { x, y } = await box.boundingBox();
  const session = await page.createCDPSession();
  const drop = async () => {
    const data = { items: [{ mimeType: "text/plain", data: "12" }], dragOperationsMask: 1 };
    for (const type of ["dragEnter", "dragOver", "drop"]) await session.send("Input.dispatchDragEvent", { type, x: x + 30, y: y + 30, data });
  };
  const routes = [["Control", "KeyV", "paste"], ["Shift", "Insert", "paste"], ["Control", "KeyX", "cut"],
    ["Shift", "Delete", "cut"], ["Control", "KeyZ", "undo"], ["drop"]];
  for (const [modifier, key, command] of routes) {
    await box.click();
    for (const key of ["End", "Backspace", "Backspace", "1"]) await page.keyboard.press(key);
    await page.keyboard.down("Shift");
    await page.keyboard.press("Home");
    await page.keyboard.up("Shift");
    await page.evaluate(() => navigator.clipboard.writeText("12"));
    if (key) {
      await page.keyboard.down(modifier);
      await page.keyboard.press(key, { commands: [command] });
      await page.keyboard.up(modifier);
    } else await drop();
    assert.equal(await box.evaluate((element) => element.value), "1", `${modifier}+${key}`);
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "12", `${modifier}+${key}`);
  }
  // An input method's commit is typed character by character through the filter.
  await page.keyboard.press("Backspace");
  await session.send("Input.insertText", { text: "é-a1x" });
  assert.equal(await box.evaluate((element) => element.value), "1");
});
