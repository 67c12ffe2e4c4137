// What the page sends to the speakers, sample by sample: a script run in the
// page before its own copies everything connected to an audio context's
// destination into an AnalyserNode per channel, which Chromium runs without
// a sound device.
'use strict';

// Runs in the page (evaluateOnNewDocument).
function installAudioTap() {
  const taps = [];
  window.sewerAudioTaps = taps;
  const connect = AudioNode.prototype.connect;

  // Mixed to stereo the way the destination mixes, then split by channel.
  function tapOf(context) {
    let tap = taps.find((t) => t.context === context);
    if (!tap) {
      const input = new GainNode(context, { channelCount: 2, channelCountMode: 'explicit',
                                            channelInterpretation: 'speakers' });
      const splitter = context.createChannelSplitter(2);
      const analysers = [context.createAnalyser(), context.createAnalyser()];
      connect.call(input, splitter);
      analysers.forEach((analyser, channel) => {
        analyser.fftSize = 2048;
        connect.call(splitter, analyser, channel);
      });
      tap = { context, input, analysers };
      taps.push(tap);
    }
    return tap;
  }

  AudioNode.prototype.connect = function (target, ...rest) {
    const result = connect.call(this, target, ...rest);
    if (target instanceof AudioDestinationNode) {
      connect.call(this, tapOf(target.context).input, ...rest);
    }
    return result;
  };
}

// Listens for `ms` and resolves to { contexts, states, channelsDb }: how
// many audio contexts reached the speakers, their states, and the RMS level
// of the left and right channels they played, in dB relative to full scale
// (-Infinity for silence; empty without any context).
async function measureLevel(page, ms) {
  const heard = await page.evaluate(async (listenMs) => {
    const taps = window.sewerAudioTaps;
    const sums = [0, 0];
    let count = 0;
    const end = performance.now() + listenMs;
    while (taps.length > 0 && performance.now() < end) {
      const samples = new Float32Array(taps[0].analysers[0].fftSize);
      for (const { analysers } of taps) {
        analysers.forEach((analyser, channel) => {
          analyser.getFloatTimeDomainData(samples);
          for (const s of samples) {
            sums[channel] += s * s;
          }
        });
      }
      count += samples.length;
      // One analyser's window of samples later, the next window.
      await new Promise((resolve) => {
        setTimeout(resolve, (1000 * samples.length) / taps[0].context.sampleRate);
      });
    }
    return { contexts: taps.length, states: taps.map((t) => t.context.state), sums, count };
  }, ms);
  const channelsDb = heard.count > 0 ? heard.sums.map((sum) => 10 * Math.log10(sum / heard.count))
                                     : [];
  return { contexts: heard.contexts, states: heard.states, channelsDb };
}

// A measured level in words, for the test's report.
function describeLevel({ contexts, states, channelsDb }) {
  if (contexts === 0) {
    return 'no audio context reached the speakers';
  }
  const [left, right] = channelsDb.map((db) => db.toFixed(2));
  return `left ${left}, right ${right} dB RMS (audio contexts: ${states.join(', ')})`;
}

module.exports = { installAudioTap, measureLevel, describeLevel };
