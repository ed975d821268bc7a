// Runs before the program starts: the page's keys wait here until the program pumps its events.
Module['pendingKeys'] = [];
window.addEventListener('keydown', event => {
  if (event.altKey && event.key === 'Enter') {
    // Full screen needs the key's own event: the browser refuses it anywhere later.
    if (document.fullscreenElement)
      document.exitFullscreen();
    else
      document.documentElement.requestFullscreen().catch(() => {});
    event.preventDefault();
    return;
  }
  // A key's text is one character; named keys (Enter, Escape, arrows) type none.
  const text = [...event.key].length === 1 ? event.key : '';
  Module['pendingKeys'].push(
      {virtualKey: event.keyCode, text: text, shift: event.shiftKey, alt: event.altKey});
  // Tab moves through a dialog's buttons, not through the page.
  if (event.key === 'Tab')
    event.preventDefault();
});
