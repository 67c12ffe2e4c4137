// Writes every picture and sound the game ships with into the directory
// given as the first argument: the pictures into its img/ folder, the two
// sounds beside them. The desktop icon goes into the icon theme folder given
// second, one file named by the third argument per size, where desktops look
// for it. Everything is drawn or synthesised here, the same on every run.

#include "icons.h"
#include "pixel_grid.h"
#include "road_tiles.h"
#include "screens.h"
#include "sounds.h"
#include "sprites.h"
#include "util/runtime_error.h"
#include "util/utf8.h"
#include "wave_writer.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

void WriteAssets(const std::filesystem::path& directory) {
    std::filesystem::create_directories(directory / "img");
    const Text root = Utf8ToText(directory.generic_string());
    const Text img = root + u"/img/";

    for (const std::string_view code : RoadTileCodes) {
        SaveCanvas(*PaintRoadTile(code), img + u"r" + Utf8ToText(code) + u".png");
    }
    SaveCanvas(*PaintCarStrip(), img + u"cars.png");
    SaveCanvas(*PaintPedestrianStrip(), img + u"pede.png");
    SaveCanvas(*PaintSmokeStrip(), img + u"smk.png");
    SaveCanvas(*PaintArrow(), img + u"arrow.png");
    SaveCanvas(*PaintSewer(), img + u"sewer.png");
    SaveCanvas(*PaintTitleScreen(), img + u"logo.png");
    SaveCanvas(*PaintLoseScreen(), img + u"end.png");
    SaveCanvas(*PaintWinScreen(), img + u"win.png");

    WriteWaveFile(root + u"/car2.wav", ToPcm16(EngineLoop(), 0.8), SoundHertz);
    WriteWaveFile(root + u"/explo.wav", ToPcm16(CrashSound(), 0.9), SoundHertz);
}

void WriteIcons(const std::filesystem::path& theme, const std::string& name) {
    for (const int32_t size : IconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const auto apps = theme / folder / "apps";
        std::filesystem::create_directories(apps);
        SaveCanvas(*PaintIcon(size), Utf8ToText((apps / (name + ".png")).generic_string()));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: make-assets GAME_DIRECTORY ICON_THEME_DIRECTORY ICON_NAME\n";
        return 2;
    }
    try {
        WriteAssets(argv[1]);
        WriteIcons(argv[2], argv[3]);
    } catch (const TRuntimeError& error) {
        std::cerr << "make-assets: " << TextToUtf8(error.Message()) << '\n';
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "make-assets: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
