// The game's synthesiser lives in a module loaded at run time, on the thread that opens
// it: FluidSynth and the libraries it needs take longer to load than the window to show.
#include <dlfcn.h>

#include <filesystem>

#include "sound/opening_ahead.h"

namespace {

std::filesystem::path ModulePath() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return program.parent_path() / QUICKSTACK_SOUND_MODULE;
}

// A missing or broken module opens nothing, as a machine without a sound device.
class ModuleSynthesiser : public MidiDevice {
  public:
    bool Open() override {
        void* module = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
        const auto make =
            module ? reinterpret_cast<MidiDevice* (*)()>(dlsym(module, "QuickstackNewSynthesiser"))
                   : nullptr;
        device_.reset(make ? make() : nullptr);
        if (device_ && device_->Open()) {
            return true;  // the module stays loaded to the end: the device's code is in it
        }
        // A game without sound does not keep the synthesiser's libraries in its memory.
        device_.reset();
        if (module) {
            dlclose(module);
        }
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
