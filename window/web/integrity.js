// SPDX-License-Identifier: MIT
// Prints the Subresource Integrity of each file named on the command line,
// one to a line: "sha256-" and the base64 of its SHA-256 (the form a
// page's integrity attribute and a Content-Security-Policy source take).
// Run by the site's build (site.cmake).
'use strict';
const crypto = require('node:crypto');
const fs = require('node:fs');

for (const file of process.argv.slice(2)) {
  const digest = crypto.createHash('sha256').update(fs.readFileSync(file)).digest('base64');
  process.stdout.write(`sha256-${digest}\n`);
}
