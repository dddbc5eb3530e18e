// The browser edition in Debian's Chromium and Firefox ESR, headless, driven with
// real key, mouse and touch events: a whole exercise, the routes into a box that
// must stay closed, the number pad, the fit to every classroom screen and an
// accessibility audit. What the core decides, its own tests prove.
//   VENDARO_SITE=<the built site> node --test tests/web
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { after, before, describe, test } from "node:test";
import { launch, serve } from "./harness.mjs";

const axeSource = await readFile(new URL("node_modules/axe-core/axe.min.js", import.meta.url), "utf8");
// The board at its own size, 792 x 566, and the column of buttons beside it.
const desk = { width: 882, height: 566 };

// The drill just started; with `draw`, a new exercise drawn by the chalk box.
async function open(browser, address, viewport = desk, draw = true) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  await page.goto(address);
  await page.waitForFunction(() => document.activeElement?.id === "Text1" && !document.getElementById("Image3").hidden);
  if (draw) await page.click("#Label22");
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
      text: upTo(40, (k) => $(`Text${k}`)?.value),
      names: upTo(40, (k) => $(`Text${k}`)?.ariaLabel),
      captions: upTo(31, caption),
      chalkDisabled: $("Label22")?.ariaDisabled === "true",
      ended: !$("ended").hidden && !$("Text1"),
      picturesShown: [...document.images].every((image) => image.complete && image.naturalWidth > 0),
      focused: document.activeElement.id,
    };
  });

// The same digits as the right answer but the last, so that the box is judged.
const wrong = (answer) => answer.slice(0, -1) + ((Number(answer.at(-1)) + 1) % 10);
// A key pressed with a modifier held; `command` is the editing command Chromium carries out for it.
async function chord(page, modifier, key, command) {
  await page.keyboard.down(modifier);
  await page.keyboard.press(key, { commands: command && [command] });
  await page.keyboard.up(modifier);
}

for (const engine of ["chromium", "firefox"]) {
  describe(engine, () => {
    let server, browser;
    before(async () => {
      [server, browser] = await Promise.all([serve(), launch(engine)]);
      if (engine === "chromium")
        await browser.defaultBrowserContext().overridePermissions(server.address, ["clipboard-read", "clipboard-sanitized-write"]);
    });
    after(async () => {
      await browser?.close();
      server?.stop();
    });

    test("a whole exercise with real keys, offline, Tab round the boxes, then the disc", async () => {
      const own = await serve();
      const page = await open(browser, own.address);
      own.stop();
      let seen = await look(page);
      const { answers } = seen;
      assert.deepEqual([seen.captions[27], seen.captions[31], seen.chalkDisabled], ["20", "20", true]);
      assert.deepEqual([seen.names[1], seen.names[40]], [`${seen.captions[6]} più ${seen.captions[2]}`, `${seen.captions[20]} meno ${seen.captions[15]}`]);
      await page.keyboard.type(answers[1]);
      seen = await look(page);
      assert.deepEqual([seen.face, seen.ink[1], seen.captions[25]], [[4], "rgb(0, 0, 192)", "1"]);

      await page.keyboard.press("Tab");
      await page.keyboard.type(wrong(answers[2]));
      seen = await look(page);
      assert.deepEqual([seen.face, seen.ink[2]], [[5], "rgb(255, 0, 0)"]);
      // Taken away by another route (an assistive tool, say), the digits are typed away as backspaces.
      for (const _ of answers[2]) await page.evaluate(() => document.execCommand("delete"));
      seen = await look(page);
      assert.deepEqual([seen.text[2], seen.ink[2]], ["", "rgb(0, 0, 192)"]);
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
      await page.keyboard.press("Tab");
      assert.equal((await look(page)).focused, "Text1");
      await chord(page, "Shift", "Tab");
      assert.equal((await look(page)).focused, "Text40");

      // The whole board grows with the window, keeping its proportions, and its disc still ends the drill.
      await page.setViewport({ width: desk.width * 1.5, height: 1000 });
      await page.waitForFunction(() => document.getElementById("board").getBoundingClientRect().width === 1188);
      await page.click("#Label23");
      assert.equal((await look(page)).ended, true);
    });

    // Half of a two-digit answer, selected: no route but typing may change it or copy it.
    test("no route but typing puts text in a box", async () => {
      const page = await open(browser, server.address);
      const box = await page.$(`#Text${(await look(page)).answers.findIndex((answer) => answer.length === 2)}`);
      const routes = Object.fromEntries(
        [["Control", "KeyV", "paste"], ["Shift", "Insert", "paste"], ["Control", "KeyX", "cut"], ["Shift", "Delete", "cut"],
          ["Control", "KeyZ", "undo"]].map((keys) => [keys.join("+"), () => chord(page, ...keys)]));
      // A Delete that takes nothing away, then text with no beforeinput, as some assistive tools insert it.
      routes["Delete, insertText"] = async () => {
        for (const key of ["End", "Delete"]) await page.keyboard.press(key);
        await page.evaluate(() => document.execCommand("insertText", false, "xyz"));
      };
      if (engine === "chromium") {
        const session = await page.createCDPSession();
        const { x, y } = await box.boundingBox();
        const data = { items: [{ mimeType: "text/plain", data: "12" }], dragOperationsMask: 1 };
        routes.drop = async () => {
          for (const type of ["dragEnter", "dragOver", "drop"]) await session.send("Input.dispatchDragEvent", { type, x: x + 30, y: y + 30, data });
        };
        // An input method's commit is typed character by character through the filter.
        routes["input method"] = () => session.send("Input.insertText", { text: "é-a1x" });
      }
      for (const [route, take] of Object.entries(routes)) {
        await box.click();
        for (const key of ["End", "Backspace", "Backspace", "1"]) await page.keyboard.press(key);
        await chord(page, "Shift", "Home");
        await page.evaluate(() => navigator.clipboard.writeText("12"));
        await take();
        assert.equal(await box.evaluate((element) => element.value), "1", route);
        if (engine === "chromium") assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "12", route);
      }
    });

    test("axe finds no violation at the start, with an exercise, with the pad, in full screen and after the disc", async () => {
      const page = await open(browser, server.address, desk, false);
      await page.evaluate(axeSource);
      const audit = async (state) => assert.deepEqual((await page.evaluate(() => axe.run())).violations.map((v) => v.id), [], state);
      await audit("start");
      await page.click("#Label22");
      await audit("exercise");
      await page.click("#padSwitch");
      await audit("pad");
      for (const shown of [true, false]) {
        await page.click("#fullScreen");
        await page.waitForFunction((on) => Boolean(document.fullscreenElement) === on, {}, shown);
        assert.equal(await page.$eval("#fullScreen", (button) => button.ariaPressed), String(shown));
      }
      await page.click("#Label23");
      await audit("ended");
    });

    if (engine === "chromium") chromiumOnly(() => [server, browser]);
  });
}

// Width, height and whether the screen is touched, in Chromium's mobile emulation when it is.
const screens = [[360, 640, true], [640, 360, true], [390, 844, true], [768, 1024, true], [1024, 768, true],
  [2160, 3840, true], [1024, 768, false], [1366, 768, false], [1920, 1080, false], [3840, 2160, false]];

function chromiumOnly(opened) {
  test("on every screen, with or without the pad, all is in sight, as large as it can be, keys a finger's size", async () => {
    const [server, browser] = opened();
    for (const [width, height, touch] of screens) {
      const page = await open(browser, server.address, { width, height, isMobile: touch, hasTouch: touch }, false);
      for (const padShown of [touch, !touch]) {
        const seen = await page.evaluate(() => {
          const { clientWidth: width, clientHeight: height, scrollWidth, scrollHeight } = document.documentElement;
          const [board, side] = ["board", "side"].map((id) => document.getElementById(id).getBoundingClientRect());
          const [left, top, right, bottom] = [board.left, board.top, side.right, side.bottom]; // the side is right of or under the board
          const pad = document.getElementById("pad");
          const keys = [...pad.querySelectorAll("button")].map((key) => key.getBoundingClientRect());
          return {
            inSight: left >= 0 && top >= 0 && right <= width && bottom <= height && scrollWidth <= width && scrollHeight <= height,
            fills: width - (right - left) < 1.5 || height - (bottom - top) < 1.5,
            zoom: visualViewport.scale,
            padShown: !pad.hidden,
            bigKeys: pad.hidden || keys.every((key) => Math.min(key.width, key.height) >= 56),
            keyboard: document.getElementById("Text1").inputMode,
          };
        });
        const expected = { inSight: true, fills: true, zoom: 1, padShown, bigKeys: true, keyboard: padShown ? "none" : "numeric" };
        assert.deepEqual(seen, expected, `${width} x ${height}`);
        await page.click("#padSwitch");
      }
      await page.close();
    }
  });

  test("the pad by touch: a wrong answer, a backspace, the right one, each judged once, the focus kept", async () => {
    const [server, browser] = opened();
    const page = await open(browser, server.address, { width: 768, height: 1024, isMobile: true, hasTouch: true }, false);
    const tap = async (selector) => {
      const { x, y, width, height } = await (await page.$(selector)).boundingBox();
      await page.touchscreen.tap(x + width / 2, y + height / 2);
    };
    await tap("#Label22");
    const verdict = await page.$("#verdict");
    await verdict.evaluate((region) => new MutationObserver(() => (region.said ??= []).push(region.textContent)).observe(region, { childList: true }));
    const { answers } = await look(page);
    const k = answers.findIndex((answer) => answer.length === 2);
    const taps = async (codes) => {
      for (const code of codes) await tap(`#pad [value="${code}"]`);
    };
    await tap(`#Text${k}`);
    await taps([...wrong(answers[k]) + answers[k][0], "\b"].map((digit) => digit.charCodeAt(0)));
    assert.equal((await look(page)).text[k], "");
    await taps([...answers[k]].map((digit) => digit.charCodeAt(0)));
    const seen = await look(page);
    assert.deepEqual([seen.text[k], seen.ink[k], seen.focused], [answers[k], "rgb(0, 128, 0)", `Text${k}`]);
    assert.deepEqual(await verdict.evaluate((region) => region.said), ["Sbagliato", "Esatto!"]);
    // A keyboard still types with the pad shown.
    await page.keyboard.press("Tab");
    await page.keyboard.type(answers[(k % 40) + 1]);
    assert.deepEqual((await look(page)).face, [4]);
  });
}
