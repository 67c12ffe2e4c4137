#include "audio/audio_sample_loader.h"

#include "audio/wav_loader.h"
#include "io/stream_exception.h"
#include "io/stream_open.h"
#include "util/runtime_error.h"

namespace {

// The built-in loaders are made on first need rather than by static
// initialisation, which a static library may leave out of the program. They
// go in before any other loader, which therefore stands in front of them.
TRegistrationChain<TAudioSampleLoader>& Loaders() {
    static TRegistrationChain<TAudioSampleLoader> chain;
    chain.InstallOnce([] { static TAudioSampleLoaderWAV wav; });
    return chain;
}

} // namespace

TAudioSampleLoader::TAudioSampleLoader() : _link(Loaders(), *this) {}

TAudioSampleLoader::~TAudioSampleLoader() = default;

TAudioSampleLoader* FirstAudioSampleLoader() {
    return Loaders().Front();
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
    for (TAudioSampleLoader& loader : Loaders()) {
        stream->Seek(start);
        try {
            sample = loader.LoadAudioSample(*stream);
        } catch (const TStreamException&) {
            // A short or broken file is simply not in this loader's format.
        }
        if (sample) {
            break;
        }
    }
    stream->Close();
    return sample;
}
