// The number pad, so that no system keyboard covers the board on a touch screen, and full screen for a
// whiteboard, which has no F11.
export function setUpSide({ press, padShown }) {
  const $ = (id) => document.getElementById(id);
  const [pad, padSwitch, fullScreen] = [$("pad"), $("padSwitch"), $("fullScreen")];
  pad.addEventListener("click", (event) => {
    const key = event.target.closest("button");
    if (key) press(Number(key.value));
  });

  // The pad shows by itself where fingers point; the button is for a pen that acts as a mouse, or a laptop's touch screen.
  const show = (shown) => {
    pad.hidden = !shown;
    padSwitch.ariaPressed = String(shown);
    padShown(shown);
  };
  const coarse = matchMedia("(pointer: coarse)");
  coarse.addEventListener("change", () => show(coarse.matches));
  padSwitch.addEventListener("click", () => show(pad.hidden));
  show(coarse.matches);

  fullScreen.hidden = !document.fullscreenEnabled;
  fullScreen.addEventListener("click", () =>
    document.fullscreenElement ? document.exitFullscreen() : document.documentElement.requestFullscreen());
  document.addEventListener("fullscreenchange", () => (fullScreen.ariaPressed = String(Boolean(document.fullscreenElement))));
}
