#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A page-only WebKitGTK browser for the web window's tests in WebKit.

WebKitWebDriver starts it with --automation and the options the test asks
for; each browsing context it asks for is one window that holds nothing but
the page, so the page's viewport is exactly the asked size (MiniBrowser's
window cannot be narrower than 447 pixels). The browser's language, colour
scheme and device pixels to a CSS pixel are set from the options, and
whether the page's own scripts run (the driver's always do). What the
page writes to its console (errors and warnings, uncaught errors, Content-
Security-Policy violations, failed loads) goes to the log file, one message
a line starting with "CONSOLE", for the test to read: WebKitGTK's WebDriver
has no log command.

  webkit_browser.py --automation [--size=WxH] [--scale=N] [--language=sv-SE]
                    [--scheme=light|dark] [--data=DIR] [--no-script]
"""
import argparse
import os
import sys

options = argparse.ArgumentParser()
options.add_argument('--automation', action='store_true')
options.add_argument('--size', default='800x600')
options.add_argument('--scale', default='1')
options.add_argument('--language', default='sv-SE')
options.add_argument('--scheme', choices=('light', 'dark'), default='light')
options.add_argument('--data', default=None)
options.add_argument('--no-script', action='store_true')
args, _ = options.parse_known_args()
if not args.automation:
    sys.exit('webkit_browser.py: only WebKitWebDriver starts this browser (--automation)')

# GTK reads these when it starts: the pixel density, and X (the test's Xvfb).
os.environ['GDK_SCALE'] = args.scale
os.environ['GDK_BACKEND'] = 'x11'
# WebKit's sandbox for its web processes needs user namespaces, which a CI
# container may not give; the browser only ever opens the test's own server.
os.environ['WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS'] = '1'

import gi  # noqa: E402

gi.require_version('Gtk', '3.0')
gi.require_version('WebKit2', '4.1')
from gi.repository import Gtk, WebKit2  # noqa: E402

width, height = (int(n) for n in args.size.split('x'))
Gtk.Settings.get_default().set_property('gtk-application-prefer-dark-theme',
                                        args.scheme == 'dark')

if args.data:
    data = WebKit2.WebsiteDataManager(base_data_directory=os.path.join(args.data, 'data'),
                                      base_cache_directory=os.path.join(args.data, 'cache'))
    context = WebKit2.WebContext(website_data_manager=data)
else:
    context = WebKit2.WebContext.get_default()
context.set_preferred_languages([args.language])
context.set_automation_allowed(True)
windows = []


def new_window(session):
    view = WebKit2.WebView(web_context=context, is_controlled_by_automation=True)
    # The web process writes the page's console to its standard error, which
    # is this browser's and so the driver's.
    view.get_settings().set_enable_write_console_messages_to_stdout(True)
    if args.no_script:
        view.get_settings().set_enable_javascript(False)
    window = Gtk.Window(title='Ostrel tests')
    window.set_default_size(width, height)
    window.add(view)

    def close(*_):
        window.destroy()
        windows.remove(window)
        if not windows:
            Gtk.main_quit()

    view.connect('close', close)
    windows.append(window)
    window.show_all()
    window.present()
    return view


def automation_started(_, session):
    about = WebKit2.ApplicationInfo()
    about.set_name('ostrel-webkit-tests')
    about.set_version(1, 0, 0)
    session.set_application_info(about)
    session.connect('create-web-view', new_window)


context.connect('automation-started', automation_started)
Gtk.main()
