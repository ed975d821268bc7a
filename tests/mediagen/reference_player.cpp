#include "reference_player.h"

namespace {

struct Channel {
    const std::vector<int16_t>* data = nullptr;
    uint32_t length = 0;
    uint32_t count = 0;
    int32_t volume = 0;
    uint32_t loopStart = 0;
    int32_t period = 0;
};

struct Player {
    Player(const ModuleFile& m, int r) : module(m), rate(r) {}
    const ModuleFile& module;
    int rate;
    Channel channels[8];
    int rowCounter = 0;
    int scene = 255;
    int sync = 0;
    int channelsWithoutPeriod = 0;

    void playRow() {
        int position = rowCounter / 64, row = rowCounter % 64;
        int pattern = module.order[position];
        bool jumped = false;
        for (int c = 0; c < 8; ++c) {
            ModuleCell cell = module.cell(pattern, row, c);
            Channel& ch = channels[c];
            if (cell.period) {
                ch.period = cell.period;
                ch.count = 0;
            }
            if (cell.sample) {
                const ModuleSample& s = module.samples[cell.sample - 1];
                ch.data = &s.data;
                ch.length = s.lengthBytes;
                ch.loopStart = s.repeatOffsetBytes;
                ch.volume = s.volume;
            }
            switch (cell.effect) {
            case 0x8:
                if (cell.sample == 31) {
                    sync = cell.parameter;
                    ch.volume = 0;
                }
                break;
            case 0xB:
                rowCounter = cell.parameter * 64;
                jumped = true;
                break;
            case 0xC:
                if (cell.sample == 31) {
                    scene = cell.parameter;
                    ch.volume = 0;
                } else {
                    ch.volume = cell.parameter;
                }
                break;
            case 0xD:
                rowCounter = (position + 1) * 64;
                jumped = true;
                break;
            case 0xE:
                if ((cell.parameter >> 4) == 0xC)
                    ch.volume = 0;
                break;
            default:
                break;
            }
        }
        if (!jumped)
            ++rowCounter;
    }

    int16_t mixSample() {
        int32_t sum = 0;
        for (Channel& ch : channels) {
            if (ch.volume <= 0)
                continue;
            if (ch.period <= 0 || !ch.data) {
                ++channelsWithoutPeriod;
                continue;
            }
            uint32_t index = (static_cast<uint32_t>(3424000 / ch.period) * ch.count) /
                             static_cast<uint32_t>(rate);
            if (index >= ch.length) {
                if (ch.loopStart) {
                    index = (index - ch.loopStart) % (ch.length - ch.loopStart) + ch.loopStart;
                } else {
                    ch.volume = 0;
                    continue;
                }
            }
            sum += (*ch.data)[index] * ch.volume;
            ++ch.count;
        }
        return static_cast<int16_t>(sum >> 6);
    }
};

} // namespace

Rendering renderModule(const ModuleFile& module, int rate, int rowLimit) {
    Player player(module, rate);
    Rendering out;
    const int rowLength = rate * 12 / 100;
    out.samples.assign(rowLength, 0); // the first row starts one row length in
    for (int rows = 0; rows < rowLimit; ++rows) {
        if (player.rowCounter == module.songLength * 64) {
            out.reachedEnd = true;
            break;
        }
        RowState state;
        state.orderPosition = player.rowCounter / 64;
        state.row = player.rowCounter % 64;
        player.playRow();
        state.scene = player.scene;
        state.sync = player.sync;
        out.rows.push_back(state);
        for (int i = 0; i < rowLength; ++i)
            out.samples.push_back(player.mixSample());
    }
    out.channelsWithoutPeriod = player.channelsWithoutPeriod;
    return out;
}
