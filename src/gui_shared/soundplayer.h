#pragma once

#include <QString>

#include <functional>

class QMediaPlayer;

// Plays pronunciation files through QtMultimedia. Whether the file exists is
// not tested: a missing file simply plays nothing.
namespace SoundPlayer
{
    void play(const QString &path);
    // Tests see what would play; an empty function restores the real player.
    void setHandler(std::function<void(const QString &path)> handler);
    // The one player of the run, for tests that watch a file really decode.
    QMediaPlayer &mediaPlayer();
}
