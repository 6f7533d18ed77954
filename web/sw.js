// Offline: the site's few files are cached on the first visit and served from the cache
// after it (cache first), so the page works without a network. scripts/web.sh writes the
// site's content hash into the cache name, so a new build replaces the old cache.
'use strict';
const CACHE = 'ecd-web-__SITE_HASH__';
const FILES = ['./', 'index.html', 'style.css', 'app.js', 'ecd-core.js', 'ecd-core.wasm', 'icon.svg',
               'manifest.webmanifest'];

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(CACHE).then((c) => c.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET') return;
  e.respondWith(caches.open(CACHE).then((c) =>
    c.match(e.request, { ignoreSearch: true }).then((hit) => hit || fetch(e.request))));
});
