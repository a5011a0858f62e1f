#include "sound/trimmed_soundfont.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string_view>

#include "sound/sound.h"

namespace {

// Record sizes of the preset data's lists, in bytes.
constexpr std::size_t PresetHeaderBytes = 38;
constexpr std::size_t BagBytes = 4;
constexpr std::size_t ModulatorBytes = 10;
constexpr std::size_t GeneratorBytes = 4;
constexpr std::size_t ProgramAt = 20;  // within a preset header
constexpr std::size_t BagAt = 24;      // within a preset header
constexpr std::int64_t RiffHeaderBytes = 12;

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

void PutLittle(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

std::string LittleBytes(std::uint32_t value, int size) {
    std::string bytes(size, '\0');
    PutLittle(bytes, 0, value, size);
    return bytes;
}

std::string Chunk(std::string_view id, std::string_view body) {
    std::string chunk = std::string(id) + LittleBytes(body.size(), 4) + std::string(body);
    if (body.size() % 2 != 0) {
        chunk += '\0';
    }
    return chunk;
}

// The preset data's lists by name, each the body of its chunk, and their order.
struct PresetLists {
    std::vector<std::string> order;
    std::map<std::string, std::string, std::less<>> bodies;
};

std::optional<PresetLists> SplitLists(std::string_view data) {
    PresetLists lists;
    for (std::size_t at = 0; at + 8 <= data.size();) {
        const std::string id(data.substr(at, 4));
        const std::size_t size = Little(data, at + 4, 4);
        if (size > data.size() - at - 8) {
            return std::nullopt;
        }
        lists.order.push_back(id);
        lists.bodies[id] = data.substr(at + 8, size);
        at += 8 + size + size % 2;
    }
    return lists;
}

// Keeps the presets of the programs, each with its zones and their generators and
// modulators, renumbered; the lists' closing records stay as they were.
bool KeepPrograms(PresetLists& lists, std::span<const int> programs) {
    const std::string& headers = lists.bodies["phdr"];
    const std::string& bags = lists.bodies["pbag"];
    const std::string& modulators = lists.bodies["pmod"];
    const std::string& generators = lists.bodies["pgen"];
    const std::size_t presets = headers.size() / PresetHeaderBytes;
    if (presets < 1 || headers.size() % PresetHeaderBytes != 0 || bags.size() < BagBytes ||
        bags.size() % BagBytes != 0 || modulators.size() < ModulatorBytes ||
        generators.size() < GeneratorBytes) {
        return false;
    }
    const std::size_t bagCount = bags.size() / BagBytes;
    std::string keptHeaders, keptBags, keptModulators, keptGenerators;
    const auto bagOf = [&](std::size_t preset) {
        return Little(headers, preset * PresetHeaderBytes + BagAt, 2);
    };
    for (std::size_t preset = 0; preset + 1 < presets; ++preset) {
        const int program =
            static_cast<int>(Little(headers, preset * PresetHeaderBytes + ProgramAt, 2));
        const std::uint32_t first = bagOf(preset);
        const std::uint32_t end = bagOf(preset + 1);
        if (first > end || end >= bagCount) {
            return false;
        }
        if (std::find(programs.begin(), programs.end(), program) == programs.end()) {
            continue;
        }
        std::string header = headers.substr(preset * PresetHeaderBytes, PresetHeaderBytes);
        PutLittle(header, BagAt, keptBags.size() / BagBytes, 2);
        keptHeaders += header;
        for (std::uint32_t bag = first; bag < end; ++bag) {
            const std::size_t generator = Little(bags, bag * BagBytes, 2);
            const std::size_t modulator = Little(bags, bag * BagBytes + 2, 2);
            const std::size_t generatorEnd = Little(bags, (bag + 1) * BagBytes, 2);
            const std::size_t modulatorEnd = Little(bags, (bag + 1) * BagBytes + 2, 2);
            if (generator > generatorEnd || generatorEnd * GeneratorBytes > generators.size() ||
                modulator > modulatorEnd || modulatorEnd * ModulatorBytes > modulators.size()) {
                return false;
            }
            keptBags += LittleBytes(keptGenerators.size() / GeneratorBytes, 2) +
                        LittleBytes(keptModulators.size() / ModulatorBytes, 2);
            keptGenerators += generators.substr(generator * GeneratorBytes,
                                                (generatorEnd - generator) * GeneratorBytes);
            keptModulators += modulators.substr(modulator * ModulatorBytes,
                                                (modulatorEnd - modulator) * ModulatorBytes);
        }
    }
    std::string closing = headers.substr(headers.size() - PresetHeaderBytes);
    PutLittle(closing, BagAt, keptBags.size() / BagBytes, 2);
    lists.bodies["phdr"] = keptHeaders + closing;
    lists.bodies["pbag"] = keptBags + LittleBytes(keptGenerators.size() / GeneratorBytes, 2) +
                           LittleBytes(keptModulators.size() / ModulatorBytes, 2);
    lists.bodies["pgen"] = keptGenerators + generators.substr(generators.size() - GeneratorBytes);
    lists.bodies["pmod"] = keptModulators + modulators.substr(modulators.size() - ModulatorBytes);
    return true;
}

std::optional<std::string> TrimmedPresetData(std::string_view data, std::span<const int> programs) {
    std::optional<PresetLists> lists = SplitLists(data);
    if (!lists || !KeepPrograms(*lists, programs)) {
        return std::nullopt;
    }
    std::string body = "pdta";
    for (const std::string& id : lists->order) {
        body += Chunk(id, lists->bodies[id]);
    }
    return Chunk("LIST", body);
}

std::string ReadBytes(std::ifstream& file, std::int64_t at, std::size_t count) {
    std::string bytes(count, '\0');
    file.seekg(at);
    file.read(bytes.data(), static_cast<std::streamsize>(count));
    return file ? bytes : std::string();
}

// FluidSynth's file calls, on a trimmed soundfont and the place it is read at.
struct OpenFile {
    TrimmedSoundfont soundfont;
    std::int64_t position = 0;
};

void* OpenTrimmed(const char* filename) {
    std::optional<TrimmedSoundfont> soundfont =
        TrimmedSoundfont::Open(filename, ChannelInstruments);
    // FluidSynth owns the handle until it closes it.
    return soundfont ? std::make_unique<OpenFile>(std::move(*soundfont)).release() : nullptr;
}

int ReadTrimmed(void* buffer, fluid_long_long_t count, void* handle) {
    auto& file = *static_cast<OpenFile*>(handle);
    if (count < 0 || !file.soundfont.Read(file.position, {static_cast<char*>(buffer),
                                                          static_cast<std::size_t>(count)})) {
        return FLUID_FAILED;
    }
    file.position += count;
    return FLUID_OK;
}

int SeekTrimmed(void* handle, fluid_long_long_t offset, int origin) {
    auto& file = *static_cast<OpenFile*>(handle);
    const std::int64_t from = origin == SEEK_CUR   ? file.position
                              : origin == SEEK_END ? file.soundfont.Size()
                                                   : 0;
    if (from + offset < 0 || from + offset > file.soundfont.Size()) {
        return FLUID_FAILED;
    }
    file.position = from + offset;
    return FLUID_OK;
}

fluid_long_long_t TellTrimmed(void* handle) {
    return static_cast<OpenFile*>(handle)->position;
}

int CloseTrimmed(void* handle) {
    std::unique_ptr<OpenFile>(static_cast<OpenFile*>(handle)).reset();
    return FLUID_OK;
}

}  // namespace

std::optional<TrimmedSoundfont> TrimmedSoundfont::Open(const std::filesystem::path& path,
                                                       std::span<const int> programs) {
    TrimmedSoundfont trimmed;
    trimmed.file_.open(path, std::ios::binary);
    std::error_code error;
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, error));
    const std::string header = ReadBytes(trimmed.file_, 0, RiffHeaderBytes);
    if (error || header.substr(0, 4) != "RIFF" || header.substr(8, 4) != "sfbk") {
        return std::nullopt;
    }
    for (std::int64_t at = RiffHeaderBytes; at + 12 <= size;) {
        const std::string chunk = ReadBytes(trimmed.file_, at, 12);
        if (chunk.empty()) {
            return std::nullopt;
        }
        const std::int64_t bodySize = Little(chunk, 4, 4);
        const std::int64_t next = at + 8 + bodySize + bodySize % 2;
        if (chunk.substr(0, 4) == "LIST" && chunk.substr(8, 4) == "pdta") {
            if (bodySize < 4 || next < size) {
                return std::nullopt;
            }
            const std::optional<std::string> presets =
                TrimmedPresetData(ReadBytes(trimmed.file_, at + 12, bodySize - 4), programs);
            if (!presets) {
                return std::nullopt;
            }
            trimmed.presetsAt_ = at;
            trimmed.presets_ = *presets;
            trimmed.header_ = "RIFF" + LittleBytes(at - 8 + presets->size(), 4) + "sfbk";
            return trimmed;
        }
        at = next;
    }
    return std::nullopt;
}

std::int64_t TrimmedSoundfont::Size() const {
    return presetsAt_ + static_cast<std::int64_t>(presets_.size());
}

bool TrimmedSoundfont::Read(std::int64_t offset, std::span<char> into) {
    if (offset < 0 || offset + static_cast<std::int64_t>(into.size()) > Size()) {
        return false;
    }
    while (!into.empty()) {
        std::size_t count = into.size();
        if (offset < RiffHeaderBytes) {
            count = std::min<std::size_t>(count, RiffHeaderBytes - offset);
            std::copy_n(header_.begin() + offset, count, into.begin());
        } else if (offset < presetsAt_) {
            count = std::min<std::size_t>(count, presetsAt_ - offset);
            file_.seekg(offset);
            if (!file_.read(into.data(), static_cast<std::streamsize>(count))) {
                file_.clear();
                return false;
            }
        } else {
            std::copy_n(presets_.begin() + (offset - presetsAt_), count, into.begin());
        }
        offset += static_cast<std::int64_t>(count);
        into = into.subspan(count);
    }
    return true;
}

void ReadGameInstrumentsOnly(fluid_synth_t* synth, fluid_settings_t* settings) {
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (loader == nullptr) {
        return;
    }
    fluid_sfloader_set_callbacks(loader, OpenTrimmed, ReadTrimmed, SeekTrimmed, TellTrimmed,
                                 CloseTrimmed);
    // Tried before the synthesiser's own loader, which still takes what this one refuses.
    fluid_synth_add_sfloader(synth, loader);
}
