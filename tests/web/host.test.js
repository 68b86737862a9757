// SPDX-License-Identifier: MIT
// The site as nginx serves it with the configuration the build writes
// beside it: every request of the table is answered as a host should, and
// the server still answers the next one; a rebuilt page's policy reaches
// the header.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const { test, before, after } = require('node:test');
const { serve, makeSite } = require('./harness');

const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-host-'));
const root = path.join(dir, 'site');
let server = null;
let files = null;  // the site's content-named files by their names as built

// Sends one request as it is written, not as a client would tidy it.
function ask({ method = 'GET', target = '/', headers = {} }) {
  return new Promise((resolve, reject) => {
    const request = http.request({
      host: '127.0.0.1', port: server.port, method, path: target, headers, agent: false,
    }, (response) => {
      const chunks = [];
      response.on('data', (chunk) => chunks.push(chunk));
      response.on('end', () => resolve({
        status: response.statusCode, headers: response.headers, body: Buffer.concat(chunks),
      }));
    });
    request.on('error', reject);
    request.end();
  });
}

// The page's own policy, from its <meta>, with what only a header can say.
function policyOf(page) {
  return `${page.match(/http-equiv="Content-Security-Policy" content="([^"]*)"/)[1]}; frame-ancestors 'none'`;
}

function securityHeaders(response, page = fs.readFileSync(path.join(root, 'index.html'), 'utf8')) {
  assert.equal(response.headers['content-security-policy'], policyOf(page));
  assert.equal(response.headers['x-content-type-options'], 'nosniff');
  assert.equal(response.headers['referrer-policy'], 'no-referrer');
}

// The page's inline script changed, as a rebuild with a new early script
// makes it: the site's build gives the page's policy its new digest.
function newInlineScript(built) {
  const file = path.join(built, 'index.html');
  const page = fs.readFileSync(file, 'utf8');
  const [, script] = page.match(/<script>([\s\S]*?)<\/script>/);
  fs.writeFileSync(file, page.replace(script, `${script}\n// rebuilt\n`));
}

const wasm = () => `/${files['ostrel-core.wasm']}`;
const sheet = () => `/${files['style.css']}`;
const modified = async (target) => (await ask({ target })).headers['last-modified'];
const tag = async (target) => (await ask({ target })).headers.etag;
const root200 = { status: 200, body: () => fs.readFileSync(path.join(root, 'index.html')) };

// [what, the request (or a function of nothing making it), what the answer
// must be: its status, its body, its headers, or a check of it]
const kRequests = [
  ['a doubled slash', { target: '//' }, root200],
  ['a lone percent sign', { target: '/%' }, { status: 400 }],
  ['a percent sign at the end', { target: '/100%' }, { status: 400 }],
  ['a byte that is no UTF-8', { target: '/r%E4kna' }, { status: 404 }],
  ['half an escape', { target: '/%2' }, { status: 400 }],
  ['a way out to a sibling folder of a longer name', { target: '/..%2fsiteSIBLING/file' },
    { status: 400, check: (r) => assert.doesNotMatch(String(r.body), /sibling's/) }],
  ['a symlink to a file outside', { target: '/secret.txt' },
    { status: 403, check: (r) => assert.doesNotMatch(String(r.body), /secret/) }],
  ['a symlink to a folder outside', { target: '/sibling/file' },
    { status: 404, check: (r) => assert.doesNotMatch(String(r.body), /sibling's/) }],
  ['a file nginx may not read', { target: '/unreadable.txt' },
    { status: process.getuid() === 0 ? 200 : 403 }],
  ['a compressed copy that is a folder', { target: '/folder.js', headers: { 'accept-encoding': 'gzip' } },
    { status: 200, headers: { 'content-encoding': undefined } }],
  ...['POST', 'PUT', 'DELETE', 'PATCH', 'TRACE'].map((method) =>
    [method, { method }, { status: 405, check: (r) => assert.equal(r.headers['x-content-type-options'], 'nosniff') }]),
  ['HEAD', { method: 'HEAD' }, { status: 200, check: (r) => assert.equal(r.body.length, 0) }],
  ...[
    ['br', 'br'], ['gzip', 'gzip'], ['gzip, deflate, br', 'br'], ['br;q=0, gzip;q=0', undefined],
    ['br;q=0, gzip', 'gzip'], ['gzip;q=0, br', 'br'], ['identity', undefined],
  ].map(([accepted, sent]) => [`Accept-Encoding: ${accepted}`,
    () => ({ target: wasm(), headers: { 'accept-encoding': accepted } }),
    { status: 200, headers: { 'content-encoding': sent, vary: 'Accept-Encoding', 'content-type': 'application/wasm' } }]),
  ['If-Modified-Since its time', async () => ({ target: '/sw.js', headers: { 'if-modified-since': await modified('/sw.js') } }),
    { status: 304, headers: { 'cache-control': 'no-cache' }, check: (r) => securityHeaders(r) }],
  ['If-Modified-Since a later time', { target: '/sw.js', headers: { 'if-modified-since': 'Fri, 01 Jan 2100 00:00:00 GMT' } },
    { status: 200 }],
  ['If-Modified-Since an earlier time (a site rolled back)',
    { target: '/sw.js', headers: { 'if-modified-since': 'Thu, 01 Jan 2015 00:00:00 GMT' } }, { status: 200 }],
  ['If-None-Match its tag', async () => ({ target: sheet(), headers: { 'if-none-match': await tag(sheet()) } }),
    { status: 304, headers: { 'cache-control': 'public, max-age=31536000, immutable' } }],
  ['If-None-Match another tag', () => ({ target: sheet(), headers: { 'if-none-match': '"0-0"' } }), { status: 200 }],
  ['the page', { target: '/' }, {
    status: 200,
    headers: { 'cache-control': 'no-cache', 'content-type': 'text/html; charset=utf-8' },
    check: (r) => securityHeaders(r),
  }],
  ['a content-named style sheet', () => ({ target: sheet() }), {
    status: 200,
    headers: { 'cache-control': 'public, max-age=31536000, immutable', 'content-type': 'text/css; charset=utf-8' },
    check: (r) => securityHeaders(r),
  }],
  ['the service worker', { target: '/sw.js' },
    { status: 200, headers: { 'cache-control': 'no-cache', 'content-type': 'text/javascript; charset=utf-8' } }],
  ['the manifest', { target: '/manifest.webmanifest' },
    { status: 200, headers: { 'cache-control': 'no-cache', 'content-type': 'application/manifest+json; charset=utf-8' } }],
  ['a content-named file that is not there', { target: '/ostrel-core.00000000.wasm' },
    { status: 404, headers: { 'cache-control': undefined }, check: (r) => securityHeaders(r) }],
  ['the page after a rebuild with a new inline script', async () => {
    const old = policyOf(fs.readFileSync(path.join(root, 'index.html'), 'utf8'));
    makeSite(root, newInlineScript);
    const page = fs.readFileSync(path.join(root, 'index.html'), 'utf8');
    assert.notEqual(policyOf(page), old);
    // nginx reloads the rewritten configuration within a moment; its old
    // worker may still take a connection or two while it stops.
    for (let fresh = 0, end = Date.now() + 10000; fresh < 5 && Date.now() < end;) {
      const now = (await ask({ target: '/' })).headers['content-security-policy'] === policyOf(page);
      fresh = now ? fresh + 1 : 0;
      await new Promise((resolve) => setTimeout(resolve, now ? 20 : 100));
    }
    return { target: '/' };
  }, { status: 200, check: (r) => securityHeaders(r) }],
];

before(async () => {
  makeSite(root, () => {});
  files = JSON.parse(fs.readFileSync(`${root}.files.json`, 'utf8'));
  fs.mkdirSync(`${root}SIBLING`);
  fs.writeFileSync(`${root}SIBLING/file`, 'the sibling\'s file');
  fs.writeFileSync(path.join(dir, 'secret'), 'secret');
  fs.symlinkSync(path.join(dir, 'secret'), path.join(root, 'secret.txt'));
  fs.symlinkSync(`${root}SIBLING`, path.join(root, 'sibling'));
  fs.writeFileSync(path.join(root, 'unreadable.txt'), 'unreadable');
  fs.chmodSync(path.join(root, 'unreadable.txt'), 0);
  fs.writeFileSync(path.join(root, 'folder.js'), '"use strict";\n');
  fs.mkdirSync(path.join(root, 'folder.js.gz'));
  server = await serve(root);
});

after(async () => {
  await (server && server.close());
  fs.rmSync(dir, { recursive: true, force: true });
});

for (const [what, request, want] of kRequests) {
  test(what, async () => {
    const response = await ask(typeof request === 'function' ? await request() : request);
    assert.equal(response.status, want.status);
    for (const [name, value] of Object.entries(want.headers || {})) {
      assert.equal(response.headers[name], value, name);
    }
    if (want.body) {
      assert.deepEqual(response.body, want.body());
    }
    if (want.check) {
      want.check(response);
    }
    // Whatever came before, the server answers the next request.
    assert.equal((await ask({ target: '/' })).status, 200);
  });
}
