#include "system/key_codes.h"
#include "system/web/web_input_translator.h"

#include <gtest/gtest.h>

namespace {

TDomKeyEvent Key(bool down, const char* code, const char* key) {
    TDomKeyEvent event;
    event.down = down;
    event.code = code;
    event.key = key;
    return event;
}

std::vector<std::pair<int32_t, int32_t>>
IdsAndData(const std::vector<std::shared_ptr<TEvent>>& events) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    for (const auto& event : events) {
        pairs.emplace_back(event->id, event->data);
    }
    return pairs;
}

using Pairs = std::vector<std::pair<int32_t, int32_t>>;

TWebGamepad Pad(int32_t index) {
    TWebGamepad pad;
    pad.index = index;
    pad.connected = true;
    pad.standardMapping = true;
    return pad;
}

} // namespace

TEST(WebInputTranslationTest, KeysGoDownRepeatAndComeUpWithTheirCharacters) {
    TWebInputTranslator translator;
    EXPECT_EQ(IdsAndData(translator.TranslateKey(Key(true, "KeyM", "m"))),
              (Pairs{{EventKeyDown, 'M'}, {EventKeyChar, 'm'}}));
    auto repeat = Key(true, "KeyM", "m");
    repeat.repeat = true;
    EXPECT_EQ(IdsAndData(translator.TranslateKey(repeat)),
              (Pairs{{EventKeyRepeat, 'M'}, {EventKeyChar, 'm'}}));
    EXPECT_EQ(IdsAndData(translator.TranslateKey(Key(false, "KeyM", "m"))),
              (Pairs{{EventKeyUp, 'M'}}));
    // Named keys type nothing; a character outside the basic plane is two
    // code units; Control turns typing into a shortcut.
    EXPECT_EQ(IdsAndData(translator.TranslateKey(Key(true, "ArrowUp", "ArrowUp"))),
              (Pairs{{EventKeyDown, KeyUp}}));
    EXPECT_EQ(IdsAndData(translator.TranslateKey(Key(true, "KeyQ", "\xf0\x9f\x98\x80"))),
              (Pairs{{EventKeyDown, 'Q'}, {EventKeyChar, 0xD83D}, {EventKeyChar, 0xDE00}}));
    auto withControl = Key(true, "KeyC", "c");
    withControl.control = true;
    const auto events = translator.TranslateKey(withControl);
    ASSERT_EQ(IdsAndData(events), (Pairs{{EventKeyDown, 'C'}}));
    EXPECT_EQ(events[0]->mods, ModifierControl);
}

TEST(WebInputTranslationTest, FocusChangesSuspendAndResumeOnceAndLetGoOfKeys) {
    TWebInputTranslator translator;
    EXPECT_TRUE(translator.TranslateFocus(true).empty()); // it had the focus
    translator.TranslateKey(Key(true, "ArrowUp", "ArrowUp"));
    EXPECT_EQ(IdsAndData(translator.TranslateFocus(false)), (Pairs{{EventAppSuspend, 0}}));
    EXPECT_TRUE(translator.TranslateFocus(false).empty());
    EXPECT_EQ(IdsAndData(translator.TranslateFocus(true)), (Pairs{{EventAppResume, 0}}));
    // The Up held before the focus went is forgotten: pressing it is a press.
    EXPECT_EQ(IdsAndData(translator.TranslateKey(Key(true, "ArrowUp", "ArrowUp"))),
              (Pairs{{EventKeyDown, KeyUp}}));
}

TEST(WebInputTranslationTest, ControllersHoldTheKeysOfTheSharedTable) {
    TWebInputTranslator translator;
    TWebGamepad pad = Pad(0);
    pad.buttons[9] = 1.0;  // Start
    pad.buttons[7] = 0.9;  // right trigger
    pad.axes[0] = -0.8;    // stick left
    pad.buttons[12] = 0.2; // d-pad up, barely touched
    EXPECT_EQ(IdsAndData(translator.TranslateGamepads(std::vector{pad})),
              (Pairs{{EventKeyDown, KeySpace},
                     {EventKeyDown, KeyPause},
                     {EventKeyDown, KeyLeft},
                     {EventKeyDown, KeyUp}}));
    // The same report again changes nothing.
    EXPECT_TRUE(translator.TranslateGamepads(std::vector{pad}).empty());
    // Unplugged: everything it held goes up.
    const auto released = IdsAndData(translator.TranslateGamepads({}));
    EXPECT_EQ(released.size(), 4u);
    for (const auto& [id, key] : released) {
        EXPECT_EQ(id, EventKeyUp) << key;
    }
}

TEST(WebInputTranslationTest, AKeyHeldOnTheKeyboardAndAControllerIsOneHeldKey) {
    TWebInputTranslator translator;
    TWebGamepad pad = Pad(2);
    pad.buttons[0] = 1.0; // A: Up
    EXPECT_EQ(IdsAndData(translator.TranslateGamepads(std::vector{pad})),
              (Pairs{{EventKeyDown, KeyUp}}));
    EXPECT_TRUE(translator.TranslateKey(Key(true, "ArrowUp", "ArrowUp")).empty());
    EXPECT_TRUE(translator.TranslateKey(Key(false, "ArrowUp", "ArrowUp")).empty());
    pad.buttons[0] = 0.0;
    EXPECT_EQ(IdsAndData(translator.TranslateGamepads(std::vector{pad})),
              (Pairs{{EventKeyUp, KeyUp}}));
    // A controller without the standard mapping holds nothing.
    TWebGamepad odd = Pad(3);
    odd.standardMapping = false;
    odd.buttons[0] = 1.0;
    EXPECT_TRUE(translator.TranslateGamepads(std::vector{odd}).empty());
}

TEST(WebInputTranslationTest, TheGameKeysAreTheGamesAndShortcutsStayTheBrowsers) {
    auto key = [](const char* code, const char* name, bool control) {
        TDomKeyEvent event = Key(true, code, name);
        event.control = control;
        return event;
    };
    EXPECT_FALSE(BrowserMayHandleKey(key("ArrowDown", "ArrowDown", false))); // would scroll
    EXPECT_FALSE(BrowserMayHandleKey(key("Space", " ", false)));
    EXPECT_FALSE(BrowserMayHandleKey(key("KeyP", "p", true))); // coasting, not printing
    EXPECT_FALSE(BrowserMayHandleKey(key("F11", "F11", false)));
    EXPECT_FALSE(BrowserMayHandleKey(key("KeyQ", "q", false)));
    EXPECT_TRUE(BrowserMayHandleKey(key("KeyR", "r", true)));
    EXPECT_TRUE(BrowserMayHandleKey(key("F5", "F5", false)));
    EXPECT_TRUE(BrowserMayHandleKey(key("F12", "F12", false)));
}
