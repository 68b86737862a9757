// SPDX-License-Identifier: MIT
// Lighthouse (the version bench/package-lock.json pins) against the built
// site as nginx serves it (scripts/host-web.js), in Debian's headless Chromium:
// the mobile form factor (Lighthouse's default: a mid-range phone, its
// simulated slow 4G and 4× slower processor) and the desktop preset, taking
// turns, RUNS times each; prints each run's four category scores and their
// medians, the medians of the page-load metrics, and every weighted audit
// that did not pass in some run.
//
// usage: node bench/web-lighthouse.js SITE [RUNS [REPORTS]]   (NODE_PATH: the
//        bench's node_modules; see bench/web-startup.sh). Each run's report
//        is kept in REPORTS as FORM-N.json (default: a folder removed after).
'use strict';

const { execFile } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { serve } = require('../scripts/host-web');
const { chromiumPath, chromiumFlags, median } = require('./web-profile');

const site = path.resolve(process.argv[2] || 'build/web/site');
const runs = Number(process.argv[3] || 3);
const reports = process.argv[4] ? path.resolve(process.argv[4]) : null;
const modules = (process.env.NODE_PATH || '').split(path.delimiter)[0];
const lighthouse = path.join(modules, 'lighthouse', 'cli', 'index.js');

const kCategories = ['performance', 'accessibility', 'best-practices', 'seo'];
const kMetrics = [
  ['first-contentful-paint', 'FCP', 'ms'],
  ['largest-contentful-paint', 'LCP', 'ms'],
  ['total-blocking-time', 'TBT', 'ms'],
  ['speed-index', 'SI', 'ms'],
  ['cumulative-layout-shift', 'CLS', ''],
];
const kForms = {
  mobile: [],
  desktop: ['--preset=desktop'],
};

function run(address, form, output) {
  const args = [lighthouse, address, '--quiet', '--output=json', `--output-path=${output}`,
    `--only-categories=${kCategories.join(',')}`, '--no-enable-error-reporting',
    `--chrome-flags=--headless=new ${chromiumFlags.join(' ')}`, ...kForms[form]];
  return new Promise((resolve, reject) => {
    execFile(process.execPath, args, { env: { ...process.env, CHROME_PATH: chromiumPath } },
      (error, stdout, stderr) => {
        if (error) {
          reject(new Error(`lighthouse (${form}) failed: ${stderr || error.message}`));
          return;
        }
        resolve(JSON.parse(fs.readFileSync(output, 'utf8')));
      });
  });
}

// Scores (0 to 100), metrics, and the weighted audits that did not pass.
function digest(report) {
  const scores = {};
  const failed = [];
  for (const id of kCategories) {
    const category = report.categories[id];
    scores[id] = category.score === null ? NaN : Math.round(category.score * 100);
    for (const ref of category.auditRefs) {
      const audit = report.audits[ref.id];
      if (ref.weight > 0 && audit.score !== null && audit.score < 1) {
        failed.push(`${id}: ${ref.id} (${audit.score}${audit.displayValue ? `, ${audit.displayValue}` : ''})`);
      }
    }
  }
  const metrics = {};
  for (const [id] of kMetrics) {
    metrics[id] = report.audits[id] ? report.audits[id].numericValue : NaN;
  }
  return {
    scores, metrics, failed,
    warnings: report.runWarnings || [],
    version: report.lighthouseVersion,
    benchmark: report.environment.benchmarkIndex,
  };
}

(async () => {
  const server = await serve(site);
  const dir = reports || fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-lighthouse-'));
  fs.mkdirSync(dir, { recursive: true });
  const results = { mobile: [], desktop: [] };
  try {
    for (let pass = 0; pass < runs; ++pass) {
      for (const form of Object.keys(kForms)) {
        const result = digest(await run(server.address, form, path.join(dir, `${form}-${pass + 1}.json`)));
        results[form].push(result);
        console.log(`${form} run ${pass + 1}: ` +
          kCategories.map((id) => `${id} ${result.scores[id]}`).join(', ') +
          ` (Lighthouse ${result.version}, this machine's benchmark index ${Math.round(result.benchmark)})`);
        for (const warning of result.warnings) {
          console.log(`  warning: ${warning}`);
        }
      }
    }
  } finally {
    await server.close();
    if (!reports) {
      fs.rmSync(dir, { recursive: true, force: true });
    }
  }
  for (const [form, list] of Object.entries(results)) {
    console.log(`\nLighthouse ${form}, medians of ${list.length} runs:`);
    console.log(`  ${kCategories.map((id) => `${id} ${median(list.map((r) => r.scores[id]))}`).join(', ')}`);
    console.log(`  ${kMetrics.map(([id, name, unit]) => {
      const value = median(list.map((r) => r.metrics[id]));
      return `${name} ${unit ? Math.round(value) : value.toFixed(3)}${unit ? ` ${unit}` : ''}`;
    }).join(', ')}`);
    const counts = new Map();
    for (const result of list) {
      for (const line of new Set(result.failed.map((f) => f.replace(/ \(.*$/, '')))) {
        counts.set(line, (counts.get(line) || 0) + 1);
      }
    }
    for (const [line, count] of counts) {
      const shown = list.map((r) => r.failed.find((f) => f.startsWith(`${line} (`)))
        .filter(Boolean).map((f) => f.slice(line.length + 2, -1));
      console.log(`  not passed in ${count} of ${list.length}: ${line} (${shown.join('; ')})`);
    }
  }
})().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
