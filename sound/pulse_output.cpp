#include <pulse/pulseaudio.h>

#include <algorithm>

#include "sound/audio_output.h"

namespace {

constexpr int Channels = 2;
constexpr int FrameBytes = Channels * sizeof(std::int16_t);

// Holds the main loop's lock: its thread runs the callbacks, this one talks to the server.
class LoopLock {
  public:
    explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

  private:
    pa_threaded_mainloop* loop_;
};

void Signal(void* loop) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
}

void Forget(pa_operation* operation) {
    if (operation) {
        pa_operation_unref(operation);
    }
}

// A stream that is corked while the game is silent: the server then sends nothing and the
// main loop's thread sleeps.
class PulseOutput : public AudioOutput {
  public:
    PulseOutput() : loop_(pa_threaded_mainloop_new()) {}
    ~PulseOutput() override {
        if (!loop_) {
            return;
        }
        pa_threaded_mainloop_stop(loop_);
        if (stream_) {
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
        }
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_threaded_mainloop_free(loop_);
    }
    PulseOutput(const PulseOutput&) = delete;
    PulseOutput& operator=(const PulseOutput&) = delete;

    bool Open(int sampleRate, int periodFrames) {
        if (!loop_ || !Connect()) {
            return false;
        }
        const LoopLock lock(loop_);
        if (!AwaitContext()) {
            return false;
        }
        const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(sampleRate),
                                    Channels};
        stream_ = pa_stream_new(context_, "Quickstack", &format, nullptr);
        if (!stream_) {
            return false;
        }
        pa_stream_set_state_callback(
            stream_, [](pa_stream*, void* loop) { Signal(loop); }, loop_);
        pa_stream_set_write_callback(
            stream_, [](pa_stream*, std::size_t, void* loop) { Signal(loop); }, loop_);
        // A period and a half in the server, so that a note struck while sound plays is heard
        // about 11 ms later; playing starts as soon as the first period is in.
        const auto period = static_cast<std::uint32_t>(periodFrames * FrameBytes);
        const pa_buffer_attr buffer{.maxlength = static_cast<std::uint32_t>(-1),
                                    .tlength = period + period / 2,
                                    .prebuf = period,
                                    .minreq = period / 2,
                                    .fragsize = static_cast<std::uint32_t>(-1)};
        const auto flags =
            static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
        if (pa_stream_connect_playback(stream_, nullptr, &buffer, flags, nullptr, nullptr) < 0) {
            return false;
        }
        return AwaitStream();
    }

    bool Write(std::span<const std::int16_t> samples) override {
        const LoopLock lock(loop_);
        if (corked_) {
            Forget(pa_stream_cork(stream_, 0, nullptr, nullptr));
            corked_ = false;
        }
        auto bytes = std::as_bytes(samples);
        while (!bytes.empty()) {
            if (pa_stream_get_state(stream_) != PA_STREAM_READY) {
                return false;
            }
            const std::size_t room = pa_stream_writable_size(stream_);
            if (room == static_cast<std::size_t>(-1)) {
                return false;
            }
            if (room == 0) {
                pa_threaded_mainloop_wait(loop_);
                continue;
            }
            const std::size_t size = std::min(room, bytes.size());
            if (pa_stream_write(stream_, bytes.data(), size, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
                return false;
            }
            bytes = bytes.subspan(size);
        }
        return true;
    }

    // The silence still in the server is dropped, so the next note starts at once.
    void Pause() override {
        const LoopLock lock(loop_);
        Forget(pa_stream_cork(stream_, 1, nullptr, nullptr));
        Forget(pa_stream_flush(stream_, nullptr, nullptr));
        corked_ = true;
    }

  private:
    bool Connect() {
        context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Quickstack");
        if (!context_) {
            return false;
        }
        pa_context_set_state_callback(
            context_, [](pa_context*, void* loop) { Signal(loop); }, loop_);
        // A player without a running server gets ALSA, not a server started for the game.
        return pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
               pa_threaded_mainloop_start(loop_) >= 0;
    }

    bool AwaitContext() {
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context_);
            if (state == PA_CONTEXT_READY) {
                return true;
            }
            if (!PA_CONTEXT_IS_GOOD(state)) {
                return false;
            }
            pa_threaded_mainloop_wait(loop_);
        }
    }

    bool AwaitStream() {
        for (;;) {
            const pa_stream_state_t state = pa_stream_get_state(stream_);
            if (state == PA_STREAM_READY) {
                return true;
            }
            if (!PA_STREAM_IS_GOOD(state)) {
                return false;
            }
            pa_threaded_mainloop_wait(loop_);
        }
    }

    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool corked_ = true;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenPulseOutput(int sampleRate, int periodFrames) {
    auto output = std::make_unique<PulseOutput>();
    if (!output->Open(sampleRate, periodFrames)) {
        return nullptr;
    }
    return output;
}
