#include "platform/sound.h"

#include <alsa/asoundlib.h>
#include <atomic>
#include <cstring>
#include <thread>

namespace orv {

namespace {

quint32 le32(const char* p)
{
    return quint8(p[0]) | quint8(p[1]) << 8 | quint8(p[2]) << 16 | quint32(quint8(p[3])) << 24;
}
quint16 le16(const char* p) { return quint16(quint8(p[0]) | quint8(p[1]) << 8); }

std::atomic<int> generation{0};

void silentAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

void playOnDevice(WavInfo info, int myGeneration)
{
    snd_lib_error_set_handler(silentAlsaErrors);
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return;
    const snd_pcm_format_t fmt = info.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_set_params(pcm, fmt, SND_PCM_ACCESS_RW_INTERLEAVED, info.channels, info.sampleRate, 1, 100000) < 0) {
        snd_pcm_close(pcm);
        return;
    }
    const int frameBytes = info.channels * info.bitsPerSample / 8;
    const snd_pcm_uframes_t total = info.samples.size() / frameBytes;
    snd_pcm_uframes_t done = 0;
    while (done < total && generation.load() == myGeneration) {
        const snd_pcm_uframes_t chunk = std::min<snd_pcm_uframes_t>(total - done, 1024);
        snd_pcm_sframes_t n = snd_pcm_writei(pcm, info.samples.constData() + done * frameBytes, chunk);
        if (n < 0)
            n = snd_pcm_recover(pcm, static_cast<int>(n), 1);
        if (n < 0)
            break;
        done += static_cast<snd_pcm_uframes_t>(n);
    }
    if (generation.load() == myGeneration)
        snd_pcm_drain(pcm);
    else
        snd_pcm_drop(pcm);
    snd_pcm_close(pcm);
}

} // namespace

bool parseWav(const QByteArray& wav, WavInfo& out)
{
    const char* d = wav.constData();
    const qsizetype n = wav.size();
    if (n < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0)
        return false;
    bool haveFmt = false, haveData = false;
    qsizetype pos = 12;
    while (pos + 8 <= n) {
        const quint32 size = le32(d + pos + 4);
        const qsizetype body = pos + 8;
        if (body + qsizetype(size) > n && std::memcmp(d + pos, "data", 4) != 0)
            return false;
        if (std::memcmp(d + pos, "fmt ", 4) == 0 && size >= 16) {
            if (le16(d + body) != 1) // PCM only
                return false;
            out.channels = le16(d + body + 2);
            out.sampleRate = static_cast<int>(le32(d + body + 4));
            out.bitsPerSample = le16(d + body + 14);
            haveFmt = true;
        } else if (std::memcmp(d + pos, "data", 4) == 0) {
            const qsizetype len = std::min<qsizetype>(size, n - body);
            out.samples = wav.mid(body, len);
            haveData = true;
        }
        pos = body + size + (size & 1);
    }
    return haveFmt && haveData && out.channels >= 1 && out.channels <= 2 && out.sampleRate > 0
        && (out.bitsPerSample == 8 || out.bitsPerSample == 16);
}

bool playWavAsync(const QByteArray& wav)
{
    WavInfo info;
    if (!parseWav(wav, info))
        return false;
    const int g = ++generation;
    std::thread(playOnDevice, std::move(info), g).detach();
    return true;
}

} // namespace orv
