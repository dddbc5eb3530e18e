#pragma once

class QGuiApplication;

// A held key must be judged once, at its real release. On X11 the server
// sends a release before every repeated press, and Qt tells those apart only
// by peeking at its event queue, which misses when the server is busy. With
// detectable auto-repeat the server sends the one real release alone.
void reportHeldKeysOnce(QGuiApplication& app);
