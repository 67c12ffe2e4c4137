// Golden runs: whole games played in process, from the start-up through the
// title and the frame loop to a win or lose screen (and on into the next
// game when Space is pressed there), with fixed seeds and a script of the
// keys held in each presented frame. Every frame leaves a line
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
#include "game/pause.h"
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
        {KeyEscape, "Esc"},       {KeySpace, "Space"}, {KeyLeft, "Left"},  {KeyUp, "Up"},
        {KeyRight, "Right"},      {KeyDown, "Down"},   {KeyC, "C"},        {KeyM, "M"},
        {KeyLeftControl, "Ctrl"}, {KeyP, "P"},         {KeyPause, "Pause"}};
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
    // The seeds of the games started with Space on an end screen, in turn.
    std::vector<int32_t> nextSeeds = {};
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
        RunFrameLoop([this] { return NextSeed(); });
        EndProgram();
    }

private:
    int32_t NextSeed() {
        if (_gamesStarted == _run.nextSeeds.size()) {
            _trace << "seeds ran out" << std::endl;
            std::_Exit(ScriptRanOutStatus);
        }
        return _run.nextSeeds[_gamesStarted++];
    }

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
    size_t _gamesStarted = 0;
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

// Test listings name a run by its name.
void PrintTo(const TGoldenRun& run, std::ostream* out) {
    *out << run.name;
}

} // namespace

namespace {

// The run played in a child process, a line per presented frame.
std::vector<std::string> Played(const TGoldenRun& run) {
    // Named alike in the death test's child, which on Windows is this program
    // started again, and apart for every test, which ctest may run side by
    // side: beside the tests, in their own build directory.
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string testName = std::string(test->test_suite_name()) + "-" + test->name();
    std::replace(testName.begin(), testName.end(), '/', '-');
    const auto trace =
        std::filesystem::current_path() / ("golden-" + testName + "-" + run.name + ".trace");
    EXPECT_EXIT(TGoldenPlay(run, trace.string()).Play(), ::testing::ExitedWithCode(0), "")
        << "the run's last lines are in " << trace;
    const auto played = Lines(trace);
    if (!::testing::Test::HasFailure()) {
        std::filesystem::remove(trace);
    }
    std::filesystem::remove(trace.string() + ".printed");
    return played;
}

void WriteLines(const std::vector<std::string>& lines, const std::filesystem::path& path) {
    std::ofstream file(path);
    for (const auto& line : lines) {
        file << line << '\n';
    }
}

} // namespace

TEST_P(GoldenRun, PlaysAsCheckedIn) {
    const TGoldenRun& run = GetParam();
    const auto golden = std::filesystem::path(SEWER_GOLDEN_DIR) / (run.name + ".trace");
    const auto played = Played(run);
    if (std::getenv("SEWER_UPDATE_GOLDEN") && !HasFailure()) {
        WriteLines(played, golden);
        std::printf("wrote %zu frames to %s\n", played.size(), golden.string().c_str());
    } else {
        ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing";
        const std::string difference = FirstDifference(Lines(golden), played);
        EXPECT_TRUE(difference.empty()) << run.name << ": " << difference;
    }
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

// The keys held in each frame of a script.
std::vector<std::set<int32_t>> FrameKeys(const std::vector<TKeySpan>& script) {
    std::vector<std::set<int32_t>> frames;
    for (const auto& span : script) {
        frames.insert(frames.end(), span.frames, span.keys);
    }
    return frames;
}

// A pause inserted into a script: `key` pressed along with the keys of the
// run's frame `at`, so that the game pauses on that frame, then `frames`
// presented frames paused, then `resumeKey` pressed along with the keys of
// the next frame of play, which resumes it. While paused the next frame's
// keys are already held, so its presses are made during the pause.
struct TPause {
    int at;
    int frames;
    std::set<int32_t> keys = {KeyP};
    std::set<int32_t> resumeKeys = {KeyP};
};

// The script with the pauses (in the order of their frames) inserted.
std::vector<TKeySpan> WithPauses(const std::vector<TKeySpan>& script,
                                 const std::vector<TPause>& pauses) {
    const auto plain = FrameKeys(script);
    std::vector<TKeySpan> paused;
    auto pause = pauses.begin();
    std::set<int32_t> resumeKeys;
    for (size_t frame = 0; frame < plain.size(); ++frame) {
        std::set<int32_t> keys = plain[frame];
        keys.merge(resumeKeys);
        resumeKeys.clear();
        if (pause != pauses.end() && static_cast<size_t>(pause->at) == frame) {
            keys.insert(pause->keys.begin(), pause->keys.end());
            paused.push_back({1, keys});
            paused.push_back({pause->frames, plain.at(frame + 1)});
            resumeKeys = pause->resumeKeys;
            ++pause;
        } else {
            paused.push_back({1, keys});
        }
    }
    return paused;
}

// Down a long straight to the sewer, with police cars met on the way.
const TGoldenRun DriveToTheSewer = {"drive_to_the_sewer", 1,
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
                                    [] { MovePlayerTo(4, 23); }};

// The same drive paused five times (the run's frame 3 is the first frame of
// play): in the opening messages; for a single frame while turning, with P
// and Pause pressed together, which is one press; with the map held, resumed
// with Pause; on the frame C calls a police car; and just before the second
// C, which is pressed while paused.
const std::vector<TPause> DrivePauses = {
    {4, 30}, {98, 1, {KeyP, KeyPause}}, {173, 20, {KeyP}, {KeyPause}}, {269, 15}, {289, 10}};

// The drive's stage, with the paused picture drawn once in the title's
// first frame: the pictures of its letters are made there, not in the first
// pause, so that the pictures made later in the game are numbered alike with
// and without the pauses.
void StageDriveWithPauseLetters() {
    DriveToTheSewer.stage();
    DrawPausedFrame(nullptr);
}

const TGoldenRun DriveWithPauses = {"drive_with_pauses", DriveToTheSewer.seed,
                                    WithPauses(DriveToTheSewer.script, DrivePauses),
                                    StageDriveWithPauseLetters};

// Places the player's car 10 pixels from the centre of the sewer cell,
// close enough to win in the first frame of play.
void ParkBesideTheSewer() {
    PlayerCar->positionX = static_cast<float>(64 * SewerPoint.x + 32 + 10);
    PlayerCar->positionY = static_cast<float>(64 * SewerPoint.y + 32);
}

const TGoldenRun Runs[] = {
    DriveToTheSewer,
    // Police cars called one after another to a car that is already badly
    // damaged: they pile up and wreck each other, and three rams lose.
    {"pileup", 2, Started(Repeated(8, {{1, {KeyC}}, {9, {}}})), [] { PlayerCar->Damage = 96; }},
    {"strays", 3, Started({{20, {}}}), StageStrays},
    // What a newcomer tries first: Up and nothing else, into the wall at the
    // end of the street, which holds the car.
    {"hold_up", 4, Started({{1200, {KeyUp}}}), {}},
    DriveWithPauses,
    // A car one ram from wrecked, with a police car called to it at once;
    // Space pressed before the ram does nothing and is not taken for a
    // press on the lose screen. On the lose screen C and P, which the next
    // game must not see, then Space: a second game in a new city with the
    // opening messages, driven and shown on the map, ended with Escape
    // during play.
    {"lose_then_play_again",
     4,
     Started({{1, {KeyC}},
              {1, {KeySpace}},
              {40, {}},
              {1, {KeyC}},
              {1, {KeyP}},
              {10, {}},
              {1, {KeySpace}},
              {60, {KeyUp}},
              {20, {KeyUp, KeyM}},
              {1, {KeyC}},
              {40, {KeyUp}}}),
     [] { PlayerCar->Damage = 99; },
     {5}},
    // A win in the first frame of play, then Space with Up already held,
    // which the second game reads as held from its first frame.
    {"win_then_play_again",
     6,
     Started({{20, {}}, {1, {KeySpace, KeyUp}}, {30, {KeyUp}}}),
     ParkBesideTheSewer,
     {7}},
};

INSTANTIATE_TEST_SUITE_P(Games, GoldenRun, ::testing::ValuesIn(Runs),
                         [](const auto& run) { return run.param.name; });

} // namespace

namespace {

std::string FieldValue(const std::string& line, const std::string& name) {
    for (const auto& [field, value] : Fields(line)) {
        if (field == name) {
            return value;
        }
    }
    return "(no field " + name + ")";
}

// What a paused frame must leave as it is: everything simulated or counted.
std::string GameState(const std::string& line) {
    std::string state;
    for (const char* name : {"count", "seed", "view", "player", "cops", "run over"}) {
        state += std::string(name) + "=" + FieldValue(line, name) + " | ";
    }
    return state;
}

// The line as it would read without the pauses: no frame number, no pause
// keys held and, on the first frame after a pause, not the engine's resume.
std::string WithoutPause(const std::string& line, bool resumed) {
    std::string result;
    const auto fields = Fields(line);
    for (size_t index = 1; index < fields.size(); ++index) {
        auto [name, value] = fields[index];
        if (name == "keys") {
            std::istringstream keys(value);
            value.clear();
            for (std::string key; keys >> key;) {
                if (key != "P" && key != "Pause") {
                    value += (value.empty() ? "" : " ") + key;
                }
            }
        }
        const std::string resume = "channel1 paused 0";
        if (resumed && name == "sound" && value.starts_with(resume)) {
            value.erase(0, std::min(value.size(), resume.size() + 2));
        }
        result += name + "=" + value + " | ";
    }
    return result;
}

} // namespace

// Pausing changes nothing but time: the drive with its pauses, the paused
// frames left out, is the drive without them.
TEST(PausedGame, GoesOnExactlyAsIfItHadNotBeenPaused) {
    TGoldenRun unpaused = DriveToTheSewer;
    unpaused.stage = StageDriveWithPauseLetters;
    const auto plain = Played(unpaused);
    const auto paused = Played(DriveWithPauses);
    ASSERT_FALSE(HasFailure());

    std::vector<std::string> resumed;
    std::set<size_t> firstAfterPause;
    size_t line = 0;
    for (const TPause& pause : DrivePauses) {
        while (resumed.size() <= static_cast<size_t>(pause.at)) {
            resumed.push_back(paused.at(line++));
        }
        const std::string pausedOn = GameState(paused.at(line - 1));
        EXPECT_EQ(FieldValue(paused.at(line), "sound"), "channel1 paused 1")
            << "the engine falls silent as the pause begins";
        for (int frame = 0; frame < pause.frames; ++frame, ++line) {
            EXPECT_EQ(GameState(paused.at(line)), pausedOn) << "nothing moves: " << paused[line];
        }
        firstAfterPause.insert(resumed.size());
    }
    resumed.insert(resumed.end(), paused.begin() + static_cast<std::ptrdiff_t>(line), paused.end());

    std::vector<std::string> expected;
    std::vector<std::string> actual;
    for (size_t index = 0; index < std::max(plain.size(), resumed.size()); ++index) {
        if (index < plain.size()) {
            expected.push_back(WithoutPause(plain[index], false));
        }
        if (index < resumed.size()) {
            actual.push_back(WithoutPause(resumed[index], firstAfterPause.contains(index)));
        }
    }
    const std::string difference = FirstDifference(expected, actual);
    EXPECT_TRUE(difference.empty()) << difference;
}
