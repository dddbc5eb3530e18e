// Keeps the site for use without a network (service_worker.js). Registered once the
// page has loaded, so that on a first visit its copies wait for the page's own files.
// Browsers offer workers on HTTPS and on localhost only; elsewhere the drill still plays.
if ("serviceWorker" in navigator) {
  addEventListener("load", () => navigator.serviceWorker.register("service_worker.js"));
}
