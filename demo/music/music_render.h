// The music's one pull: the next output samples at the chosen rate, with every row started
// on its exact sample. Both output paths ask it for samples and only move bytes.
#pragma once

// Back to the start of the song: silent channels, the first row one row length in.
void RestartMusic();

// Mixes the next `samples` samples into `output` (null: mixed and dropped, so that the rows
// in them still run), running the sequencer at every row boundary inside the stretch.
void RenderMusic(short* output, unsigned int samples);
