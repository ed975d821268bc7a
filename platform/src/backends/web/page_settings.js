// Runs before the program starts: the settings file outlasts the visit in the page's
// localStorage. It is put in place before the program starts and kept each time the program
// replaces it (written under a temporary name, then renamed) or removes it.
Module['preRun'] = (Module['preRun'] || []).concat(() => {
  // Where the platform keeps it under Emscripten's home folder.
  const path = '/home/web_user/.config/LumaPlatform/HKEY_CURRENT_USER.reg';
  const key = 'LumaPlatform/HKEY_CURRENT_USER.reg';
  // localStorage holds text: one character per byte, whatever the file's code page.
  const keep = () => {
    try {
      const bytes = FS.readFile(path);
      localStorage.setItem(key, String.fromCharCode.apply(null, bytes));
    } catch (problem) {
      console.warn('The settings could not be kept: ' + problem);
    }
  };
  try {
    const text = localStorage.getItem(key);
    if (text !== null) {
      FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
      FS.writeFile(path, Uint8Array.from(text, c => c.charCodeAt(0)));
    }
  } catch (problem) {
    console.warn('No settings from earlier visits: ' + problem);
  }
  const rename = FS.rename;
  FS.rename = (from, to) => {
    rename(from, to);
    if (to === path)
      keep();
  };
  const unlink = FS.unlink;
  FS.unlink = name => {
    unlink(name);
    if (name === path)
      localStorage.removeItem(key);
  };
});
