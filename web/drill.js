// The drill in a browser. The page's elements carry out the control operations
// and their events call the drill's own handlers, compiled from the same C++ as
// the desktop window; this module does only what a window toolkit does there.
import Vendaro from "./vendaro.js";

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
  ["ArrowLeft", "ArrowRight", "Home", "End", "Tab"].includes(event.key) || (event.key === "Delete" && !event.shiftKey);

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
  let ownDelete = false;
  // Coming back to the page is no new arrival in the box; Tab leaves the caret after the digits.
  box.addEventListener("focus", () => {
    if (!(pageLeft && number === lastFocused)) drill.GotFocus(number);
    [lastFocused, pageLeft] = [number, false];
    box.setSelectionRange(box.value.length, box.value.length);
  });
  box.addEventListener("keydown", (event) => {
    if (event.isComposing || event.key === "Unidentified") return;
    const code = characterCode(event);
    if (code !== null || !editingKey(event)) event.preventDefault();
    if (code !== null) type(number, code);
  });
  box.addEventListener("keyup", () => drill.KeyUp(number));
  box.addEventListener("beforeinput", (event) => {
    ownDelete = event.inputType === "deleteContentForward";
    const typed = ["insertText", "insertReplacementText", "deleteContentBackward", "insertCompositionText"];
    if (!ownDelete && !typed.includes(event.inputType)) event.preventDefault();
  });
  box.addEventListener("input", (event) => {
    if (ownDelete) accepted[number] = box.value;
    else if (!event.isComposing) retype(number);
  });
  box.addEventListener("compositionend", () => retype(number));
  for (const closed of ["contextmenu", "dragstart", "drop", "cut", "paste"]) box.addEventListener(closed, (e) => e.preventDefault());
  return box;
}

board.appendChild(Object.assign(document.createElement("img"), { src: "board.svg", className: "board", alt: "" }));
// Labels and pictures never take the focus: a click on them leaves it where it is.
board.addEventListener("mousedown", (event) => event.target.tagName !== "INPUT" && event.preventDefault());
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
    box.ariaLabel = left && right ? `${left} ${addition ? "più" : "meno"} ${right}` : "";
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
  setImageVisible: (number, visible) => (images[number].hidden = !visible),
  endProgram: () => {
    board.remove();
    document.getElementById("ended").hidden = false;
  },
});
labels[22].ariaLabel = "Nuovo esercizio";
labels[23].ariaLabel = "Esci";
labels[22].addEventListener("click", () => labels[22].ariaDisabled !== "true" && drill.Label22_Click());
labels[23].addEventListener("click", () => drill.Label23_Click());

// The board keeps its proportions and fills as much of the window as it can.
function fit() {
  const scale = Math.min(innerWidth / 792, innerHeight / 566);
  board.style.transform = `translate(${(innerWidth - 792 * scale) / 2}px, ${(innerHeight - 566 * scale) / 2}px) scale(${scale})`;
}
addEventListener("resize", fit);
fit();

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
