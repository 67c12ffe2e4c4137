#include "game/image_library.h"

#include "graphics/image_loading.h"
#include "io/directory.h"
#include "io/standard_output.h"
#include "util/runtime_error.h"

THashTable<TImage> ImageLibrary;

namespace {

bool IsPngName(const Text& name) {
    return RightText(LowerText(name), 4) == u".png";
}

[[noreturn]] void RaiseNoImageDirectory() {
    RaiseRuntimeError(u"couldnt find image dir");
}

} // namespace

Text ImageDirectory() {
    return WorkingDirectory() + u"/img/";
}

void RequireImageDirectory() {
    if (!DirOpen(ImageDirectory())) {
        RaiseNoImageDirectory();
    }
}

int32_t LoadImageLibrary() {
    const Text dir = ImageDirectory();
    ImageLibrary.Clear();
    PrintLine(dir);
    TDirHandle handle = DirOpen(dir);
    if (!handle) {
        RaiseNoImageDirectory();
    }
    for (Text name = DirNextName(handle); !name.empty(); name = DirNextName(handle)) {
        if (name == u"." || name == u"..") {
            continue;
        }
        // A picture that cannot be read is kept as null under its name; the
        // road map builder reports it when it asks for that tile.
        if (IsPngName(name)) {
            ImageLibrary.Insert(LowerText(name), LoadImageFile(dir + u"/" + name, 0));
        }
    }
    DirClose(handle);
    return 0;
}
