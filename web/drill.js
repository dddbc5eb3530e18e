// The drill in a browser. The page's elements carry out the control operations
// and their events call the drill's own handlers, compiled from the same C++ as
// the desktop window; this module does only what a window toolkit does there.
import { startCore } from "./core.js";
import { fit } from "./fit.js";
import { setUpSide } from "./pad.js";
import { keepForOffline } from "./offline.js";

// The board stands in the page, each control named as on the desktop: Text1..Text40, Label1..Label31, Image1..Image5.
const board = document.getElementById("board");
const side = document.getElementById("side");
const controls = { Text: [], Label: [], Image: [] };
for (const element of board.querySelectorAll("[id]")) {
  const [, kind, number] = /^(\D+)(\d+)$/.exec(element.id);
  controls[kind][number] = element;
}
const { Text: boxes, Label: labels, Image: images } = controls;
const boxNumbers = new Map(boxes.flatMap((box, number) => [[box, number]]));
const accepted = boxes.map(() => ""); // each box's text as the filter last left it
const css = (rgb) => "#" + rgb.toString(16).padStart(6, "0");

// The character code a key types, null for none, by the desktop's rule.
const characterCode = (event) => vendaro.characterCode(event.key, event.ctrlKey, event.shiftKey);

// Caret moves and Delete keep their meaning; any other key that types nothing
// (paste, cut and undo among them) does nothing, as on the desktop.
const editingKey = (event) => vendaro.isEditingKey(event.key, event.ctrlKey, event.shiftKey);

// A key press: the filter first, then the box inserts what it let through.
function type(number, keyChar) {
  const box = boxes[number];
  const code = vendaro.KeyPress(number, keyChar);
  const [start, end] = [box.selectionStart, box.selectionEnd];
  if (code === backspace && (start < end || start > 0)) box.setRangeText("", start < end ? start : start - 1, end, "end");
  else if (code !== 0 && code !== backspace) box.setRangeText(String.fromCharCode(code), start, end, "end");
  accepted[number] = box.value;
}

function typeAndRelease(number, keyChar) {
  type(number, keyChar);
  vendaro.KeyUp(number);
}

// Text that reached the box any other way (an input method, a touch keyboard, an
// assistive tool) is put back and its difference typed through the filter.
function retype(number) {
  const box = boxes[number];
  const { caret, keys } = vendaro.retyping(accepted[number], box.value);
  box.value = accepted[number];
  box.setSelectionRange(caret, caret);
  for (const key of keys) typeAndRelease(number, key);
}

// Delete takes characters away with no key press, as on the desktop: a change that only took some away is kept.
function onlyTakenAway(before, after) {
  return after.length < before.length && vendaro.retyping(before, after).keys.every((key) => key === backspace);
}

// Tab and Shift+Tab go round the boxes, as on the desktop.
function tabRound(event, number) {
  event.preventDefault();
  const count = boxes.length - 1;
  boxes[((number - 1 + (event.shiftKey ? count - 1 : 1)) % count) + 1].focus();
}

let pageLeft = false;
addEventListener("blur", () => (pageLeft = true));

// One behaviour for the forty boxes: their events reach the board, which knows each box by its number.
function onBoxes(type, handler) {
  board.addEventListener(type, (event) => {
    const number = boxNumbers.get(event.target);
    if (number) handler(event, number, event.target);
  });
}
function wireBoxes() {
  // Coming back to the page is no new arrival in the box; Tab leaves the caret after the digits.
  onBoxes("focusin", (event, number, box) => {
    vendaro.GotFocus(number, pageLeft);
    pageLeft = false;
    box.setSelectionRange(box.value.length, box.value.length);
  });
  onBoxes("keydown", (event, number) => {
    if (event.isComposing) return;
    // WebKitGTK names Shift+Tab's key "Unidentified", but not its code.
    if (event.key === "Tab" || event.code === "Tab") return tabRound(event, number);
    if (event.key === "Unidentified") return;
    const code = characterCode(event);
    if (code !== null || !editingKey(event)) event.preventDefault();
    if (code !== null) type(number, code);
  });
  onBoxes("keyup", (event, number) => vendaro.KeyUp(number));
  onBoxes("beforeinput", (event) => {
    const typed = ["insertText", "insertReplacementText", "deleteContentBackward", "insertCompositionText", "deleteContentForward"];
    if (!typed.includes(event.inputType)) event.preventDefault();
  });
  // Whatever came before, what changed decides: a Delete's taking away is kept, anything else typed again.
  onBoxes("input", (event, number, box) => {
    if (event.inputType === "deleteContentForward" && onlyTakenAway(accepted[number], box.value)) accepted[number] = box.value;
    else if (!event.isComposing) retype(number);
  });
  onBoxes("compositionend", (event, number) => retype(number));
  for (const closed of ["contextmenu", "dragstart", "drop", "cut", "paste"]) onBoxes(closed, (event) => event.preventDefault());
}

// Nothing but a box takes the focus: a click or a tap elsewhere, on the pad too, leaves it where it is.
document.addEventListener("mousedown", (event) => event.target.tagName !== "INPUT" && event.preventDefault());

// The pointers' pictures are fetched once a mouse or a pen moves over the page: a finger needs none.
function pointersWanted(event) {
  if (event.pointerType === "touch") return;
  document.documentElement.classList.add("mouse");
  removeEventListener("pointermove", pointersWanted);
}
addEventListener("pointermove", pointersWanted);

// A box is named after its operation for a screen reader, as on the desktop: "7 più 5".
const nameBoxes = () => boxes.forEach((box, number) => (box.ariaLabel = vendaro.boxName(number)));

// A new exercise changes twenty captions at once: the boxes are named again once, when the handler is done.
let naming = false;
function nameBoxesSoon() {
  if (naming) return;
  naming = true;
  queueMicrotask(() => {
    naming = false;
    nameBoxes();
  });
}

// The drill carries out its control operations on these elements.
const [vendaro] = await Promise.all([startCore(self.started.core, {
  text: (number) => boxes[number].value,
  setText: (number, text) => (boxes[number].value = accepted[number] = text),
  setTextColour: (number, colour) => (boxes[number].style.color = css(colour)),
  setCaption: (number, caption) => {
    labels[number].textContent = caption;
    nameBoxesSoon();
  },
  setLabel22Enabled: (enabled) => labels[22].setAttribute("aria-disabled", String(!enabled)),
  setImageVisible: (number, visible) => {
    images[number].hidden = !visible;
    // A new node, so that the same verdict twice is said twice.
    if (visible && number !== vendaro.waitingFace) document.getElementById("verdict").replaceChildren(images[number].ariaLabel);
  },
  endProgram: () => {
    board.remove();
    side.remove();
    document.getElementById("ended").hidden = false;
  },
}), self.started.face]);
const { backspace } = vendaro;
for (const box of boxes.slice(1)) {
  Object.assign(box, { autocomplete: "off", spellcheck: false });
  box.setAttribute("autocapitalize", "off");
}
wireBoxes();
labels[22].addEventListener("click", () => labels[22].ariaDisabled !== "true" && vendaro.Label22_Click());
labels[23].addEventListener("click", () => vendaro.Label23_Click());

// A pad key is a key pressed and released in the box that has the focus; while the pad shows, the boxes ask for no keyboard.
let padShown = false;
const refit = () => fit(board, side, padShown);
setUpSide({
  press: (code) => {
    const number = boxNumbers.get(document.activeElement);
    if (number) typeAndRelease(number, code);
  },
  padShown: (shown) => {
    padShown = shown;
    for (const box of boxes.slice(1)) box.inputMode = shown ? "none" : "numeric";
    refit();
  },
});
addEventListener("resize", refit);
visualViewport.addEventListener("resize", refit);

// The board shows once it can be played, in its own face.
document.querySelector("main").classList.add("ready");
vendaro.Form_Load();
boxes[1].focus();
keepForOffline();
