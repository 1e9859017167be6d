"""A KDE Connect daemon for tests: python-dbusmock template.

Parameters: {"reachable": ["device-id", ...]}. Each reachable device gets a
share plugin object whose calls the test reads back with GetCalls.
"""

BUS_NAME = 'org.kde.kdeconnect'
MAIN_OBJ = '/modules/kdeconnect'
MAIN_IFACE = 'org.kde.kdeconnect.daemon'
SYSTEM_BUS = False


def load(mock, parameters):
    reachable = list(parameters.get('reachable', []))
    # devices(onlyReachable, onlyPaired): a paired phone that is out of reach
    # shows up only when unreachable devices are asked for too.
    mock.AddMethod(MAIN_IFACE, 'devices', 'bb', 'as',
                   'ret = %r if args[0] else %r' % (reachable, reachable + ['out-of-reach']))
    for device in reachable:
        mock.AddObject('/modules/kdeconnect/devices/%s/share' % device,
                       'org.kde.kdeconnect.device.share', {},
                       [('shareUrls', 'as', '', '')])
