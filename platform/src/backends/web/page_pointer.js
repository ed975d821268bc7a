// Runs before the program starts: the mouse over the canvas, in the canvas's own pixels,
// queued while a dialog on the canvas wants it (pendingPointer is an array then, else null).
Module['pendingPointer'] = null;
['pointerdown', 'pointermove', 'pointerup'].forEach(type => {
  window.addEventListener(type, event => {
    const queue = Module['pendingPointer'];
    // Only the main (left) button presses and lets go.
    if (!queue || (type !== 'pointermove' && event.button !== 0))
      return;
    const canvas = Module['canvas'];
    const box = canvas.getBoundingClientRect();
    if (box.width === 0 || box.height === 0)
      return;
    queue.push({
      type: type,
      x: Math.floor((event.clientX - box.left) * canvas.width / box.width),
      y: Math.floor((event.clientY - box.top) * canvas.height / box.height),
    });
  });
});
