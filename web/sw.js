'use strict';
// The site kept for playing offline: every file of this build in a cache named by the build's
// version, which the build writes here (a hash of the site's files). Pages are answered from that
// cache, so that after one visit the game starts without the network; a file not in the build
// (a replay script to watch) is fetched. A build of other files is another version: its worker
// installs beside this one and takes over when the page lets it, between games (offline.js).
const kVersion = '@ZENTOR_SITE_VERSION@';
const kFiles = [@ZENTOR_SITE_FILES@];
const kCache = `zentor-${kVersion}`;

self.addEventListener('install', event => {
  // The files must be this version's: each checked with the server, which answers the files the
  // page has just fetched without sending them again.
  event.waitUntil(caches.open(kCache).then(cache =>
    cache.addAll(kFiles.map(file => new Request(file, { cache: 'no-cache' })))));
});

self.addEventListener('activate', event => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('zentor-') && name !== kCache) {
        await caches.delete(name);
      }
    }
    await self.clients.claim();
  })());
});

self.addEventListener('message', event => {
  if (event.data === 'take-update') {
    self.skipWaiting();
  }
});

self.addEventListener('fetch', event => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== location.origin) {
    return;
  }
  // The page under any of its addresses: the site's folder, index.html?play=FILE.
  const page = request.mode === 'navigate';
  const scope = new URL(self.registration.scope);
  const key = page && url.pathname === scope.pathname ? new URL('index.html', scope).href
                                                      : request;
  event.respondWith((async () => {
    const cache = await caches.open(kCache);
    return (await cache.match(key, { ignoreSearch: page })) ?? fetch(request);
  })());
});
