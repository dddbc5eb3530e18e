// The drill in a browser. The page's elements carry out the control operations
// and their events call the drill's own handlers, compiled from the same C++ as
// the desktop window; this module does only what a window toolkit does there.
import Vendaro from "./vendaro.js";
import { fit } from "./fit.js";
import { setUpSide } from "./pad.js";
import { keepForOffline } from "./offline.js";

const vendaro = await Vendaro();
const board = document.getElementById("board");
// An answer box holds its text at the top, as the desktop's boxes do: one line's height under 3 px of frame.
// Measured on the board while it is empty, when laying it out costs next to nothing.
const boxFont = `700 ${vendaro.boxFontPixels}px Tahoma`;
await document.fonts.load(boxFont);
const line = board.appendChild(Object.assign(document.createElement("span"), { textContent: "0" }));
line.style.font = boxFont;
const boxPadding = `2px 2px ${65 - 4 - line.offsetHeight}px`;
line.remove();
const boxes = [];
const labels = [];
const images = [];
const accepted = []; // each box's text as the filter last left it
const backspace = vendaro.backspace;
const css = (rgb) => "#" + rgb.toString(16).padStart(6, "0");

function place(element, look) {
  element.id = look.name;
  Object.assign(element.style, { left: `${look.left}px`, top: `${look.top}px`, width: `${look.width}px`, height: `${look.height}px` });
  element.style.cursor = look.cursor;
  return board.appendChild(element);
}

function makeLabel(look) {
  const label = place(document.createElement("div"), look);
  label.classList.add("label", ...(look.sunken ? ["sunken"] : []));
  label.textContent = look.caption;
  // The click areas are buttons to assistive technology, named by what they do.
  if (look.spokenName) Object.assign(label, { role: "button", ariaLabel: look.spokenName });
  Object.assign(label.style, {
    fontSize: `${look.fontPixels}px`, color: css(look.textColour), textAlign: look.centred ? "center" : "left",
    background: look.background === null ? "transparent" : css(look.background), padding: look.sunken ? "1px" : "0",
  });
  return label;
}

function makeImage(look) {
  const image = place(document.createElement("img"), look);
  image.src = look.picture;
  image.alt = look.spokenName;
  return image;
}

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

function makeBox(look, number) {
  const box = place(document.createElement("input"), look);
  box.classList.add("sunken");
  Object.assign(box, { type: "text", inputMode: "numeric", autocomplete: "off", spellcheck: false });
  box.setAttribute("autocapitalize", "off");
  Object.assign(box.style, {
    font: boxFont, color: css(vendaro.boxText), background: css(vendaro.boxBackground), padding: boxPadding,
  });
  accepted[number] = "";
  // Coming back to the page is no new arrival in the box; Tab leaves the caret after the digits.
  box.addEventListener("focus", () => {
    vendaro.GotFocus(number, pageLeft);
    pageLeft = false;
    box.setSelectionRange(box.value.length, box.value.length);
  });
  box.addEventListener("keydown", (event) => {
    if (event.isComposing || event.key === "Unidentified") return;
    if (event.key === "Tab") return tabRound(event, number);
    const code = characterCode(event);
    if (code !== null || !editingKey(event)) event.preventDefault();
    if (code !== null) type(number, code);
  });
  box.addEventListener("keyup", () => vendaro.KeyUp(number));
  box.addEventListener("beforeinput", (event) => {
    const typed = ["insertText", "insertReplacementText", "deleteContentBackward", "insertCompositionText", "deleteContentForward"];
    if (!typed.includes(event.inputType)) event.preventDefault();
  });
  // Whatever came before, what changed decides: a Delete's taking away is kept, anything else typed again.
  box.addEventListener("input", (event) => {
    if (event.inputType === "deleteContentForward" && onlyTakenAway(accepted[number], box.value)) accepted[number] = box.value;
    else if (!event.isComposing) retype(number);
  });
  box.addEventListener("compositionend", () => retype(number));
  for (const closed of ["contextmenu", "dragstart", "drop", "cut", "paste"]) box.addEventListener(closed, (e) => e.preventDefault());
  return box;
}

Object.assign(board.style, { width: `${vendaro.boardWidth}px`, height: `${vendaro.boardHeight}px` });
board.appendChild(Object.assign(document.createElement("img"), { src: vendaro.boardPicture, className: "board", alt: "" }));
// Nothing but a box takes the focus: a click or a tap elsewhere, on the pad too, leaves it where it is.
document.addEventListener("mousedown", (event) => event.target.tagName !== "INPUT" && event.preventDefault());
for (const look of vendaro.layout()) {
  const number = Number(look.name.replace(/\D+/, ""));
  if (look.name.startsWith("Text")) boxes[number] = makeBox(look, number);
  else if (look.name.startsWith("Label")) labels[number] = makeLabel(look);
  else images[number] = makeImage(look);
}

// A box is named after its operation for a screen reader, as on the desktop: "7 più 5".
function nameBoxes() {
  boxes.forEach((box, number) => {
    const [row, column] = vendaro.headersOf(number);
    box.ariaLabel = vendaro.spokenName(number, labels[row].textContent, labels[column].textContent) || vendaro.tableName(number);
  });
}

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
vendaro.startDrill({
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
    if (visible && number !== vendaro.waitingFace) document.getElementById("verdict").replaceChildren(images[number].alt);
  },
  endProgram: () => {
    board.remove();
    side.remove();
    document.getElementById("ended").hidden = false;
  },
});
nameBoxes();
labels[22].addEventListener("click", () => labels[22].ariaDisabled !== "true" && vendaro.Label22_Click());
labels[23].addEventListener("click", () => vendaro.Label23_Click());

// A pad key is a key pressed and released in the box that has the focus; while the pad shows, the boxes ask for no keyboard.
const side = document.getElementById("side");
let padShown = false;
const refit = () => fit(board, side, padShown);
setUpSide({
  press: (code) => {
    const number = boxes.indexOf(document.activeElement);
    if (number > 0) typeAndRelease(number, code);
  },
  padShown: (shown) => {
    padShown = shown;
    for (const box of boxes.slice(1)) box.inputMode = shown ? "none" : "numeric";
    refit();
  },
});
addEventListener("resize", refit);
visualViewport.addEventListener("resize", refit);

// Everything is loaded before the drill starts, so that it goes on without a network. Loaded is enough: a
// picture is decoded when it first shows, and what the worker or the HTTP cache holds is there at once.
const loaded = (image) => image.complete || new Promise((done) => image.addEventListener("load", done, { once: true }));
await Promise.all([...board.querySelectorAll("img")].map(loaded));
vendaro.Form_Load();
boxes[1].focus();
keepForOffline();
