#include "system/program_startup.h"

namespace {

struct TStartupValues {
    Text path;
    Text directory;
    Text title = DefaultProgramTitle;
};

TStartupValues& Values() {
    static TStartupValues values;
    return values;
}

} // namespace

const Text& ProgramPath() {
    return Values().path;
}

const Text& ProgramDirectory() {
    return Values().directory;
}

const Text& ProgramTitle() {
    return Values().title;
}

void SetProgramTitle(const Text& title) {
    Values().title = title;
}

Text ProgramDirectoryOf(const Text& path) {
    return ProgramDirectoryOfPath(path);
}

void SetProgramPath(const Text& path) {
    auto& values = Values();
    values.path = path;
    values.directory = ProgramDirectoryOf(path);
    values.title = DefaultProgramTitle;
}
