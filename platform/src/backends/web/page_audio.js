// Runs before the program starts: the page's sound. One AudioContext for the page; each open
// device is a processor node that plays the blocks the program's mixer made, in order, and
// silence when none is there.
Module['pageAudio'] = {
  context: null,
  outputs: [],
  framesPlayed: 0,
  framesMissed: 0,

  available() {
    return typeof (window.AudioContext || window.webkitAudioContext) === 'function';
  },

  // A device's number, or -1 where the page has no sound.
  open(framesPerCallback) {
    if (!this.available())
      return -1;
    if (!this.context) {
      this.context = new (window.AudioContext || window.webkitAudioContext)();
      // A browser starts sound only after a gesture on the page: the first one resumes it.
      const resume = () => this.context.resume();
      ['keydown', 'pointerdown'].forEach(name => window.addEventListener(name, resume));
      Module['canvas'].dataset.audioRate = this.context.sampleRate;
      // A page opened with its settings in the address was given no gesture yet.
      const sayWhetherWaiting = () => {
        if (this.context.state === 'suspended')
          Module['showNote']('sound-waits', 'Click the page to hear the sound.');
        else
          Module['removeNote']('sound-waits');
      };
      this.context.onstatechange = sayWhetherWaiting;
      sayWhetherWaiting();
    }
    const output = {blocks: [], offset: 0, queued: 0, begun: false, closed: false};
    output.node = this.context.createScriptProcessor(framesPerCallback, 0, 1);
    output.node.onaudioprocess = event => {
      // A block the browser asked for just before the device closed is nobody's gap.
      if (output.closed)
        return;
      const out = event.outputBuffer.getChannelData(0);
      let filled = 0;
      while (filled < out.length && output.blocks.length) {
        const block = output.blocks[0];
        const count = Math.min(out.length - filled, block.length - output.offset);
        out.set(block.subarray(output.offset, output.offset + count), filled);
        filled += count;
        output.offset += count;
        if (output.offset === block.length) {
          output.blocks.shift();
          output.offset = 0;
        }
      }
      out.fill(0, filled);
      output.queued -= filled;
      this.framesPlayed += filled;
      // Silence the program did not make, once its sound has begun: a gap.
      if (output.begun)
        this.framesMissed += out.length - filled;
      output.begun = output.begun || filled > 0;
      const dataset = Module['canvas'].dataset;
      dataset.audioFramesPlayed = this.framesPlayed;
      dataset.audioFramesMissed = this.framesMissed;
    };
    output.node.connect(this.context.destination);
    this.outputs.push(output);
    return this.outputs.length - 1;
  },

  close(id) {
    const output = this.outputs[id];
    output.closed = true;
    output.node.disconnect();
    output.blocks = [];
    output.queued = 0;
  },

  // Mono 16-bit frames from the program's memory, as the context's floats. The loudest
  // sample so far is on the canvas too, for whoever checks that something played.
  peak: 0,
  push(id, samples) {
    const block = new Float32Array(samples.length);
    for (let i = 0; i < samples.length; ++i) {
      block[i] = samples[i] / 32768;
      this.peak = Math.max(this.peak, Math.abs(samples[i]));
    }
    Module['canvas'].dataset.audioPeak = this.peak;
    this.outputs[id].blocks.push(block);
    this.outputs[id].queued += samples.length;
  },
};

if (!Module['pageAudio'].available())
  Module['showNote']('no-audio', 'This browser has no WebAudio: the demo plays without sound.');
