// The game's sound lives in two modules loaded at run time, on the thread that opens it:
// first the audio output, then, once that has opened, the synthesiser, whose FluidSynth and
// forty libraries take longer to load than the window to show. Without a sound device the
// synthesiser's libraries are never loaded, and leave nothing behind in memory.
#include <dlfcn.h>

#include <filesystem>

#include "sound/audio_output.h"
#include "sound/opening_ahead.h"

namespace {

// A module beside the program, closed again when it goes unless kept. A missing or broken
// one has no entries.
class Module {
  public:
    explicit Module(const char* name)
        : handle_(dlopen(Path(name).c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~Module() {
        if (handle_ && !kept_) {
            dlclose(handle_);
        }
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    template <typename Function>
    Function* Entry(const char* name) const {
        return handle_ ? reinterpret_cast<Function*>(dlsym(handle_, name)) : nullptr;
    }
    void Keep() { kept_ = true; }

  private:
    static std::filesystem::path Path(const char* name) {
        std::error_code error;
        const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
        return program.parent_path() / QUICKSTACK_MODULE_FOLDER / name;
    }

    void* handle_;
    bool kept_ = false;
};

// Where either module is missing or opens nothing, as on a machine without a sound device.
class ModuleSynthesiser : public MidiDevice {
  public:
    bool Open() override {
        Module outputs("quickstack-output.so");
        const auto openOutput = outputs.Entry<AudioOutput*()>("QuickstackOpenOutput");
        std::unique_ptr<AudioOutput> output(openOutput ? openOutput() : nullptr);
        if (!output) {
            return false;
        }
        Module synthesiser("quickstack-sound.so");
        const auto make = synthesiser.Entry<MidiDevice*(AudioOutput*)>("QuickstackNewSynthesiser");
        if (!make) {
            return false;
        }
        device_.reset(make(output.release()));
        if (device_ && device_->Open()) {
            outputs.Keep();  // the device's code is in both, to the end
            synthesiser.Keep();
            return true;
        }
        device_.reset();  // while its code is still loaded
        return false;
    }
    bool Send(std::uint32_t message) override { return device_ && device_->Send(message); }

  private:
    std::unique_ptr<MidiDevice> device_;
};

}  // namespace

std::unique_ptr<MidiDevice> NewSynthesiser() {
    return std::make_unique<OpeningAhead>(std::make_unique<ModuleSynthesiser>());
}
