#!/usr/bin/env python3
"""Asks a window to close the way a window manager's close button does:
a WM_DELETE_WINDOW client message. Usage: x11_close.py WINDOW_ID"""
import ctypes
import ctypes.util
import sys

xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XInternAtom.restype = ctypes.c_ulong
xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
xlib.XFlush.argtypes = [ctypes.c_void_p]
xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]


class ClientMessage(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
        ("pad", ctypes.c_long * 12),  # an XEvent is 24 longs
    ]


CLIENT_MESSAGE = 33
CURRENT_TIME = 0

display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("cannot open display")
window = int(sys.argv[1], 0)
event = ClientMessage()
event.type = CLIENT_MESSAGE
event.window = window
event.message_type = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.format = 32
event.data[0] = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.data[1] = CURRENT_TIME
if not xlib.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
xlib.XFlush(display)
xlib.XCloseDisplay(display)
