#!/usr/bin/env node
// SPDX-License-Identifier: MIT
// Serves the web window's built site as a real static host should (the
// headers docs/web-host.md lists for any host):
// - the copy compressed at build time (name.br, name.gz) to a browser that
//   accepts it, with Vary: Accept-Encoding;
// - the page, the service worker and every file not named by its content
//   revalidated on every visit (Cache-Control: no-cache, Last-Modified and
//   304); a file named by its content (name.0123abcd.ext) kept a year;
// - the page's Content-Security-Policy with frame-ancestors 'none' (which a
//   <meta> cannot say), X-Content-Type-Options: nosniff and
//   Referrer-Policy: no-referrer.
//
// usage: scripts/serve-web.js SITE [PORT]     (127.0.0.1; PORT 8080)
// As a module (the web tests and benchmarks): serve(root, options).
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.cur': 'image/x-icon',
};
// The build's compressed copies, best first.
const kEncodings = [['br', '.br'], ['gzip', '.gz']];
const kContentNamed = /\.[0-9a-f]{8,}\.[a-z0-9]+$/;
const kDigest = /\.[0-9a-f]{8,}(?=\.[a-z0-9]+$)/;

// The page's own policy, from its <meta>, and what only a header can add.
function policyOf(root) {
  const page = fs.readFileSync(path.join(root, 'index.html'), 'utf8');
  const meta = page.match(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/);
  if (!meta) {
    throw new Error(`${root}/index.html has no Content-Security-Policy`);
  }
  return `${meta[1]}; frame-ancestors 'none'`;
}

function headersFor(name, policy) {
  return {
    'Content-Type': kTypes[path.extname(name)] || 'application/octet-stream',
    'Cache-Control': kContentNamed.test(name) ? 'public, max-age=31536000, immutable' : 'no-cache',
    'Content-Security-Policy': policy,
    'X-Content-Type-Options': 'nosniff',
    'Referrer-Policy': 'no-referrer',
  };
}

// Serves `root` on 127.0.0.1. `holds` maps a file name to a promise: that
// file is answered only once it has settled; a content-named file is held
// by its name without the digest too (ostrel-core.wasm holds
// ostrel-core.0123abcd.wasm). Every answer is logged:
// {name, status, bytes, encoding}, bytes as sent. Resolves to {address, port,
// log, close()}; close() stops answering at once, open connections included.
function serve(root, { port = 0, holds = {} } = {}) {
  const log = [];
  const policy = policyOf(root);
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    let name = decodeURIComponent(url.pathname).replace(/^\/+/, '');
    if (name === '' || name.endsWith('/')) {
      name += 'index.html';
    }
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile() ||
        /\.(br|gz)$/.test(name)) {
      log.push({ name, status: 404, bytes: 0 });
      response.writeHead(404, { 'X-Content-Type-Options': 'nosniff' }).end();
      return;
    }
    const answer = () => {
      const modified = fs.statSync(file).mtime;
      modified.setMilliseconds(0);
      const headers = { ...headersFor(name, policy), 'Last-Modified': modified.toUTCString() };
      // The compressed copies there are, best first; a "not modified" says
      // that the answer varies with them too.
      const copies = kEncodings.filter(([, suffix]) => fs.existsSync(file + suffix));
      if (copies.length > 0) {
        headers.Vary = 'Accept-Encoding';
      }
      const since = request.headers['if-modified-since'];
      if (since && new Date(since) >= modified) {
        log.push({ name, status: 304, bytes: 0 });
        response.writeHead(304, headers).end();
        return;
      }
      const accepted = String(request.headers['accept-encoding'] || '').split(',')
        .map((part) => part.trim().split(';')[0]);
      const [encoding, suffix] = copies.find(([coding]) => accepted.includes(coding)) || [null, ''];
      const body = fs.readFileSync(file + suffix);
      if (encoding) {
        headers['Content-Encoding'] = encoding;
      }
      headers['Content-Length'] = body.length;
      log.push({ name, status: 200, bytes: body.length, encoding });
      response.writeHead(200, headers);
      response.end(request.method === 'HEAD' ? undefined : body);
    };
    Promise.resolve(holds[name] || holds[name.replace(kDigest, '')]).then(answer);
  });
  const sockets = new Set();
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(port, '127.0.0.1', () => {
      const address = `http://127.0.0.1:${server.address().port}/`;
      resolve({
        address,
        port: server.address().port,
        log,
        close: () => new Promise((done) => {
          for (const socket of sockets) {
            socket.destroy();
          }
          server.close(() => done());
        }),
      });
    });
  });
}

module.exports = { serve, headersFor, policyOf };

if (require.main === module) {
  const [root, port = '8080'] = process.argv.slice(2);
  if (!root) {
    console.error('usage: scripts/serve-web.js SITE [PORT]');
    process.exit(2);
  }
  serve(path.resolve(root), { port: Number(port) }).then(({ address }) => {
    console.log(`Ostrel is served on ${address} (Ctrl+C stops it)`);
  }, (error) => {
    console.error(`scripts/serve-web.js: ${error.message}`);
    process.exit(1);
  });
}
