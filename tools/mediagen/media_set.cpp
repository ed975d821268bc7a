#include "media_set.h"

#include "instruments.h"
#include "pictures.h"
#include "tga_writer.h"

namespace mediagen {

Module buildModule(const Score& score) {
    Module module;
    module.title = score.title;
    for (const SampleSlot& slot : score.samples) {
        ModSample& sample = module.samples[slot.number - 1];
        sample = makeInstrument(slot.instrument);
        sample.volume = slot.volume;
    }
    module.patterns = score.patterns;
    module.order = score.order;
    return module;
}

std::vector<MediaFile> buildMedia(const std::string& scoreText) {
    return {
        {"Elle.tga", encodeTga(makeEllePicture())},
        {"TLife.tga", encodeTga(makeLifeTexture())},
        {"TTunnel.tga", encodeTga(makeTunnelTexture())},
        {"ShadeBob.tga", encodeTga(makeShadeBob())},
        {"Polaroid.tga", encodeTga(makePolaroid())},
        {"bumpmap.raw", makeBumpMap()},
        {"Glimmerfall.mod", encodeMod(buildModule(parseScore(scoreText)))},
    };
}

} // namespace mediagen
