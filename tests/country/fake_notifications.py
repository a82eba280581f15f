# The desktop's notification service, as far as the program uses it: each Notify call
# writes its summary as a line of the file named by NOTIFIED.
import os

from gi.repository import Gio, GLib

INTERFACE = """
<node><interface name="org.freedesktop.Notifications">
  <method name="GetCapabilities"><arg direction="out" type="as"/></method>
  <method name="Notify">
    <arg type="s"/><arg type="u"/><arg type="s"/><arg type="s"/><arg type="s"/>
    <arg type="as"/><arg type="a{sv}"/><arg type="i"/><arg direction="out" type="u"/>
  </method>
</interface></node>"""


def called(connection, sender, path, interface, method, parameters, invocation):
    if method == 'GetCapabilities':
        invocation.return_value(GLib.Variant('(as)', (['body'],)))
        return
    with open(os.environ['NOTIFIED'], 'a') as notified:
        notified.write(parameters[3] + '\n')
    invocation.return_value(GLib.Variant('(u)', (1,)))


def acquired(connection, name):
    info = Gio.DBusNodeInfo.new_for_xml(INTERFACE).interfaces[0]
    connection.register_object('/org/freedesktop/Notifications', info, called, None, None)


Gio.bus_own_name(Gio.BusType.SESSION, 'org.freedesktop.Notifications', Gio.BusNameOwnerFlags.NONE,
                 acquired, None, None)
GLib.MainLoop().run()
