// What every browser test needs: the built site served on a free port of the
// loopback, and a browser started headless to look at it.
import { spawn } from "node:child_process";
import puppeteer from "puppeteer-core";

// Serves `site` (default: VENDARO_SITE) until stop() is called; resolves to { address, stop }.
export async function serve(site = process.env.VENDARO_SITE, port = 0) {
  // Its log of requests is dropped: unread, it would fill the pipe and stall the server.
  const server = spawn("python3", ["-u", "-m", "http.server", String(port), "--bind", "127.0.0.1", "--directory", site],
    { stdio: ["ignore", "pipe", "ignore"] });
  const bound = await new Promise((resolve) => server.stdout.on("data", (data) => resolve(/port (\d+)/.exec(data)?.[1])));
  return { address: `http://127.0.0.1:${bound}`, port: Number(bound), stop: () => server.kill() };
}

// Without the background-networking flags Chromium knocks at hosts this machine cannot reach.
const chromiumFlags = "no-sandbox disable-gpu no-first-run disable-background-networking disable-component-update disable-sync";

// Debian's Chromium over the DevTools protocol, or Debian's Firefox ESR over WebDriver BiDi.
export function launch(engine = "chromium") {
  if (engine === "firefox") return puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr" });
  return puppeteer.launch({ executablePath: "/usr/bin/chromium", args: chromiumFlags.split(" ").map((flag) => `--${flag}`) });
}
