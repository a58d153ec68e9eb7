#include "base/sound_file.h"

#include <string.h>

#include <vector>

#include "base/file_read.h"
#include "base/log.h"

bool sound_file_load(const char *path, UiSound &sound)
{
    sound = UiSound{};
    std::vector<unsigned char> bytes;
    if (!read_whole(path, READ_LIMIT_SOUND, bytes))
        return false;
    SDL_AudioSpec spec;
    Uint8 *wav = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), (int)bytes.size()), 1, &spec, &wav, &length)) {
        log_write("sound %s not loaded: %s\n", path, SDL_GetError());
        return false;
    }
    SDL_AudioCVT cvt;
    int needed = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, AUDIO_RATE);
    if (needed < 0 || (uint64_t)length * (cvt.len_mult > 0 ? cvt.len_mult : 1) > AUDIO_SOUND_LIMIT) {
        log_write("sound %s not loaded: cannot convert %i Hz, %i channels, format 0x%x\n", path,
                  spec.freq, spec.channels, spec.format);
        SDL_FreeWAV(wav);
        return false;
    }
    if (needed > 0) {
        cvt.len = (int)length;
        cvt.buf = (Uint8 *)SDL_malloc((size_t)length * cvt.len_mult);
        if (!cvt.buf) {
            log_write("sound %s not loaded: out of memory\n", path);
            SDL_FreeWAV(wav);
            return false;
        }
        memcpy(cvt.buf, wav, length);
        SDL_FreeWAV(wav);
        if (SDL_ConvertAudio(&cvt) != 0) {
            log_write("sound %s not loaded: %s\n", path, SDL_GetError());
            SDL_free(cvt.buf);
            return false;
        }
        wav = cvt.buf;
        length = (Uint32)cvt.len_cvt;
    }
    sound.spec = spec;
    sound.spec.format = AUDIO_S16SYS;
    sound.spec.channels = 1;
    sound.spec.freq = AUDIO_RATE;
    sound.buffer = wav;
    sound.length = length;
    return true;
}
