#include "runtime/sound/Voice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gfxrt::sound {

namespace {

// The longest time a sound may give any of its stages: an hour (a longer
// hold is as good as held).
constexpr double longest = 3600;
// The highest cutoff the filter takes, as a share of the rate; an open
// filter (a change to cutoff 0) glides up to it.
constexpr double openCutoff = 0.45;
// The filter's coefficient is worked out again every this many samples.
constexpr int filterPeriod = 16;
constexpr double twoPi = 2 * std::numbers::pi;

double within(double value, double low, double high) { return std::isnan(value) ? low : std::clamp(value, low, high); }

std::int64_t samplesOf(double seconds, double rate) { return std::llround(seconds * rate); }

// The step of a wave at a jump, smoothed over the sample around it, so
// that square and saw waves do not fold their overtones back below.
double stepCorrection(double phase, double increment) {
    if (increment <= 0) {
        return 0;
    }
    if (phase < increment) {
        const double t = phase / increment;
        return t + t - t * t - 1;
    }
    if (phase > 1 - increment) {
        const double t = (phase - 1) / increment;
        return t * t + t + t + 1;
    }
    return 0;
}

}  // namespace

bool sanitise(const rt_sound& in, double rate, rt_sound& out) {
    if (in.bus != RT_BUS_EFFECTS && in.bus != RT_BUS_AMBIENCE) {
        return false;
    }
    if (in.wave < RT_WAVE_SINE || in.wave > RT_WAVE_NOISE) {
        return false;
    }
    const double nyquist = rate / 2;
    out = in;
    out.delay = within(in.delay, 0, longest);
    out.frequency = within(in.frequency, 0, nyquist);
    out.frequency_end = within(in.frequency_end, 0, nyquist);
    out.slide = within(in.slide, 0, longest);
    out.attack = within(in.attack, 0, longest);
    out.decay = within(in.decay, 0, longest);
    out.sustain = within(in.sustain, 0, 1);
    // Held stays held (even at minus infinity); a hold that is not a number
    // holds for no time.
    out.hold = std::isnan(in.hold) ? 0 : (in.hold < 0 ? -1 : std::min(in.hold, longest));
    out.release = within(in.release, 0, longest);
    out.volume = within(in.volume, 0, 1);
    out.noise = within(in.noise, 0, 1);
    out.cutoff = within(in.cutoff, 0, nyquist);
    out.cutoff_end = within(in.cutoff_end, 0, nyquist);
    out.tremolo_rate = within(in.tremolo_rate, 0, nyquist);
    out.tremolo_depth = within(in.tremolo_depth, 0, 1);
    // The second oscillator stays between a tenth and twice the frequency.
    out.detune = std::isnan(in.detune) ? 0 : std::clamp(in.detune, -0.9, 1.0);
    return true;
}

void Voice::start(int id, const rt_sound& sound, double rate) {
    id_ = id;
    bus_ = sound.bus;
    wave_ = sound.wave;
    rate_ = rate;
    noise_ = NoiseSource(static_cast<std::uint32_t>(id) * 2654435761U);

    delaySamples_ = samplesOf(sound.delay, rate);
    attackSamples_ = std::max<std::int64_t>(samplesOf(std::max(sound.attack, minRamp), rate), 1);
    decaySamples_ = samplesOf(sound.decay, rate);
    holdSamples_ = sound.hold < 0 ? -1 : samplesOf(sound.hold, rate);
    releaseSamples_ = std::max<std::int64_t>(samplesOf(std::max(sound.release, minRamp), rate), 1);
    sustain_ = sound.sustain;
    level_ = 0;

    frequency_ = {sound.frequency, sound.frequency, 0};
    filtered_ = sound.cutoff > 0;
    const double cutoff = filtered_ ? std::min(sound.cutoff, openCutoff * rate) : 0;
    cutoff_ = {cutoff, cutoff, 0};
    frequencyFactor_ = 1;
    cutoffFactor_ = 1;
    slideLeft_ = sound.slide > 0 ? std::max<std::int64_t>(samplesOf(sound.slide, rate), 1) : 0;
    const double perSample = slideLeft_ > 0 ? 1.0 / static_cast<double>(slideLeft_) : 0;
    const bool pitchSlides = sound.frequency > 0 && sound.frequency_end > 0;
    if (slideLeft_ > 0 && pitchSlides) {
        frequency_.target = sound.frequency_end;
        frequencyFactor_ = std::pow(sound.frequency_end / sound.frequency, perSample);
    }
    const bool cutoffSlides = filtered_ && sound.cutoff_end > 0;
    if (slideLeft_ > 0 && cutoffSlides) {
        cutoff_.target = std::min(sound.cutoff_end, openCutoff * rate);
        cutoffFactor_ = std::pow(cutoff_.target / cutoff, perSample);
    }
    if (!pitchSlides && !cutoffSlides) {
        slideLeft_ = 0;
    }

    glideLeft_ = 0;
    volume_ = {sound.volume, sound.volume, 0};
    tremoloRate_ = {sound.tremolo_rate, sound.tremolo_rate, 0};
    tremoloDepth_ = {sound.tremolo_depth, sound.tremolo_depth, 0};
    detune_ = {sound.detune, sound.detune, 0};
    twoOscillators_ = sound.detune != 0;
    noiseShare_ = sound.noise;

    phase_ = 0;
    phase2_ = 0;
    tremoloPhase_ = 0;
    held_ = noise_.next();
    held2_ = noise_.next();
    pole_ = 1;
    low1_ = 0;
    low2_ = 0;
    filterCountdown_ = 0;
    last_ = 0;
    enter(delaySamples_ > 0 ? Stage::Delay : Stage::Attack);
}

void Voice::change(const rt_sound& sound) {
    if (!active()) {
        return;
    }
    glideLeft_ = std::max<std::int64_t>(samplesOf(glideTime, rate_), 1);
    slideLeft_ = 0;
    frequency_.to(sound.frequency, glideLeft_);
    volume_.to(sound.volume, glideLeft_);
    tremoloRate_.to(sound.tremolo_rate, glideLeft_);
    tremoloDepth_.to(sound.tremolo_depth, glideLeft_);
    if (sound.detune != 0 && !twoOscillators_) {
        // The second oscillator starts where the first stands, so the sum
        // sounds as the one wave did until they drift apart.
        twoOscillators_ = true;
        phase2_ = phase_;
        held2_ = held_;
        detune_.value = 0;
    }
    detune_.to(sound.detune, glideLeft_);
    const double open = openCutoff * rate_;
    if (sound.cutoff > 0 && !filtered_) {
        // The filter comes in wide open, taking the wave where it stands.
        filtered_ = true;
        cutoff_.value = open;
        low1_ = last_;
        low2_ = last_;
        filterCountdown_ = 0;
    }
    cutoff_.to(sound.cutoff > 0 ? std::min(sound.cutoff, open) : open, glideLeft_);
}

void Voice::stop() {
    switch (stage_) {
        case Stage::Delay:
            stage_ = Stage::Done;
            break;
        case Stage::Attack:
        case Stage::Decay:
        case Stage::Sustain:
            enter(Stage::Release);
            break;
        case Stage::Release:
        case Stage::Done:
            break;
    }
}

void Voice::enter(Stage stage) {
    stage_ = stage;
    levelStep_ = 0;
    switch (stage) {
        case Stage::Delay:
            stageLeft_ = delaySamples_;
            break;
        case Stage::Attack:
            stageLeft_ = attackSamples_;
            levelStep_ = (1 - level_) / static_cast<double>(attackSamples_);
            break;
        case Stage::Decay:
            if (decaySamples_ == 0) {
                enter(Stage::Sustain);
                return;
            }
            stageLeft_ = decaySamples_;
            levelStep_ = (sustain_ - level_) / static_cast<double>(decaySamples_);
            break;
        case Stage::Sustain:
            level_ = sustain_;
            if (holdSamples_ == 0) {
                enter(Stage::Release);
                return;
            }
            stageLeft_ = holdSamples_;  // below 0: until stopped
            break;
        case Stage::Release:
            stageLeft_ = releaseSamples_;
            levelStep_ = -level_ / static_cast<double>(releaseSamples_);
            break;
        case Stage::Done:
            level_ = 0;
            stageLeft_ = 0;
            break;
    }
}

double Voice::envelope() {
    const double level = level_;
    if (stageLeft_ > 0) {
        level_ += levelStep_;
        if (--stageLeft_ == 0) {
            switch (stage_) {
                case Stage::Attack:
                    level_ = 1;
                    enter(Stage::Decay);
                    break;
                case Stage::Decay:
                    enter(Stage::Sustain);
                    break;
                case Stage::Sustain:
                    enter(Stage::Release);
                    break;
                case Stage::Release:
                    enter(Stage::Done);
                    break;
                case Stage::Delay:
                case Stage::Done:
                    break;
            }
        }
    }
    return level;
}

double Voice::oscillator(double& phase, double increment, float& held) {
    const double p = phase;
    double value = 0;
    switch (wave_) {
        case RT_WAVE_SINE:
            value = std::sin(twoPi * p);
            break;
        case RT_WAVE_TRIANGLE:
            value = p < 0.25 ? 4 * p : (p < 0.75 ? 2 - 4 * p : 4 * p - 4);
            break;
        case RT_WAVE_SQUARE: {
            const double half = p < 0.5 ? p + 0.5 : p - 0.5;
            value = (p < 0.5 ? 1.0 : -1.0) + stepCorrection(p, increment) - stepCorrection(half, increment);
            break;
        }
        case RT_WAVE_SAW:
            value = 2 * p - 1 - stepCorrection(p, increment);
            break;
        default:  // noise: a new level every cycle, every sample at frequency 0
            value = held;
            if (increment <= 0) {
                held = noise_.next();
            }
            break;
    }
    phase += increment;
    if (phase >= 1) {
        phase -= std::floor(phase);
        if (wave_ == RT_WAVE_NOISE) {
            held = noise_.next();
        }
    }
    return value;
}

void Voice::updateFilter() {
    const double cutoff = std::clamp(cutoff_.value, 1.0, openCutoff * rate_);
    pole_ = 1 - std::exp(-twoPi * cutoff / rate_);
    filterCountdown_ = filterPeriod;
}

void Voice::render(float* out, int frames, bool add) {
    int i = 0;
    while (i < frames && stage_ != Stage::Done) {
        if (stage_ == Stage::Delay) {
            const auto waited = static_cast<int>(std::min<std::int64_t>(stageLeft_, frames - i));
            i += waited;
            stageLeft_ -= waited;
            if (stageLeft_ == 0) {
                enter(Stage::Attack);
            }
            continue;
        }
        const double increment = frequency_.value / rate_;
        double wave = oscillator(phase_, increment, held_);
        if (twoOscillators_) {
            wave = 0.5 * (wave + oscillator(phase2_, increment * (1 + detune_.value), held2_));
        }
        if (noiseShare_ > 0) {
            wave = wave * (1 - noiseShare_) + noise_.next() * noiseShare_;
        }
        last_ = wave;
        if (filtered_) {
            if (--filterCountdown_ <= 0) {
                updateFilter();
            }
            low1_ += pole_ * (wave - low1_);
            low2_ += pole_ * (low1_ - low2_);
            wave = low2_;
        }
        double gain = envelope() * volume_.value;
        if (tremoloDepth_.value > 0) {
            gain *= 1 - tremoloDepth_.value * 0.5 * (1 - std::cos(twoPi * tremoloPhase_));
        }
        tremoloPhase_ += tremoloRate_.value / rate_;
        if (tremoloPhase_ >= 1) {
            tremoloPhase_ -= std::floor(tremoloPhase_);
        }
        if (add) {
            out[i] += static_cast<float>(wave * gain);
        }
        ++i;

        if (glideLeft_ > 0) {
            for (Glide* g : {&frequency_, &volume_, &cutoff_, &tremoloRate_, &tremoloDepth_, &detune_}) {
                if (glideLeft_ > 1) {
                    g->advance();
                } else {
                    g->finish();
                }
            }
            --glideLeft_;
        } else if (slideLeft_ > 0) {
            if (--slideLeft_ == 0) {
                frequency_.finish();
                cutoff_.finish();
            } else {
                frequency_.value *= frequencyFactor_;
                cutoff_.value *= cutoffFactor_;
            }
        }
    }
}

}  // namespace gfxrt::sound
