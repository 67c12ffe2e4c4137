#include "io/standard_output.h"

#include "io/standard_io.h"
#include "io/stream_exception.h"

const std::shared_ptr<TTextStream>& StandardOutput() {
    // Never destroyed, so that exit handlers running after static destruction
    // can still print.
    static const auto* output = new std::shared_ptr<TTextStream>(
        std::make_shared<TTextStream>(std::make_shared<TCStandardIO>(), TTextStream::UTF8));
    return *output;
}

void PrintLine(const Text& text) {
    // The lines are diagnostics only. When standard output is closed or full
    // (a windowed launch, a pipe reader gone), losing a line is harmless,
    // while an exception escaping here would end the game mid-frame.
    try {
        StandardOutput()->WriteLine(text);
        StandardOutput()->Flush();
    } catch (const TStreamWriteException&) {
    }
}
