#include "io/memory_stream.h"
#include "io/stream_exception.h"
#include "pixmap/pixmap_loader.h"
#include "pixmap/pixmap_loader_bmp.h"
#include "pixmap/pixmap_loader_png.h"
#include "test_pictures.h"
#include "util/utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

// Stands in front of the chain while it lives, and does what the test asks.
class TScriptedLoader : public TPixmapLoader {
public:
    enum class TAction { Refuse, RaiseStreamError, RaiseOtherError, Load };

    std::shared_ptr<TPixmap> LoadPixmap(const std::shared_ptr<TStream>& stream) override {
        positionSeen = stream->Pos();
        stream->SkipBytes(3); // moves the stream on, as a real attempt does
        switch (action) {
        case TAction::RaiseStreamError:
            throw TStreamReadException();
        case TAction::RaiseOtherError:
            throw std::logic_error("not a refusal");
        case TAction::Load:
            return TPixmap::Create(1, 1, FormatA8, 4);
        default:
            return nullptr;
        }
    }

    TAction action = TAction::Refuse;
    int64_t positionSeen = -2;
};

std::string SmallPng() {
    TPngPicture picture;
    picture.rows = {0xB9, 0x7A, 0x57};
    return EncodePng(picture);
}

// Gives its bytes but cannot seek, like a pipe.
class TUnseekableStream : public TRamStream {
public:
    using TRamStream::TRamStream;
    int64_t Pos() override { return -1; }
};

} // namespace

TEST(LoadPixmapFrom, BuiltInLoadersAskBmpFirstThenPng) {
    TPixmapLoader* first = FirstPixmapLoader();
    ASSERT_TRUE(first);
    EXPECT_TRUE(dynamic_cast<TPixmapLoaderBMP*>(first));
    ASSERT_TRUE(first->Successor());
    EXPECT_TRUE(dynamic_cast<TPixmapLoaderPNG*>(first->Successor()));
    EXPECT_FALSE(first->Successor()->Successor());
}

TEST(LoadPixmapFrom, EveryLoaderStartsAtTheSourcePosition) {
    const std::string file = "junk" + SmallPng();
    auto stream = std::make_shared<TRamStream>(file.data(), static_cast<int64_t>(file.size()));
    stream->Seek(4);

    TScriptedLoader scripted;
    EXPECT_EQ(FirstPixmapLoader(), &scripted);
    auto pixmap = LoadPixmapFrom(stream);
    EXPECT_EQ(scripted.positionSeen, 4);
    ASSERT_TRUE(pixmap); // the PNG loader still found the picture at 4
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFFB97A57u);
}

TEST(LoadPixmapFrom, StreamErrorsAreRefusalsAndOtherErrorsPassThrough) {
    const std::string file = SmallPng();
    TScriptedLoader scripted;

    scripted.action = TScriptedLoader::TAction::RaiseStreamError;
    EXPECT_TRUE(LoadPixmapFromBytes(file));

    scripted.action = TScriptedLoader::TAction::RaiseOtherError;
    EXPECT_THROW(LoadPixmapFromBytes(file), std::logic_error);

    scripted.action = TScriptedLoader::TAction::Load;
    auto pixmap = LoadPixmapFromBytes(file);
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->format, FormatA8);
}

TEST(LoadPixmapFrom, SourcesThatCannotBeReadGiveNull) {
    const std::string file = SmallPng();
    EXPECT_FALSE(LoadPixmapFrom(
        std::make_shared<TUnseekableStream>(file.data(), static_cast<int64_t>(file.size()))));
    EXPECT_FALSE(LoadPixmapFrom(u"/nonexistent/picture.png"));
    EXPECT_FALSE(LoadPixmapFromBytes(""));

    // And a plain path to a real file loads.
    const auto path = std::filesystem::temp_directory_path() / "sewer-pixmap-loader-test.png";
    std::ofstream(path, std::ios::binary) << file;
    auto pixmap = LoadPixmapFrom(Utf8ToText(path.string()));
    std::filesystem::remove(path);
    ASSERT_TRUE(pixmap);
    EXPECT_EQ(pixmap->ReadPixel(0, 0), 0xFFB97A57u);
}
