// Runs before the program starts: lines of text over the canvas, one under the other, and what
// the page says when the program has ended.
Module['showNote'] = (id, text) => {
  let note = document.getElementById(id);
  if (!note) {
    note = document.createElement('div');
    note.id = id;
    note.className = 'note';
    document.getElementById('notes').appendChild(note);
  }
  note.textContent = text;
};

Module['removeNote'] = id => {
  const note = document.getElementById(id);
  if (note)
    note.remove();
};

// The program's complaints (a mistyped option in the address) go to the console, and the last
// one is what the page says if the program stops because of it.
Module['printErr'] = text => {
  console.warn(text);
  Module['lastComplaint'] = text;
};

// The last picture stays, dimmed; a click loads the page afresh, which plays the demo from the
// beginning with the settings it kept. Only a press made after the end counts: a tap's click can
// come long after the tap that ended the program.
Module['pageEnded'] = status => {
  const canvas = Module['canvas'];
  if (canvas.dataset.ended !== undefined)
    return;
  canvas.dataset.ended = status;
  canvas.style.opacity = 0.4;
  Module['removeNote']('sound-waits');
  if (document.fullscreenElement)
    document.exitFullscreen().catch(() => {});
  Module['showNote']('over', status === 0 ?
      'The demo is over. Click to play it again.' :
      `The demo stopped: ${Module['lastComplaint'] || 'status ' + status}. Click to try again.`);
  const reloadOnClick = () =>
      window.addEventListener('click', () => window.location.reload(), {once: true});
  window.addEventListener('pointerdown', reloadOnClick, {once: true});
};

// A program that stops before its first frame (an option it does not know) returns from main at
// once, without a word to the backend: the runtime's exit says it instead.
Module['onExit'] = status => Module['pageEnded'](status);
