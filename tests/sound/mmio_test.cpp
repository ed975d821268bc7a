#include "temp_directory.h"
#include "wave_files.h"

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class MmioTest : public ::testing::Test {
protected:
    TempDirectory directory;
    std::vector<int16_t> samples = {1, -2, 300, -400, 32767, -32768, 7, 8, 9};

    std::string soxFile() {
        std::string path = directory.file("tone.wav");
        writeWaveWithSox(path, samplesToBytes(samples), {22050, 16, 1});
        return path;
    }
};

struct OpenFile {
    explicit OpenFile(const std::string& path) {
        std::string name = path;
        handle = mmioOpenA(name.data(), nullptr, MMIO_ALLOCBUF);
    }
    ~OpenFile() {
        if (handle)
            mmioClose(handle, 0);
    }
    MMRESULT descendRiff(MMCKINFO& riff, FOURCC form = mmioFOURCC('W', 'A', 'V', 'E')) {
        riff.fccType = form;
        return mmioDescend(handle, &riff, nullptr, MMIO_FINDRIFF);
    }
    MMRESULT descendChunk(MMCKINFO& chunk, const MMCKINFO& parent, const char* id) {
        chunk.ckid = mmioFOURCC(id[0], id[1], id[2], id[3]);
        return mmioDescend(handle, &chunk, &parent, MMIO_FINDCHUNK);
    }
    Bytes read(LONG count) {
        Bytes bytes(static_cast<size_t>(count));
        LONG got = mmioRead(handle, reinterpret_cast<HPSTR>(bytes.data()), count);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return bytes;
    }
    HMMIO handle = nullptr;
};

TEST_F(MmioTest, ReadsTheFormFormatAndDataOfASoxFile) {
    std::string path = soxFile();
    Bytes file = readFileBytes(path);
    OpenFile wave(path);
    ASSERT_NE(wave.handle, nullptr);

    MMCKINFO riff{};
    ASSERT_EQ(wave.descendRiff(riff), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.ckid, FOURCC_RIFF);
    EXPECT_EQ(riff.cksize, file.size() - 8);
    EXPECT_EQ(riff.dwDataOffset, 8u);

    MMCKINFO chunk{};
    ASSERT_EQ(wave.descendChunk(chunk, riff, "fmt "), MMSYSERR_NOERROR);
    ASSERT_EQ(chunk.cksize, 16u);
    WAVEFORMATEX format{};
    ASSERT_EQ(mmioRead(wave.handle, reinterpret_cast<HPSTR>(&format), 16), 16);
    EXPECT_EQ(format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format.nChannels, 1);
    EXPECT_EQ(format.nSamplesPerSec, 22050u);
    EXPECT_EQ(format.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(format.nBlockAlign, 2);
    EXPECT_EQ(format.wBitsPerSample, 16);
    ASSERT_EQ(mmioAscend(wave.handle, &chunk, 0), MMSYSERR_NOERROR);

    ASSERT_EQ(wave.descendChunk(chunk, riff, "data"), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, samples.size() * 2);
    EXPECT_EQ(wave.read(static_cast<LONG>(chunk.cksize)), samplesToBytes(samples));
    EXPECT_EQ(mmioRead(wave.handle, reinterpret_cast<HPSTR>(&format), 4), 0) << "at the end";
}

TEST_F(MmioTest, OtherFormsAndMissingChunksAreNotFound) {
    std::string path = soxFile();
    OpenFile wave(path);
    MMCKINFO riff{};
    EXPECT_EQ(wave.descendRiff(riff, mmioFOURCC('A', 'V', 'I', ' ')), MMIOERR_CHUNKNOTFOUND);

    OpenFile again(path);
    ASSERT_EQ(again.descendRiff(riff), MMSYSERR_NOERROR);
    MMCKINFO chunk{};
    EXPECT_EQ(again.descendChunk(chunk, riff, "LIST"), MMIOERR_CHUNKNOTFOUND);

    directory.write("text.wav", "this is not a RIFF file at all, only text");
    OpenFile text(directory.file("text.wav"));
    ASSERT_NE(text.handle, nullptr);
    EXPECT_EQ(text.descendRiff(riff), MMIOERR_CHUNKNOTFOUND);
}

TEST_F(MmioTest, ChunksAfterAnOddSizedChunkAreFoundPastItsPadByte) {
    Bytes file = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E',
                  'j', 'u', 'n', 'k', 3, 0, 0, 0, 1,   2,   3,   0,
                  'd', 'a', 't', 'a', 4, 0, 0, 0, 10,  20,  30,  40};
    putLittleEndian32(file, 4, static_cast<uint32_t>(file.size() - 8));
    writeFileBytes(directory.file("odd.wav"), file);
    OpenFile wave(directory.file("odd.wav"));
    MMCKINFO riff{}, chunk{};
    ASSERT_EQ(wave.descendRiff(riff), MMSYSERR_NOERROR);
    ASSERT_EQ(wave.descendChunk(chunk, riff, "junk"), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, 3u);
    mmioAscend(wave.handle, &chunk, 0);
    ASSERT_EQ(wave.descendChunk(chunk, riff, "data"), MMSYSERR_NOERROR);
    EXPECT_EQ(wave.read(100), (Bytes{10, 20, 30, 40}));
}

// Sizes that claim more than the file holds are cut to what is there.
TEST_F(MmioTest, ChunkSizesAreMeasuredAgainstTheFile) {
    Bytes file = readFileBytes(soxFile());
    size_t data = chunkOffset(file, "data");
    putLittleEndian32(file, 4, 0xFFFFFFF0u);
    putLittleEndian32(file, data + 4, 0x7FFFFFF0u);
    writeFileBytes(directory.file("claims.wav"), file);

    OpenFile wave(directory.file("claims.wav"));
    MMCKINFO riff{}, chunk{};
    ASSERT_EQ(wave.descendRiff(riff), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.cksize, file.size() - 8);
    ASSERT_EQ(wave.descendChunk(chunk, riff, "data"), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, samples.size() * 2);
    EXPECT_EQ(wave.read(static_cast<LONG>(chunk.cksize)), samplesToBytes(samples));
}

TEST_F(MmioTest, TruncatedFilesGiveOnlyTheBytesThatArePresent) {
    Bytes file = readFileBytes(soxFile());
    size_t data = chunkOffset(file, "data");

    Bytes cutInData(file.begin(), file.begin() + static_cast<long>(data + 8 + 5));
    writeFileBytes(directory.file("cut.wav"), cutInData);
    OpenFile wave(directory.file("cut.wav"));
    MMCKINFO riff{}, chunk{};
    ASSERT_EQ(wave.descendRiff(riff), MMSYSERR_NOERROR);
    ASSERT_EQ(wave.descendChunk(chunk, riff, "data"), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, 5u);
    Bytes expected = samplesToBytes(samples);
    expected.resize(5);
    EXPECT_EQ(wave.read(1000), expected);

    // Cut inside a chunk header, and inside the form's own header.
    for (size_t length : {data + 6, size_t{10}, size_t{0}}) {
        Bytes cut(file.begin(), file.begin() + static_cast<long>(length));
        writeFileBytes(directory.file("short.wav"), cut);
        OpenFile shortFile(directory.file("short.wav"));
        ASSERT_NE(shortFile.handle, nullptr);
        MMCKINFO form{}, inner{};
        if (shortFile.descendRiff(form) == MMSYSERR_NOERROR)
            EXPECT_EQ(shortFile.descendChunk(inner, form, "data"), MMIOERR_CHUNKNOTFOUND) << length;
        else
            EXPECT_LT(length, 12u);
    }
}

TEST_F(MmioTest, OpensWindowsPathsReadOnly) {
    std::filesystem::create_directory(directory.file("Sounds"));
    writeWaveWithSox(directory.file("Sounds/Ping.wav"), samplesToBytes(samples), {22050, 16, 1});
    char windowsPath[] = "sounds\\PING.WAV";
    HMMIO file = mmioOpenA(windowsPath, nullptr, MMIO_READ);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_INVALHANDLE);

    char missing[] = "Sounds\\missing.wav";
    EXPECT_EQ(mmioOpenA(missing, nullptr, MMIO_READ), nullptr);
    char folder[] = "Sounds";
    EXPECT_EQ(mmioOpenA(folder, nullptr, MMIO_READ), nullptr);
    const DWORD writeAccess = 0x1;
    EXPECT_EQ(mmioOpenA(windowsPath, nullptr, writeAccess), nullptr);
}

} // namespace
