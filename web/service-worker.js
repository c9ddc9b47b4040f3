// The installed app's service worker: keeps one build's files in a cache named after that
// build and serves them from there, network or none. A new build brings a new worker, which
// fills its own cache, takes over at once and removes the caches of earlier builds.
const cache = 'bounce-@BOUNCE_BUILD@';
const files = [@BOUNCE_FILES@];

self.addEventListener('install', (event) => {
  // Past the HTTP cache, so that the cache holds this build's files and no older ones.
  const requests = files.map((file) => new Request(file, {cache: 'reload'}));
  event.waitUntil(caches.open(cache).then((c) => c.addAll(requests)).then(() => skipWaiting()));
});

self.addEventListener('activate', (event) => {
  const old = (key) => key.startsWith('bounce-') && key !== cache;
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter(old).map((key) => caches.delete(key))))
    .then(() => clients.claim()));
});

self.addEventListener('fetch', (event) => {
  event.respondWith(caches.open(cache).then((c) => c.match(event.request))
    .then((hit) => hit ?? fetch(event.request)));
});
