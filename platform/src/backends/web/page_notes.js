// Runs before the program starts: a line of text over the canvas, and what the page says when
// the program has ended.
Module['showNote'] = (id, text) => {
  let note = document.getElementById(id);
  if (!note) {
    note = document.createElement('div');
    note.id = id;
    note.className = 'note';
    document.body.appendChild(note);
  }
  note.textContent = text;
};

Module['removeNote'] = id => {
  const note = document.getElementById(id);
  if (note)
    note.remove();
};

// The last picture stays, dimmed; a click loads the page afresh, which plays the demo from the
// beginning with the settings it kept.
Module['pageEnded'] = status => {
  Module['canvas'].dataset.ended = status;
  Module['canvas'].style.opacity = 0.4;
  Module['removeNote']('sound-waits');
  if (document.fullscreenElement)
    document.exitFullscreen().catch(() => {});
  Module['showNote']('over', 'The demo is over. Click to play it again.');
  window.addEventListener('click', () => window.location.reload(), {once: true});
};
