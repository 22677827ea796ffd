#!/usr/bin/env python3
"""Asks an X window to close the way a window manager does: a WM_DELETE_WINDOW message.

Usage: close_window.py WINDOW_ID   (decimal or 0x hex; the display comes from $DISPLAY)
"""
import ctypes
import sys

CLIENT_MESSAGE = 33


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def main():
    window = int(sys.argv[1], 0)
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    ev = XEvent()
    ev.xclient.type = CLIENT_MESSAGE
    ev.xclient.window = window
    ev.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    ev.xclient.format = 32
    ev.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    ev.xclient.data[1] = 0
    x.XSendEvent(display, window, 0, 0, ctypes.byref(ev))
    x.XFlush(display)
    x.XCloseDisplay(display)


if __name__ == "__main__":
    main()
