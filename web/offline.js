// Keeps the site for use without a network (service_worker.js). Called once the drill is
// ready: on a first visit the worker's copies then take nothing from the page's own files.
// Browsers offer workers on HTTPS and on localhost only; elsewhere the drill still plays.
export function keepForOffline() {
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("service_worker.js");
}
