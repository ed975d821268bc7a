"""A headless Chromium driven through its DevTools protocol, with nothing but the standard
library: the protocol's WebSocket is small enough to speak here."""

import base64
import json
import os
import re
import socket
import struct
import subprocess
import tempfile
import time
import urllib.request


class WebSocket:
    """A client WebSocket for text messages, which is all the protocol sends."""

    def __init__(self, url):
        match = re.match(r"ws://([^:/]+):(\d+)(/.*)", url)
        host, port, path = match.group(1), int(match.group(2)), match.group(3)
        self.sock = socket.create_connection((host, port))
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall(
            (f"GET {path} HTTP/1.1\r\nHost: {host}:{port}\r\nUpgrade: websocket\r\n"
             f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
             "Sec-WebSocket-Version: 13\r\n\r\n").encode())
        response = b""
        while b"\r\n\r\n" not in response:
            response += self.sock.recv(1)
        if b" 101 " not in response.split(b"\r\n")[0]:
            raise RuntimeError(f"no WebSocket at {url}: {response!r}")

    def send(self, text):
        payload = text.encode()
        header = bytes([0x81])
        if len(payload) < 126:
            header += bytes([0x80 | len(payload)])
        elif len(payload) < 65536:
            header += bytes([0x80 | 126]) + struct.pack(">H", len(payload))
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", len(payload))
        # A client masks what it sends; any mask will do.
        mask = os.urandom(4)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(header + mask + masked)

    def _read(self, count):
        data = b""
        while len(data) < count:
            chunk = self.sock.recv(count - len(data))
            if not chunk:
                raise RuntimeError("the browser closed the connection")
            data += chunk
        return data

    def receive(self):
        message = b""
        while True:
            first, second = self._read(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._read(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._read(8))[0]
            message += self._read(length)
            if first & 0x80:
                return message.decode()


class Browser:
    """Debian's chromium, headless, with one page whose viewport is width x height CSS pixels
    at one device pixel each. Without `autoplay` the page plays sound only after a gesture,
    as a browser does by default."""

    def __init__(self, width, height, autoplay=True):
        # The browser's helpers may still be writing as it goes: what is left, is left.
        self.profile = tempfile.TemporaryDirectory(prefix="chromium-profile-",
                                                   ignore_cleanup_errors=True)
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu",
             "--remote-debugging-port=0", f"--user-data-dir={self.profile.name}",
             f"--window-size={width},{height}", "--force-device-scale-factor=1",
             "--force-color-profile=srgb", "--hide-scrollbars", "--mute-audio",
             *(["--autoplay-policy=no-user-gesture-required"] if autoplay else []),
             "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # With port 0 the browser picks a free port and names it in the profile.
        port_file = os.path.join(self.profile.name, "DevToolsActivePort")
        deadline = time.monotonic() + 30
        while not os.path.exists(port_file) or not open(port_file).read().strip():
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("chromium did not start its DevTools server")
            time.sleep(0.05)
        port = open(port_file).read().split()[0]
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list") as answer:
            page = next(t for t in json.load(answer) if t["type"] == "page")
        self.socket = WebSocket(page["webSocketDebuggerUrl"])
        self.next_id = 0
        self.console = []
        self.boxes = []
        self.call("Runtime.enable")
        self.call("Page.enable")
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=1, mobile=False)

    def call(self, method, **params):
        self.next_id += 1
        call_id = self.next_id
        self.socket.send(json.dumps({"id": call_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.receive())
            if message.get("method") == "Runtime.consoleAPICalled":
                args = message["params"]["args"]
                self.console.append(" ".join(str(a.get("value", "")) for a in args))
            if message.get("method") == "Page.javascriptDialogOpening":
                # A message box: kept, and answered as a user would, so the page goes on.
                self.boxes.append(message["params"]["message"])
                self.next_id += 1
                self.socket.send(json.dumps({"id": self.next_id,
                                             "method": "Page.handleJavaScriptDialog",
                                             "params": {"accept": True}}))
            if message.get("id") == call_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        return result["result"].get("value")

    def wait_for(self, expression, timeout_seconds):
        deadline = time.monotonic() + timeout_seconds
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(0.05)
        raise TimeoutError(f"still false after {timeout_seconds} s: {expression}")

    def wait_for_log(self, line, timeout_seconds):
        """Whether the program's log reached `line` (on the console) within the time."""
        deadline = time.monotonic() + timeout_seconds
        while line not in self.console:
            if time.monotonic() > deadline:
                return False
            # Console messages arrive with the answer to any call.
            self.evaluate("0")
            time.sleep(0.1)
        return True

    def press(self, key, code, virtual_key, text="", alt=False, ctrl=False):
        """A key pressed and let go, as the keyboard would."""
        modifiers = (1 if alt else 0) | (2 if ctrl else 0)
        self.call("Input.dispatchKeyEvent", type="keyDown", key=key, code=code,
                  windowsVirtualKeyCode=virtual_key, text=text, modifiers=modifiers)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                  windowsVirtualKeyCode=virtual_key, modifiers=modifiers)

    def click(self, x, y):
        """The left mouse button pressed and let go at (x, y) in CSS pixels: a user's gesture."""
        self.call("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def screenshot_png(self):
        return base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])

    def close(self):
        self.process.terminate()
        self.process.wait()
        self.profile.cleanup()

    def __enter__(self):
        return self

    def __exit__(self, *failure):
        self.close()
