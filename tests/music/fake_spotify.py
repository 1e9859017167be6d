"""Spotify's media player interface for tests: a python-dbusmock template.

Parameters (all optional): {"status": "Playing", "title": "...", "artists":
["..."], "length": <microseconds>, "position": <microseconds>, "artUrl":
"...", "trackid": "/com/spotify/track/1"}.

The test changes the state with org.zelvik.FakePlayer.Update(properties),
which sends PropertiesChanged with the values exactly as given, as the player
does; reads the calls back with org.freedesktop.DBus.Mock.GetMethodCalls;
and can make the player stop answering for a while with
org.zelvik.FakePlayer.Freeze(seconds).
"""

import dbus

BUS_NAME = 'org.mpris.MediaPlayer2.spotify'
MAIN_OBJ = '/org/mpris/MediaPlayer2'
MAIN_IFACE = 'org.mpris.MediaPlayer2.Player'
SYSTEM_BUS = False

ROOT_IFACE = 'org.mpris.MediaPlayer2'
CONTROL_IFACE = 'org.zelvik.FakePlayer'


def metadata(parameters):
    values = {}
    if 'title' in parameters:
        values['xesam:title'] = dbus.String(parameters['title'])
    if 'artists' in parameters:
        values['xesam:artist'] = dbus.Array(parameters['artists'], signature='s')
    if 'length' in parameters:
        values['mpris:length'] = dbus.Int64(parameters['length'])
    if 'artUrl' in parameters:
        values['mpris:artUrl'] = dbus.String(parameters['artUrl'])
    values['mpris:trackid'] = dbus.ObjectPath(parameters.get('trackid', '/com/spotify/track/1'))
    return dbus.Dictionary(values, signature='sv')


def update(self, properties):
    # dbusmock's own UpdateProperties cannot pass on a map such as Metadata.
    for name, value in properties.items():
        self.props[MAIN_IFACE][name] = value
    self.EmitSignal('org.freedesktop.DBus.Properties', 'PropertiesChanged', 'sa{sv}as',
                    [MAIN_IFACE, properties, dbus.Array([], signature='s')])


def load(mock, parameters):
    mock.AddProperties(MAIN_IFACE, {
        'PlaybackStatus': dbus.String(parameters.get('status', 'Stopped')),
        'Metadata': metadata(parameters),
        'Position': dbus.Int64(parameters.get('position', 0)),
    })
    mock.AddProperties(ROOT_IFACE, {
        'Identity': dbus.String('Spotify'),
        'DesktopEntry': dbus.String('spotify'),
        'CanRaise': dbus.Boolean(True),
    })
    mock.AddMethod(ROOT_IFACE, 'Raise', '', '', '')
    # Play/pause flips the state and says so, like the real player.
    mock.AddMethods(MAIN_IFACE, [
        ('PlayPause', '', '',
         'p = self.props["org.mpris.MediaPlayer2.Player"]\n'
         'state = "Paused" if p["PlaybackStatus"] == "Playing" else "Playing"\n'
         'p["PlaybackStatus"] = state\n'
         'self.EmitSignal("org.freedesktop.DBus.Properties", "PropertiesChanged", "sa{sv}as",'
         ' ["org.mpris.MediaPlayer2.Player", {"PlaybackStatus": state}, dbus.Array([], "s")])'),
        ('Next', '', '', ''),
        ('Previous', '', '', ''),
        ('SetPosition', 'ox', '',
         'self.props["org.mpris.MediaPlayer2.Player"]["Position"] = dbus.Int64(args[1])'),
    ])
    mock.AddMethod(CONTROL_IFACE, 'Freeze', 'd', '', 'import time\ntime.sleep(args[0])')
    mock.AddMethod(CONTROL_IFACE, 'Update', 'a{sv}', '', update)
