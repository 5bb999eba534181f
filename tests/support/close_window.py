#!/usr/bin/env python3
"""close_window.py WINDOW: asks an X window to close (WM_DELETE_WINDOW), as a
window manager's close button does. DISPLAY names the server."""
import ctypes
import ctypes.util
import sys

x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
# XClientMessageEvent, padded to the 24 longs of an XEvent.
fields = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
          ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
          ("message_type", ctypes.c_ulong), ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
          ("pad", ctypes.c_long * 12)]
event = type("ClientMessage", (ctypes.Structure,), {"_fields_": fields})()
dpy = x11.XOpenDisplay(None)
event.type, event.window, event.format = 33, int(sys.argv[1]), 32
event.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
event.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
sys.exit(0 if x11.XSendEvent(dpy, event.window, 0, 0, ctypes.byref(event))
         and x11.XCloseDisplay(dpy) == 0 else 1)
