// Runs before the program starts: its options from the page's query string, its screen,
// and its log on the browser's console.

// "?hold=4:1234&sound=off&window" → --hold 4:1234 --sound off --window
Module['arguments'] = [];
new URLSearchParams(window.location.search).forEach((value, key) => {
  Module['arguments'].push('--' + key);
  if (value !== '')
    Module['arguments'].push(value);
});

Module['canvas'] = document.getElementById('screen');

// The log file is written in the page's memory, where nobody can read it: each of its lines
// goes to the console as well.
Module['preRun'] = (Module['preRun'] || []).concat(() => {
  const write = FS.write;
  const decoder = new TextDecoder('windows-1252');
  const unfinished = new Map();
  FS.write = (stream, buffer, offset, length, position, canOwn) => {
    if (stream.path && stream.path.endsWith('.log')) {
      const text = (unfinished.get(stream.path) || '') +
                   decoder.decode(buffer.subarray(offset, offset + length));
      const lines = text.split(/\r?\n/);
      unfinished.set(stream.path, lines.pop());
      lines.forEach(line => console.log(line));
    }
    return write(stream, buffer, offset, length, position, canOwn);
  };
});
