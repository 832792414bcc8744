#include "sound/SoundPlayer.h"

#include "display/Audio.h"
#include "sound/CueSounds.h"

namespace sound {

using gfx::display::Audio;

SoundPlayer::~SoundPlayer() {
    stopRewind();
    stopAmbience();
}

bool SoundPlayer::open() {
    if (!tried_) {
        tried_ = true;
        if (auto problem = Audio::open()) {
            warnings_ << "vyn: warning: no sound: " << *problem << "; the game plays on silently\n" << std::flush;
        } else {
            playing_ = true;
        }
    }
    return playing_;
}

void SoundPlayer::cue(const components::Cue& cue) {
    if (!playing_) return;
    if (cue.kind == components::CueKind::rewind || cue.kind == components::CueKind::rewindEnd) stopRewind();
    for (const auto& tone : tonesOf(cue)) {
        const int voice = Audio::play(tone);
        if (cue.kind == components::CueKind::rewind) rewindVoice_ = voice;
    }
}

void SoundPlayer::mood(const components::MoonMood* moon) {
    if (!playing_) return;
    if (moon == nullptr || !moon->falling) {
        // No game, or the moon stopped: the game's held sounds fade.
        stopAmbience();
        if (moon == nullptr) stopRewind();
        return;
    }
    const auto tone = ambienceTone(*moon);
    if (ambienceVoice_ == 0) {
        ambienceVoice_ = Audio::play(tone);
    } else {
        Audio::change(ambienceVoice_, tone);
    }
}

void SoundPlayer::pause(bool paused) {
    if (playing_) Audio::pause(paused);
}

void SoundPlayer::volumes(const frontend::Settings& settings, bool silent) {
    const bool muted = silent || settings.muted;
    // A player who starts silent never has the output opened for nothing.
    if (muted && !tried_) return;
    if (!open()) return;
    Audio::setVolume(RT_BUS_EFFECTS, muted ? 0 : settings.effectsVolume / 100.0);
    Audio::setVolume(RT_BUS_AMBIENCE, muted ? 0 : settings.ambienceVolume / 100.0);
}

void SoundPlayer::stopRewind() {
    if (rewindVoice_ != 0) Audio::stop(rewindVoice_);
    rewindVoice_ = 0;
}

void SoundPlayer::stopAmbience() {
    if (ambienceVoice_ != 0) Audio::stop(ambienceVoice_);
    ambienceVoice_ = 0;
}

}  // namespace sound
