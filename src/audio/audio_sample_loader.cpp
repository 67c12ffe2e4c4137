#include "audio/audio_sample_loader.h"

#include "audio/wav_loader.h"
#include "io/stream_exception.h"
#include "io/stream_open.h"
#include "util/runtime_error.h"

namespace {

TAudioSampleLoader*& ChainFront() {
    static TAudioSampleLoader* front = nullptr;
    return front;
}

// The built-in loaders are made on first need rather than by static
// initialisation, which a static library may leave out of the program. They
// go in before any other loader, which therefore stands in front of them. A
// plain flag, because the loader's own constructor comes back here.
void RegisterBuiltInLoaders() {
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    static TAudioSampleLoaderWAV wav;
}

} // namespace

TAudioSampleLoader::TAudioSampleLoader() {
    RegisterBuiltInLoaders();
    _succ = ChainFront();
    ChainFront() = this;
}

TAudioSampleLoader::~TAudioSampleLoader() {
    for (TAudioSampleLoader** link = &ChainFront(); *link; link = &(*link)->_succ) {
        if (*link == this) {
            *link = _succ;
            return;
        }
    }
}

TAudioSampleLoader* FirstAudioSampleLoader() {
    RegisterBuiltInLoaders();
    return ChainFront();
}

std::shared_ptr<TAudioSample> AudioSampleFromUrl(const TUrl& url) {
    auto stream = StreamOpenRead(url);
    if (!stream) {
        return nullptr;
    }
    const int64_t start = stream->Pos();
    if (start == -1) {
        stream->Close();
        RaiseRuntimeError(u"Stream is not seekable");
    }
    std::shared_ptr<TAudioSample> sample;
    for (auto* loader = FirstAudioSampleLoader(); loader && !sample; loader = loader->Successor()) {
        stream->Seek(start);
        try {
            sample = loader->LoadAudioSample(*stream);
        } catch (const TStreamException&) {
            // A short or broken file is simply not in this loader's format.
        }
    }
    stream->Close();
    return sample;
}
