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
  // A key's text is one character; named keys (Enter, Escape, arrows) and the browser's
  // shortcuts (Ctrl+J, Cmd+D) type none.
  const typed = [...event.key].length === 1 && !event.ctrlKey && !event.metaKey;
  Module['pendingKeys'].push({
    virtualKey: event.keyCode,
    text: typed ? event.key : '',
    shift: event.shiftKey,
    alt: event.altKey,
  });
  // Tab moves through a dialog's buttons, not through the page; Alt+letter presses a button
  // rather than opening the browser's menus or address bar.
  const dialogShown = Module['pendingPointer'] !== null;
  if (event.key === 'Tab' || (event.altKey && dialogShown))
    event.preventDefault();
});
