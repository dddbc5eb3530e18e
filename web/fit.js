// The board and what stands beside it fill as much of the screen as they can, keeping their proportions.
// The screen is the visual viewport: a mobile browser widens the layout viewport to fit a wide page, and
// a system keyboard shrinks only the visual one.
const gap = 10;

// The side's size in board pixels: a column beside the board on a wide screen, a row under it on an upright one.
const sides = (boardWidth, boardHeight) => ({
  beside: { bare: [80, boardHeight], pad: [360, boardHeight] },
  under: { bare: [boardWidth, 100], pad: [boardWidth, 100 + gap + 560] },
});

export function fit(board, side, padShown) {
  const [boardWidth, boardHeight] = [board.offsetWidth, board.offsetHeight];
  const root = document.documentElement;
  const { width: seenWidth, height: seenHeight, scale: zoom } = visualViewport;
  const [width, height] = [Math.min(root.clientWidth, seenWidth * zoom), Math.min(root.clientHeight, seenHeight * zoom)];
  const arrangement = width >= height ? "beside" : "under";
  const [sideWidth, sideHeight] = sides(boardWidth, boardHeight)[arrangement][padShown ? "pad" : "bare"];
  const beside = arrangement === "beside";
  const [wholeWidth, wholeHeight] = beside ? [boardWidth + gap + sideWidth, boardHeight] : [boardWidth, boardHeight + gap + sideHeight];
  const scale = Math.min(width / wholeWidth, height / wholeHeight);
  const [left, top] = [Math.floor((width - wholeWidth * scale) / 2), Math.floor((height - wholeHeight * scale) / 2)];
  const [sideLeft, sideTop] = beside ? [left + (boardWidth + gap) * scale, top] : [left, top + (boardHeight + gap) * scale];
  board.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
  side.style.transform = `translate(${sideLeft}px, ${sideTop}px) scale(${scale})`;
  Object.assign(side.style, { width: `${sideWidth}px`, height: `${sideHeight}px` });
  side.className = `${arrangement} ${padShown ? "" : "bare"}`;
}
