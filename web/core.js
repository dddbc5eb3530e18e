// The drill's core: the WebAssembly module compiled from the same C++ as the desktop window, carried in
// the page itself (gzip, then base64, in a data block) so that it needs no request of its own, and started
// with the page's control operations as its imports. Text crosses in the module's memory: a control's text
// as UTF-8 either way, and the keys' names and boxes' texts the rules are asked about as UTF-16.
const decoder = new TextDecoder();
const encoder = new TextEncoder();

// The bytes of a data block of the page; by hand where the browser cannot decode base64 itself.
export function carried(id) {
  const base64 = document.getElementById(id).textContent;
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
  const text = atob(base64);
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
  return bytes;
}

// Unpacked in the page itself: a Blob's stream would be read through the browser's own process.
function unpacked(packed) {
  const stream = new ReadableStream({
    start(controller) {
      controller.enqueue(packed);
      controller.close();
    },
  });
  return new Response(stream.pipeThrough(new DecompressionStream("gzip"))).arrayBuffer();
}

function timeOfDay() {
  const now = new Date();
  return now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds() + now.getMilliseconds() / 1000;
}

// The core compiled, from the bytes the page carries.
export const compileCore = async () => WebAssembly.compile(await unpacked(carried("core")));

// `page` carries out the control operations; resolves to the handlers and the rules the page asks of the core.
export async function startCore(compiled, page) {
  let core;
  const bytes = (pointer, length) => new Uint8Array(core.memory.buffer, pointer, length);
  const read = (pointer, length) => decoder.decode(bytes(pointer, length));
  const imports = {
    text: (box, pointer, room) => {
      const text = encoder.encode(page.text(box));
      bytes(pointer, room).set(text.subarray(0, room));
      return text.length;
    },
    setText: (box, pointer, length) => page.setText(box, read(pointer, length)),
    setTextColour: (box, colour) => page.setTextColour(box, colour),
    setCaption: (label, pointer, length) => page.setCaption(label, read(pointer, length)),
    setLabel22Enabled: (enabled) => page.setLabel22Enabled(Boolean(enabled)),
    setImageVisible: (image, visible) => page.setImageVisible(image, Boolean(visible)),
    endProgram: () => page.endProgram(),
    secondsSinceMidnight: timeOfDay,
  };
  // What the module's C library asks of its system: an environment, here empty, and an end, which is an error.
  const system = {
    environ_sizes_get: (count, size) => {
      new Uint32Array(core.memory.buffer).fill(0, count / 4, count / 4 + 1).fill(0, size / 4, size / 4 + 1);
      return 0;
    },
    environ_get: () => 0,
    proc_exit: (status) => {
      throw new WebAssembly.RuntimeError(`the drill's core ended with ${status}`);
    },
  };
  core = (await WebAssembly.instantiate(await compiled, { page: imports, wasi_snapshot_preview1: system })).exports;
  core._initialize();

  // Text into input slot 0 or 1.
  const put = (slot, text) => {
    const pointer = core.input(slot, text.length);
    const units = new Uint16Array(core.memory.buffer, pointer, text.length);
    for (let i = 0; i < text.length; ++i) units[i] = text.charCodeAt(i);
  };
  const noCode = core.noCode();
  return {
    Form_Load: () => core.Form_Load(),
    Label22_Click: () => core.Label22_Click(),
    Label23_Click: () => core.Label23_Click(),
    GotFocus: (box, comingBack) => core.GotFocus(box, comingBack),
    KeyPress: (box, keyChar) => core.KeyPress(box, keyChar),
    KeyUp: (box) => core.KeyUp(box),
    // The code a key types by the desktop's rule, null for none.
    characterCode(key, control, shift) {
      put(0, key);
      const code = core.characterCode(control, shift);
      return code === noCode ? null : code;
    },
    isEditingKey(key, control, shift) {
      put(0, key);
      return Boolean(core.isEditingKey(control, shift));
    },
    retyping(accepted, changed) {
      put(0, accepted);
      put(1, changed);
      const words = new Int32Array(core.memory.buffer, core.retyping());
      return { caret: words[0], keys: [...words.subarray(2, 2 + words[1])] };
    },
    boxName(box) {
      const name = bytes(core.boxName(box));
      return decoder.decode(name.subarray(0, name.indexOf(0)));
    },
    waitingFace: core.waitingFace(),
    backspace: core.backspace(),
  };
}
