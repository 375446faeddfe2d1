#pragma once
// Plays an in-memory WAV image (PCM, 8 or 16 bit, mono or stereo) on the
// default sound device without waiting for it. A new sound replaces the one
// playing. Without a sound device nothing is heard and the call still
// returns at once.
#include <QByteArray>

namespace orv {

struct WavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples; // the data chunk
};

// Parses a RIFF/WAVE image with a PCM fmt chunk. False for anything else.
bool parseWav(const QByteArray& wav, WavInfo& out);

// Starts playing and returns at once. False when the image is not a playable
// PCM WAV (nothing is started); device trouble is silent.
bool playWavAsync(const QByteArray& wav);

} // namespace orv
