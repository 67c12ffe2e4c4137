// Golden runs: whole games played in process, from the start-up through the
// title and the frame loop to a win or lose screen, with a fixed seed and a
// script of the keys held in each presented frame. Every frame leaves a line
// of state (the generator, the cars, the pedestrians run over, the sound
// calls, what was printed, a digest of the drawing calls) and the lines must
// match the ones checked in beside this file. Each run plays in a child
// process, because the screens end the process when Escape is pressed.
//
// To accept a change of behaviour on purpose, run the test with
// SEWER_UPDATE_GOLDEN=1: the traces are written over the checked-in ones.

#include "actors/car.h"
#include "actors/fake_car.h"
#include "actors/ped.h"
#include "audio/audio.h"
#include "effects/smoker.h"
#include "fake_system_driver.h"
#include "game/game_program.h"
#include "game/globals.h"
#include "game/image_library.h"
#include "game/screens.h"
#include "golden_recorders.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "io/directory.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "system/program_exit.h"
#include "util/random.h"
#include "util/utf8.h"
#include "world/city.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// A child that runs out of script is stuck in a loop that waits for a key.
constexpr int ScriptRanOutStatus = 3;

std::string KeyName(int32_t key) {
    static const std::map<int32_t, std::string> names = {
        {KeyEscape, "Esc"}, {KeySpace, "Space"}, {KeyLeft, "Left"},
        {KeyUp, "Up"},      {KeyRight, "Right"}, {KeyDown, "Down"},
        {KeyC, "C"},        {KeyM, "M"},         {KeyLeftControl, "Ctrl"}};
    return names.at(key);
}

// Held keys for a number of frames.
struct TKeySpan {
    int frames;
    std::set<int32_t> keys;
};

struct TGoldenRun {
    std::string name;
    int32_t seed;
    std::vector<TKeySpan> script;
    // Changes the scene once the start-up has made it, at the end of the
    // title's first frame, before that frame is traced; empty for none.
    std::function<void()> stage;
};

// One child process's game: drives the keys frame by frame and writes the
// trace, a line per presented frame, as it goes, so that whatever ends the
// process the trace is complete.
class TGoldenPlay {
public:
    TGoldenPlay(const TGoldenRun& run, const std::string& tracePath)
        : _run(run), _trace(tracePath), _printedPath(tracePath + ".printed") {
        // The program's own directory, as the start-up makes it, with the
        // game's pictures and sounds.
        std::filesystem::current_path(SEWER_PROGRAM_DIR);
        for (const auto& span : run.script) {
            _keysOfFrame.insert(_keysOfFrame.end(), span.frames, span.keys);
        }
        // What the game prints goes to a file of its own, read back a frame at a time.
        // Both as bytes: the game's lines end in CR LF on every platform.
        if (!std::freopen(_printedPath.c_str(), "wb", stdout)) {
            std::_Exit(EXIT_FAILURE);
        }
        _printed.open(_printedPath, std::ios::binary);
        _workingDirectory = TextToUtf8(WorkingDirectory());
    }

    [[noreturn]] void Play() {
        SetSystemDriver(_keys);
        SelectGraphicsDriver(_drawing, ContextDoubleBuffer);
        SelectAudioDriver(TRecordingAudioDriver::DriverName);
        _drawing->frameEnded = [this] { EndFrame(); };
        HoldKeysOf(0);

        // The game's own start-up, unpaced and with the run's seed.
        StartGame(0, _run.seed);
        RunFrameLoop();
        EndProgram();
    }

private:
    void EndFrame() {
        // The title's first frame is the first with the game's state made.
        if (PlayerCar && !_staged) {
            _staged = true;
            if (_run.stage) {
                _run.stage();
            }
        }
        _trace << StateLine() << std::endl;
        _drawing->calls.clear();
        _audio.log->entries.clear();
        ++_frame;
        if (_frame >= static_cast<int>(_keysOfFrame.size())) {
            _trace << "script ran out" << std::endl;
            std::_Exit(ScriptRanOutStatus);
        }
        HoldKeysOf(_frame);
    }

    void HoldKeysOf(int frame) {
        const auto& wanted = _keysOfFrame[frame];
        for (const int32_t key : _held) {
            if (!wanted.contains(key)) {
                _keys->Queue(EventKeyUp, key);
            }
        }
        for (const int32_t key : wanted) {
            if (!_held.contains(key)) {
                _keys->Queue(EventKeyDown, key);
            }
        }
        _held = wanted;
    }

    std::string StateLine() {
        std::ostringstream line;
        line << "frame " << _frame;
        Field(line, "count") << FrameCount;
        // The window's first blank frames come before the game's seed.
        if (PlayerCar) {
            Field(line, "seed") << RandomSeed();
        } else {
            Field(line, "seed") << "none yet";
        }
        Field(line, "keys") << Joined(_held, KeyName);
        Field(line, "view") << FloatText(ViewOffsetX) << ' ' << FloatText(ViewOffsetY);
        Field(line, "player") << PlayerState();
        Field(line, "cops") << CopsState();
        Field(line, "run over") << RunOverPedestrians();
        Field(line, "sound") << Joined(
            _audio.log->entries, [](const auto& e) { return e; }, "; ");
        Field(line, "printed") << NewlyPrinted();
        Field(line, "draw") << DrawingDigest();
        return line.str();
    }

    static std::ostream& Field(std::ostream& line, const char* name) {
        return line << " | " << name << '=';
    }

    template <typename TItems, typename TName>
    static std::string Joined(const TItems& items, TName name, const char* separator = " ") {
        std::string text;
        for (const auto& item : items) {
            text += (text.empty() ? "" : separator) + name(item);
        }
        return text;
    }

    // The window's first blank frame comes before the cars and pedestrians exist.
    static std::string PlayerState() {
        if (!PlayerCar) {
            return "none";
        }
        const TCar& car = *PlayerCar;
        std::ostringstream state;
        for (const float value :
             {car.positionX, car.positionY, car.velocityX, car.velocityY, car.angle,
              car.angularVelocity, car.power, car.turnSpeed, car.pRate}) {
            state << FloatText(value) << ' ';
        }
        state << "damage " << car.Damage << " img " << car.Img << (car.smoker ? " smoking" : "");
        return state.str();
    }

    static std::string CopsState() {
        if (!CopList) {
            return "none";
        }
        std::ostringstream state;
        state << CopList->Count();
        for (const auto& cop : *CopList) {
            state << " [";
            for (const float value :
                 {cop->x, cop->y, cop->XS, cop->YS, cop->Direction, cop->TurnSpeed}) {
                state << FloatText(value) << ' ';
            }
            state << "damage " << cop->Damage << (cop->smoker ? " smoking" : "") << ']';
        }
        return state.str();
    }

    static std::string RunOverPedestrians() {
        if (!PedList) {
            return "none";
        }
        std::ostringstream indices;
        int index = 0;
        for (const auto& ped : *PedList) {
            if (ped->alive == 0) {
                indices << index << ' ';
            }
            ++index;
        }
        return indices.str();
    }

    // The lines printed since the last frame, with the machine's own folder
    // taken out and line breaks written as "\n".
    std::string NewlyPrinted() {
        std::fflush(stdout);
        _printed.clear();
        // Some C++ libraries (MinGW's) read nothing more after the end of a
        // file until the stream is positioned again.
        _printed.seekg(0, std::ios::cur);
        std::string text, line;
        while (std::getline(_printed, line)) {
            for (auto at = line.find(_workingDirectory); at != std::string::npos;
                 at = line.find(_workingDirectory)) {
                line.replace(at, _workingDirectory.size(), "<dir>");
            }
            text += line + "\\n";
        }
        return text;
    }

    std::string DrawingDigest() const {
        TDigest digest;
        for (const auto& call : _drawing->calls) {
            digest.Add(call);
            digest.Add("\n");
        }
        return std::to_string(_drawing->calls.size()) + " calls " + digest.Hex();
    }

    const TGoldenRun& _run;
    std::vector<std::set<int32_t>> _keysOfFrame;
    std::set<int32_t> _held;
    int _frame = 0;
    bool _staged = false;
    std::ofstream _trace;
    std::string _printedPath;
    std::ifstream _printed;
    std::string _workingDirectory;
    std::shared_ptr<TFakeSystemDriver> _keys = std::make_shared<TFakeSystemDriver>();
    std::shared_ptr<TFrameEndingDraw2DDriver> _drawing =
        std::make_shared<TFrameEndingDraw2DDriver>();
    TRecordingAudioDriver _audio;
};

std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::pair<std::string, std::string>> Fields(const std::string& line) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (size_t start = 0; start <= line.size();) {
        const size_t end = std::min(line.find(" | ", start), line.size());
        const std::string field = line.substr(start, end - start);
        const size_t equals = field.find('=');
        fields.emplace_back(field.substr(0, equals),
                            equals == std::string::npos ? "" : field.substr(equals + 1));
        start = end + 3;
    }
    return fields;
}

// The first difference between the checked-in trace and this one, said as
// the frame and the field, or empty when they are alike.
std::string FirstDifference(const std::vector<std::string>& golden,
                            const std::vector<std::string>& played) {
    for (size_t index = 0; index < std::min(golden.size(), played.size()); ++index) {
        if (golden[index] == played[index]) {
            continue;
        }
        const auto expected = Fields(golden[index]);
        const auto actual = Fields(played[index]);
        for (size_t field = 0; field < std::min(expected.size(), actual.size()); ++field) {
            if (expected[field] != actual[field]) {
                return "line " + std::to_string(index + 1) + " (" + expected.front().first +
                       "), field \"" + expected[field].first +
                       "\":\n  golden: " + expected[field].second +
                       "\n  played: " + actual[field].second;
            }
        }
        return "line " + std::to_string(index + 1) +
               " has other fields:\n  golden: " + golden[index] + "\n  played: " + played[index];
    }
    if (golden.size() != played.size()) {
        return "the golden trace has " + std::to_string(golden.size()) + " lines, the run " +
               std::to_string(played.size()) +
               (played.empty() ? "" : "; the run's last line: " + played.back());
    }
    return "";
}

class GoldenRun : public ::testing::TestWithParam<TGoldenRun> {};

} // namespace

TEST_P(GoldenRun, PlaysAsCheckedIn) {
    const TGoldenRun& run = GetParam();
    // Named alike in the death test's child, which on Windows is this program
    // started again: beside the test, in its own build directory.
    const auto trace = std::filesystem::current_path() / ("golden-" + run.name + ".trace");
    const auto golden = std::filesystem::path(SEWER_GOLDEN_DIR) / (run.name + ".trace");

    EXPECT_EXIT(TGoldenPlay(run, trace.string()).Play(), ::testing::ExitedWithCode(0), "")
        << "the run's last lines are in " << trace;
    const auto played = Lines(trace);
    if (std::getenv("SEWER_UPDATE_GOLDEN") && !HasFailure()) {
        std::filesystem::copy_file(trace, golden,
                                   std::filesystem::copy_options::overwrite_existing);
        std::printf("wrote %zu frames to %s\n", played.size(), golden.string().c_str());
    } else {
        ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing";
        const std::string difference = FirstDifference(Lines(golden), played);
        EXPECT_TRUE(difference.empty()) << run.name << ": " << difference;
    }
    std::filesystem::remove(trace);
    std::filesystem::remove(trace.string() + ".printed");
}

namespace {

// The title for a few frames, then Space.
std::vector<TKeySpan> Started(std::vector<TKeySpan> play) {
    play.insert(play.begin(), {{3, {}}, {1, {KeySpace}}});
    play.push_back({1, {KeyEscape}});
    return play;
}

std::vector<TKeySpan> Repeated(int times, const std::vector<TKeySpan>& spans) {
    std::vector<TKeySpan> repeated;
    for (int time = 0; time < times; ++time) {
        repeated.insert(repeated.end(), spans.begin(), spans.end());
    }
    return repeated;
}

// The player's car at the centre of a cell, with the camera on it.
void MovePlayerTo(int32_t cellX, int32_t cellY) {
    PlayerCar->positionX = static_cast<float>(64 * cellX + 32);
    PlayerCar->positionY = static_cast<float>(64 * cellY + 32);
    ViewOffsetX = 80.0f - PlayerCar->positionX;
    ViewOffsetY = 60.0f - PlayerCar->positionY;
}

// A police car where the stage wants it, moving at (xs, ys).
void AddCop(float x, float y, float xs, float ys) {
    auto cop = SpawnCop(0, 0);
    cop->x = x;
    cop->y = y;
    cop->XS = xs;
    cop->YS = ys;
    CopList->AddLast(std::move(cop));
}

// Police cars in every odd place at once: off the road beside the
// player, one out of range, two ramming the player in the same frame, and
// a new one ahead of the player on every physics step, rams included.
void StageStrays() {
    const float x = PlayerCar->positionX;
    const float y = PlayerCar->positionY;
    const auto road = [](int32_t dx, int32_t dy) {
        return TileImages.Contains(StartPoint.x + dx, StartPoint.y + dy) &&
               TileImages(StartPoint.x + dx, StartPoint.y + dy);
    };
    // The car's heading for each neighbour: 0 along +y, 90 along +x.
    for (const auto& [dx, dy, heading] :
         {std::tuple{0, 1, 0.0f}, {1, 0, 90.0f}, {0, -1, 180.0f}, {-1, 0, 270.0f}}) {
        if (road(dx, dy)) {
            PlayerCar->angle = heading;
        } else {
            AddCop(x + 64.0f * static_cast<float>(dx), y + 64.0f * static_cast<float>(dy), 0, 0);
        }
    }
    AddCop(x + 300.0f, y, 0, 0);
    AddCop(x - 3.0f, y, 0.5f, 0);
    AddCop(x + 3.0f, y, -0.5f, 0);
    CopSpawnChance = 100;
}

const TGoldenRun Runs[] = {
    // Down a long straight to the sewer, with police cars met on the way.
    {"drive_to_the_sewer", 1,
     Started({{90, {KeyUp}},
              {8, {KeyUp, KeyLeft}},
              {8, {KeyUp, KeyRight}},
              {60, {KeyUp}},
              {30, {KeyUp, KeyM}},
              {30, {KeyUp, KeyLeftControl}},
              {40, {KeyDown}},
              {1, {KeyC}},
              {20, {}},
              {1, {KeyC}},
              {560, {KeyUp}}}),
     [] { MovePlayerTo(4, 23); }},
    // Police cars called one after another to a car that is already badly
    // damaged: they pile up and wreck each other, and three rams lose.
    {"pileup", 2, Started(Repeated(8, {{1, {KeyC}}, {9, {}}})), [] { PlayerCar->Damage = 96; }},
    {"strays", 3, Started({{20, {}}}), StageStrays},
};

INSTANTIATE_TEST_SUITE_P(Games, GoldenRun, ::testing::ValuesIn(Runs),
                         [](const auto& run) { return run.param.name; });

} // namespace
