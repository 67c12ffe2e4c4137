// Writes the seed corpora of the WAV, particle settings, stream reads and
// path fuzz targets: one directory per target under the directory given,
// each with a few small valid (and nearly valid) inputs for the fuzzer to
// mutate, and for the replay tests to run.
// Usage: make-fuzz-seeds <directory>

#include "wav_bytes.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Seeds = std::vector<std::pair<std::string, std::string>>;

Seeds WavSeeds() {
    const std::string tone = Samples16(SineTone(64, 440.0, 22050));
    return {
        {"mono16.wav", PcmWav(1, 22050, 16, tone)},
        {"stereo16.wav", PcmWav(2, 44100, 16, tone)},
        {"mono8.wav", PcmWav(1, 11025, 8, std::string(32, '\x80'))},
        {"stereo8.wav", PcmWav(2, 8000, 8, std::string(33, '\x40'))},
        {"extra-chunk.wav", Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 16)) +
                                 Chunk("LIST", "INFOabc") + Chunk("data", tone))},
        {"short-data.wav",
         Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 16)) + Chunk("data", tone, 1000))},
        {"float.wav", Riff(Chunk("fmt ", FormatBody(3, 1, 8000, 32)) + Chunk("data", tone))},
    };
}

Seeds ParticleSeeds() {
    return {
        {"smoke.txt", "' smoke\r\nimage=img/smk.png\r\nparticlesperburst=20\r\n"
                      "life=1.5\r\nscale=0.5\r\nscalefactor=-0.2\r\nalpha=0.8\r\n"
                      "velocitymin=-10\r\nvelocitymax=10\r\npointweight=2\r\n"},
        {"colours.txt", "red=1\nblue=0.25\ngreen=-3e2\nredfactor=0.1\nrotation=90\n"
                        "rotationfactor=720\n=\nlife=\nlife=x\n"},
        {"odd.txt", std::string("scale=1e39\nlife=nan\nalpha=-inf\n\0life=2", 38)},
    };
}

Seeds StreamSeeds() {
    // A script (one byte per read, ended by a zero byte), then the data.
    return {
        {"typed.bin", std::string("\x00\x01\x02\x03\x04\x05\x06\x00", 8) +
                          std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c"
                                      "\x0d\x0e\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18"
                                      "\x19\x1a\x1b\x1c\x1d\x1e\x1f\x20",
                                      32)},
        {"lines.bin", std::string("\x06\x06\x06\x06\x06\x0b", 6) + std::string(1, '\0') +
                          "first\r\nsecond\nthird" + std::string(1, '\0') + "fourth\r\r\n"},
        {"seeks.bin", "\x37\x48\x99\x5a\x26\x13\xfa\x0b" + std::string(1, '\0') +
                          "0123456789abcdefghijklmnopqrstuvwxyz"},
    };
}

std::string Utf16(const std::u16string& text) {
    std::string out;
    for (const char16_t unit : text) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

Seeds PathSeeds() {
    Seeds seeds;
    int i = 0;
    for (const std::u16string path :
         {u"C:", u"C:foo\\bar\\", u"//server", u"//server/share/dir/", u"/", u"/usr/lib/",
          u"\\\\server\\x", u"relative/dir/", u"a:", u"\u00e9t\u00e9/\u00fc/"}) {
        seeds.emplace_back("path" + std::to_string(i++) + ".bin", Utf16(path));
    }
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-fuzz-seeds <directory>\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const std::pair<const char*, Seeds> corpora[] = {
        {"wav_loader", WavSeeds()},
        {"particle_settings", ParticleSeeds()},
        {"stream_reads", StreamSeeds()},
        {"normalize_path", PathSeeds()},
    };
    for (const auto& [target, seeds] : corpora) {
        std::filesystem::create_directories(root / target);
        for (const auto& [name, bytes] : seeds) {
            std::ofstream(root / target / name, std::ios::binary) << bytes;
        }
    }
    return 0;
}
