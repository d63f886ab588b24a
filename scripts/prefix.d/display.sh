# Windows of the prefix are not handed to a window manager: under Xvfb there
# is none, and Wine would wait two seconds for it on every window it hides.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
