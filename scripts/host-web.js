#!/usr/bin/env node
// SPDX-License-Identifier: MIT
// Serves the web window's built site with nginx on 127.0.0.1, as the
// caller's own process: nginx in the foreground with a prefix of its own
// beside the build's configuration of the site (SITE.nginx.conf; the run's
// configuration, pid file and temporary folders in nginx/run-*, removed when
// it ends), no system service. nginx reloads that configuration whenever a
// build rewrites it, so that a rebuilt page's policy reaches the header.
// docs/web-host.md describes it.
//
// usage: scripts/host-web.js SITE [PORT]   (PORT 8080; its log on the terminal)
// As a module (the web tests and benchmarks): serve(site, options).
'use strict';

const { spawn, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const net = require('node:net');
const path = require('node:path');

const kSetpriv = '/usr/bin/setpriv';

// Where this nginx keeps its dynamic modules, which a run loads by path.
function modulesPath() {
  const version = spawnSync('nginx', ['-V'], { encoding: 'utf8' });
  if (version.error) {
    throw new Error('nginx is not installed (scripts/install-deps web installs nginx-light)');
  }
  const modules = (version.stderr.match(/--modules-path=(\S+)/) || [])[1] || '/usr/lib/nginx/modules';
  const brotli = path.join(modules, 'ngx_http_brotli_static_module.so');
  if (!fs.existsSync(brotli)) {
    throw new Error(`${brotli} is missing (scripts/install-deps web installs ` +
      'libnginx-mod-http-brotli-static)');
  }
  return brotli;
}

// One run's configuration: the site's own, `conf`, for the one server on
// 127.0.0.1:`port`; the log on the terminal, or as JSON lines in the
// prefix; with `holdPort`, every request first waits for the hold server's
// word.
function runConfig({ site, conf, port, prefix, terminal, holdPort }) {
  const file = (name) => JSON.stringify(path.join(prefix, name));
  const hold = holdPort ? `
        auth_request /.ostrel-hold;
        location = /.ostrel-hold {
            internal;
            proxy_pass http://127.0.0.1:${holdPort};
            proxy_pass_request_body off;
            proxy_set_header Content-Length "";
            proxy_set_header X-Ostrel-Uri $request_uri;
            proxy_read_timeout 1h;
        }` : '';
  // As root, the workers read the site as root: a checkout may be in a
  // folder only root may enter (/root).
  const user = process.getuid() === 0 ? 'user root root;\n' : '';
  return `# One run of scripts/host-web.js, removed when it ends.
load_module ${JSON.stringify(modulesPath())};
daemon off;
worker_processes 1;
${user}pid ${file('nginx.pid')};
lock_file ${file('nginx.lock')};
error_log ${terminal ? 'stderr' : file('error.log')};
events {
    worker_connections 256;
}
http {
    server_tokens off;
    sendfile on;
    log_not_found off;
    log_format ostrel escape=json '{"name":"$uri","status":$status,"bytes":$body_bytes_sent,'
                                  '"encoding":"$sent_http_content_encoding"}';
    access_log ${terminal ? '/dev/stdout combined' : `${file('access.log')} ostrel`};
    client_body_temp_path ${file('client_body')};
    proxy_temp_path ${file('proxy')};
    fastcgi_temp_path ${file('fastcgi')};
    uwsgi_temp_path ${file('uwsgi')};
    scgi_temp_path ${file('scgi')};
    server {
        listen 127.0.0.1:${port};
        root ${JSON.stringify(site)};
        include ${JSON.stringify(conf)};${hold}
    }
}
`;
}

// A port no one listens on now.
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// The name of the file a request's URI asks for: the folder's index.html
// for a folder.
function heldName(uri) {
  let name = uri.split('?')[0];
  try {
    name = decodeURIComponent(name);
  } catch {
    // nginx refuses what does not decode before it asks.
  }
  name = name.replace(/^\/+/, '');
  return name === '' || name.endsWith('/') ? `${name}index.html` : name;
}

// `holds` with each file the build named by its content held by its name
// in the site too (SITE.files.json, which the build writes beside it).
function builtNames(root, holds) {
  const names = JSON.parse(fs.readFileSync(`${root}.files.json`, 'utf8'));
  return Object.fromEntries(Object.entries(holds).map(([name, held]) => [names[name] || name, held]));
}

// The server nginx asks before it answers, when files are held: it says yes
// once the file's promise has settled.
function holdServer(holds) {
  const sockets = new Set();
  const server = http.createServer((request, response) => {
    const name = heldName(String(request.headers['x-ostrel-uri'] || '/'));
    const done = () => response.writeHead(204).end();
    Promise.resolve(holds[name]).then(done, done);
  });
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => resolve({
      port: server.address().port,
      close: () => new Promise((closed) => {
        sockets.forEach((socket) => socket.destroy());
        server.close(() => closed());
      }),
    }));
  });
}

// Starts nginx on `port` in a new prefix; resolves once it listens (it
// writes its pid file after binding), to the running nginx.
async function start(options) {
  const prefix = fs.mkdtempSync(path.join(options.runs, 'run-'));
  fs.chmodSync(prefix, 0o755);
  const config = path.join(prefix, 'nginx.conf');
  const errors = path.join(prefix, 'error.log');
  const remove = () => fs.rmSync(prefix, { recursive: true, force: true });
  try {
    fs.writeFileSync(config, runConfig({ ...options, prefix }));
  } catch (error) {
    remove();
    throw error;
  }
  const nginx = ['nginx', '-p', prefix, '-c', config, '-e', options.terminal ? 'stderr' : errors];
  // nginx ends with its caller, however the caller ends.
  const command = fs.existsSync(kSetpriv) ? [kSetpriv, '--pdeathsig', 'TERM', '--', ...nginx] : nginx;
  const child = spawn(command[0], command.slice(1),
    { stdio: options.terminal ? 'inherit' : 'ignore' });
  let running = true;
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => {
    running = false;
    resolve(code ?? signal);
  }));
  for (let waited = 0; !fs.existsSync(path.join(prefix, 'nginx.pid')); waited += 20) {
    const early = await Promise.race([exited, new Promise((resolve) => setTimeout(resolve, 20, null))]);
    if (early !== null || waited > 10000) {
      child.kill('SIGKILL');
      const said = fs.existsSync(errors) ? fs.readFileSync(errors, 'utf8').trim() : '';
      remove();
      const error = new Error(`nginx did not start (${early ?? 'no answer'}): ${said}`);
      error.addressInUse = /Address already in use/.test(said);
      throw error;
    }
  }
  return {
    prefix,
    exited,
    reload: () => child.kill('SIGHUP'),
    stop: async () => {
      if (running) {
        child.kill('SIGTERM');
      }
      await exited;
      remove();
    },
  };
}

// Serves `root` with nginx and the configuration `conf` (the one the build
// wrote beside the site) on 127.0.0.1:`port` (0: any free port). `holds`
// maps a file name to a promise: that file is answered only once it has
// settled; a content-named file may be held by its name as built
// (ostrel-core.wasm holds ostrel-core.0123abcd.wasm). Every answer is
// logged as sent: {name, status, bytes, encoding}. `terminal`: nginx's log
// on the terminal instead. `runs`: where the run's prefix goes (beside the
// configuration). Resolves to {address, port, log, close()}; close() stops
// answering at once, open connections included.
async function serve(root, {
  port = 0, holds = {}, conf = `${root}.nginx.conf`, terminal = false, runs = null,
} = {}) {
  // The configuration refuses a symlink anywhere in the site's path.
  const site = fs.realpathSync(root);
  const own = path.resolve(conf);
  if (!fs.existsSync(own)) {
    throw new Error(`${own} is missing: the build writes it beside the site`);
  }
  runs = runs || path.join(path.dirname(own), 'nginx');
  fs.mkdirSync(runs, { recursive: true });
  const hold = Object.keys(holds).length > 0 ? await holdServer(builtNames(root, holds)) : null;
  let nginx = null;
  for (let attempt = 1; !nginx; ++attempt) {
    const chosen = port || await freePort();
    try {
      nginx = await start({ site, conf: own, port: chosen, runs, terminal, holdPort: hold && hold.port });
      nginx.port = chosen;
    } catch (error) {
      // Another process may take a free port before nginx does.
      if (port || !error.addressInUse || attempt === 5) {
        await (hold && hold.close());
        throw error;
      }
    }
  }
  // A build rewrites the configuration in one step (a rename): a new file.
  const watcher = (now, before) => {
    if (now.mtimeMs !== before.mtimeMs || now.ino !== before.ino) {
      if (terminal) {
        console.error(`${own} was written again: nginx reloads it`);
      }
      nginx.reload();
    }
  };
  fs.watchFile(own, { interval: 250, persistent: false }, watcher);
  const accessLog = path.join(nginx.prefix, 'access.log');
  return {
    address: `http://127.0.0.1:${nginx.port}/`,
    port: nginx.port,
    exited: nginx.exited,
    get log() {
      const text = fs.existsSync(accessLog) ? fs.readFileSync(accessLog, 'utf8') : '';
      return text.split('\n').filter(Boolean).map((line) => {
        const entry = JSON.parse(line);
        return {
          name: entry.name.replace(/^\/+/, ''),
          status: entry.status,
          bytes: entry.bytes,
          encoding: entry.encoding || null,
        };
      });
    },
    close: async () => {
      fs.unwatchFile(own, watcher);
      await nginx.stop();
      await (hold && hold.close());
    },
  };
}

module.exports = { serve };

if (require.main === module) {
  const [root, port = '8080'] = process.argv.slice(2);
  if (!root) {
    console.error('usage: scripts/host-web.js SITE [PORT]');
    process.exit(2);
  }
  serve(path.resolve(root), { port: Number(port), terminal: true }).then((server) => {
    console.error(`Ostrel is served by nginx on ${server.address} (Ctrl+C stops it)`);
    let stopping = false;
    const stop = () => {
      if (!stopping) {
        stopping = true;
        server.close().then(() => process.exit(0));
      }
    };
    process.on('SIGINT', stop);
    process.on('SIGTERM', stop);
    // Ctrl+C reaches nginx too, which may end first.
    server.exited.then((how) => {
      if (!stopping) {
        stopping = true;
        if (how !== 0) {
          console.error(`scripts/host-web.js: nginx ended (${how})`);
        }
        server.close().then(() => process.exit(how === 0 ? 0 : 1));
      }
    });
  }, (error) => {
    console.error(`scripts/host-web.js: ${error.message}`);
    process.exit(1);
  });
}
