// Starts what takes longest as soon as the page's data has arrived, while the board is still on its way:
// unpacking and compiling the core, and reading the captions' face, both carried in the page. A plain script
// runs where it stands; the drill's module, which runs once the board is parsed, takes them up.
import { carried, compileCore } from "./core.js";

const face = new FontFace("Tahoma", carried("face"), { weight: "700" });
document.fonts.add(face);
self.started = { core: compileCore(), face: face.load() };
