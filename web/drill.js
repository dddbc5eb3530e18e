// The drill in a browser. The page's elements carry out the control operations
// and their events call the drill's own handlers, compiled from the same C++ as
// the desktop window; this module does only what a window toolkit does there.
import Vendaro from "./vendaro.js";
import { fit } from "./fit.js";
import { setUpSide } from "./pad.js";

const vendaro = await Vendaro();
const board = document.getElementById("board");
const boxes = [];
const labels = [];
const images = [];
const accepted = []; // each box's text as the filter last left it
const pictures = { 1: "addition_arrows", 2: "subtraction_arrows", 3: "waiting_face", 4: "right_face", 5: "wrong_face" };
const faceNames = { 3: "Scrivi il risultato", 4: "Esatto!", 5: "Sbagliato" };
const css = (rgb) => "#" + rgb.toString(16).padStart(6, "0");

function place(element, look) {
  element.id = look.name;
  Object.assign(element.style, { left: `${look.left}px`, top: `${look.top}px`, width: `${look.width}px`, height: `${look.height}px` });
  element.classList.add(look.pointer);
  return board.appendChild(element);
}

function makeLabel(look) {
  const label = place(document.createElement("div"), look);
  label.classList.add("label", ...(look.sunken ? ["sunken"] : []));
  label.textContent = look.caption;
  Object.assign(label.style, {
    fontSize: `${look.fontPixels}px`, color: css(look.textColour), textAlign: look.centred ? "center" : "left",
    background: look.background === null ? "transparent" : css(look.background), padding: look.sunken ? "1px" : "0",
  });
  return label;
}

function makeImage(look, number) {
  const image = place(document.createElement("img"), look);
  image.src = `${pictures[number]}.svg`;
  image.alt = faceNames[number] ?? "";
  return image;
}

// The character code a key types, as the drill's filter takes it on the desktop
// too: Backspace 8, Enter 13, Escape 27, Ctrl+A..Ctrl+Z 1..26, else the
// character typed; null for a key that types none.
function characterCode(event) {
  const named = { Backspace: 8, Enter: 13, Escape: 27 }[event.key];
  if (named) return named;
  if (event.ctrlKey && /^[a-z]$/i.test(event.key)) return event.key.toUpperCase().charCodeAt(0) - 64;
  return [...event.key].length === 1 ? event.key.charCodeAt(0) : null;
}

// Caret moves and Delete keep their meaning; any other key that types nothing
// (paste, cut and undo among them) does nothing, as on the desktop.
const editingKey = (event) =>
  ["ArrowLeft", "ArrowRight", "Home", "End"].includes(event.key) || (event.key === "Delete" && !event.shiftKey);

// A key press: the filter first, then the box inserts what it let through.
function type(number, keyChar) {
  const box = boxes[number];
  const code = drill.KeyPress(number, keyChar);
  const [start, end] = [box.selectionStart, box.selectionEnd];
  if (code === 8 && (start < end || start > 0)) box.setRangeText("", start < end ? start : start - 1, end, "end");
  else if (code !== 0 && code !== 8) box.setRangeText(String.fromCharCode(code), start, end, "end");
  accepted[number] = box.value;
}

function typeAndRelease(number, keyChar) {
  type(number, keyChar);
  drill.KeyUp(number);
}

// Text that reached the box any other way (an input method, a touch keyboard, an
// assistive tool) is put back and typed again: a backspace for each character
// taken away, then each one put in, pressed and released.
function retype(number) {
  const box = boxes[number];
  const [before, after] = [accepted[number], box.value];
  let head = 0;
  while (head < before.length && head < after.length && before[head] === after[head]) ++head;
  let tail = 0;
  while (tail < before.length - head && tail < after.length - head && before.at(-1 - tail) === after.at(-1 - tail)) ++tail;
  box.value = before;
  box.setSelectionRange(before.length - tail, before.length - tail);
  for (let i = head; i < before.length - tail; ++i) typeAndRelease(number, 8);
  for (const character of after.slice(head, after.length - tail)) typeAndRelease(number, character.charCodeAt(0));
}

// Delete takes characters away with no key press, as on the desktop: a change that only took some away is kept.
function onlyTakenAway(before, after) {
  const kept = Array.from({ length: after.length + 1 }, (_, k) => before.startsWith(after.slice(0, k)) && before.endsWith(after.slice(k)));
  return after.length < before.length && kept.includes(true);
}

// Tab and Shift+Tab go round the 40 boxes, as on the desktop.
function tabRound(event, number) {
  event.preventDefault();
  boxes[event.shiftKey ? ((number + 38) % 40) + 1 : (number % 40) + 1].focus();
}

let lastFocused = 0;
let pageLeft = false;
addEventListener("blur", () => (pageLeft = true));

function makeBox(look, number) {
  const box = place(document.createElement("input"), look);
  box.classList.add("sunken");
  Object.assign(box, { type: "text", inputMode: "numeric", autocomplete: "off", spellcheck: false });
  box.setAttribute("autocapitalize", "off");
  Object.assign(box.style, {
    font: `700 ${vendaro.boxFontPixels}px Tahoma`, color: css(vendaro.boxText), background: css(vendaro.boxBackground),
  });
  accepted[number] = "";
  // Coming back to the page is no new arrival in the box; Tab leaves the caret after the digits.
  box.addEventListener("focus", () => {
    if (!(pageLeft && number === lastFocused)) drill.GotFocus(number);
    [lastFocused, pageLeft] = [number, false];
    box.setSelectionRange(box.value.length, box.value.length);
  });
  box.addEventListener("keydown", (event) => {
    if (event.isComposing || event.key === "Unidentified") return;
    if (event.key === "Tab") return tabRound(event, number);
    const code = characterCode(event);
    if (code !== null || !editingKey(event)) event.preventDefault();
    if (code !== null) type(number, code);
  });
  box.addEventListener("keyup", () => drill.KeyUp(number));
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

board.appendChild(Object.assign(document.createElement("img"), { src: "board.svg", className: "board", alt: "" }));
// Nothing but a box takes the focus: a click or a tap elsewhere, on the pad too, leaves it where it is.
document.addEventListener("mousedown", (event) => event.target.tagName !== "INPUT" && event.preventDefault());
for (const look of vendaro.layout()) {
  const number = Number(look.name.replace(/\D+/, ""));
  if (look.name.startsWith("Text")) boxes[number] = makeBox(look, number);
  else if (look.name.startsWith("Label")) labels[number] = makeLabel(look);
  else images[number] = makeImage(look, number);
}

// A box is named after its operation for a screen reader, as on the desktop: "7 più 5".
function nameBoxes() {
  boxes.forEach((box, number) => {
    const [row, column, addition] = vendaro.headersOf(number);
    const [left, right] = [labels[row].textContent, labels[column].textContent];
    box.ariaLabel = left && right ? `${left} ${addition ? "più" : "meno"} ${right}` : addition ? "addizione" : "sottrazione";
  });
}

const drill = new vendaro.Drill({
  text: (number) => boxes[number].value,
  setText: (number, text) => (boxes[number].value = accepted[number] = text),
  setTextColour: (number, colour) => (boxes[number].style.color = css(colour)),
  setCaption: (number, caption) => {
    labels[number].textContent = caption;
    nameBoxes();
  },
  setLabel22Enabled: (enabled) => labels[22].setAttribute("aria-disabled", String(!enabled)),
  setImageVisible: (number, visible) => {
    images[number].hidden = !visible;
    // A new node, so that the same verdict twice is said twice.
    if (visible && [4, 5].includes(number)) document.getElementById("verdict").replaceChildren(faceNames[number]);
  },
  endProgram: () => {
    board.remove();
    side.remove();
    document.getElementById("ended").hidden = false;
  },
});
nameBoxes();
for (const [number, name] of [[22, "Nuovo esercizio"], [23, "Esci"]]) Object.assign(labels[number], { role: "button", ariaLabel: name });
labels[22].addEventListener("click", () => labels[22].ariaDisabled !== "true" && drill.Label22_Click());
labels[23].addEventListener("click", () => drill.Label23_Click());

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

// Everything is loaded before the drill starts, so that it goes on without a network.
await Promise.all([...board.querySelectorAll("img")].map((image) => image.decode()));
// An answer box holds its text at the top, as the desktop's boxes do: one line's height under 3 px of frame.
await document.fonts.load(`700 ${vendaro.boxFontPixels}px Tahoma`);
const line = board.appendChild(Object.assign(document.createElement("span"), { textContent: "0" }));
line.style.font = `700 ${vendaro.boxFontPixels}px Tahoma`;
const lineHeight = line.offsetHeight;
line.remove();
for (const box of boxes.slice(1)) box.style.padding = `2px 2px ${65 - 4 - lineHeight}px`;

drill.Form_Load();
boxes[1].focus();
