// CPU time from /proc, which counts only the time a thread ran: unlike the
// page's own task durations, it does not grow when the shared machine keeps
// a thread waiting. For the browser: all its processes (its own, the
// page's renderer, the GPU process where the software renderer draws), and
// the renderers' main threads, where the page's JavaScript and WebAssembly
// run and its WebGL calls are made.
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');

const TicksPerSecond = Number(execFileSync('getconf', ['CLK_TCK']).toString());

function readOrNull(file) {
  try {
    return fs.readFileSync(file, 'utf8');
  } catch {
    return null; // the process ended meanwhile
  }
}

// The parent pid and the user + system CPU ticks of a /proc stat line.
function parseStat(stat) {
  // The command name in brackets may hold spaces; the fields follow it.
  const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
  return { parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) };
}

function processTable() {
  const table = [];
  for (const name of fs.readdirSync('/proc')) {
    const stat = /^\d+$/.test(name) ? readOrNull(`/proc/${name}/stat`) : null;
    if (stat) {
      table.push({ pid: Number(name), ...parseStat(stat) });
    }
  }
  return table;
}

function descendantsAndSelf(table, rootPid) {
  const inTree = new Set([rootPid]);
  for (let grew = true; grew;) {
    grew = false;
    for (const entry of table) {
      if (!inTree.has(entry.pid) && inTree.has(entry.parent)) {
        inTree.add(entry.pid);
        grew = true;
      }
    }
  }
  return table.filter((entry) => inTree.has(entry.pid));
}

// Milliseconds of CPU used so far by `rootPid` and its descendants alive
// now (all), and by the main threads of the renderers among them.
function browserCpuMilliseconds(rootPid) {
  let allTicks = 0;
  let rendererMainTicks = 0;
  for (const entry of descendantsAndSelf(processTable(), rootPid)) {
    allTicks += entry.ticks;
    const commandLine = readOrNull(`/proc/${entry.pid}/cmdline`) || '';
    const mainThread = commandLine.includes('--type=renderer') &&
      readOrNull(`/proc/${entry.pid}/task/${entry.pid}/stat`);
    if (mainThread) {
      rendererMainTicks += parseStat(mainThread).ticks;
    }
  }
  const toMilliseconds = (ticks) => ticks * 1000 / TicksPerSecond;
  return { all: toMilliseconds(allTicks), rendererMain: toMilliseconds(rendererMainTicks) };
}

module.exports = { browserCpuMilliseconds };
